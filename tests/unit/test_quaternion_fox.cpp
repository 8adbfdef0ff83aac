// The viewer's orientation is a toolkit quaternion, so ours must agree with it.
#include "scene/core/Geometry.h"

#include <fx.h>
#include <fx3d.h>

#include <gtest/gtest.h>

#include <tuple>

using namespace orbala;

namespace {

FX::FXQuatf toFox(const Quatf& q) {
  return FX::FXQuatf(q.x, q.y, q.z, q.w);
}

void expectSame(const Quatf& ours, const FX::FXQuatf& fox, float tol) {
  EXPECT_NEAR(ours.x, fox.x, tol);
  EXPECT_NEAR(ours.y, fox.y, tol);
  EXPECT_NEAR(ours.z, fox.z, tol);
  EXPECT_NEAR(ours.w, fox.w, tol);
}

const Vec3f axes[] = {{1, 0, 0},  {0, 1, 0},         {0, 0, 1},    {1, 1, 1},
                      {-1, 1, 1}, {0.3f, -2, 0.01f}, {0, 0, 1e-3f}};
const float angles[] = {0.0f, 1e-4f, -0.0157079633f, 1.5707964f, -3.1415927f, 3.1415927f, 5.0f};

} // namespace

TEST(QuaternionFox, AxisAngleMatchesSetAxisAngle) {
  for (const Vec3f& a : axes) {
    for (float phi : angles) {
      FX::FXQuatf fox;
      fox.setAxisAngle(FX::FXVec3f(a.x, a.y, a.z), phi);
      // The toolkit divides by the axis length through a fast reciprocal square root.
      expectSame(quatFromAxisAngle(a, phi), fox, 2e-6f);
    }
  }
}

TEST(QuaternionFox, ZeroAxisGivesIdentityWhereTheToolkitGivesNaN) {
  const Quatf q = quatFromAxisAngle({0, 0, 0}, 0.7f);
  EXPECT_EQ(std::make_tuple(q.x, q.y, q.z, q.w), std::make_tuple(0.f, 0.f, 0.f, 1.f));
}

TEST(QuaternionFox, ProductMatchesOperatorStar) {
  for (const Vec3f& a : axes) {
    for (const Vec3f& b : axes) {
      const Quatf qa = quatFromAxisAngle(a, 0.8f);
      const Quatf qb = quatFromAxisAngle(b, -2.1f);
      expectSame(quatMultiply(qa, qb), toFox(qa) * toFox(qb), 0.0f);
      expectSame(quatMultiply(qb, qa), toFox(qb) * toFox(qa), 0.0f);
    }
  }
  const Quatf odd{0.1f, -2.5f, 3.25f, 0.7f}, other{-1.5f, 0.2f, 0.9f, -4.0f};
  expectSame(quatMultiply(odd, other), toFox(odd) * toFox(other), 0.0f);
}

TEST(QuaternionFox, TickMatchesTheToolkitProduct) {
  const Quatf start = presetView(ViewPreset::XYZ, 1, 1, false).orientation;
  for (int axis = 0; axis < rotationAxisCount; ++axis) {
    const Vec3f v = rotationAxisVector(axis);
    const FX::FXQuatf fox =
        toFox(start) * FX::FXQuatf(FX::FXVec3f(v.x, v.y, v.z), rotationTickAngle(237, 0));
    expectSame(rotationTick(start, axis, 237, 0), fox, 2e-6f);
  }
}

TEST(QuaternionFox, NormalizedMatchesAdjust) {
  for (const Quatf& q :
       {Quatf{0.1f, -2.5f, 3.25f, 0.7f}, Quatf{0, 0, 0, 2}, Quatf{1e-3f, 0, 0, 0}}) {
    FX::FXQuatf fox = toFox(q);
    fox.adjust();
    expectSame(normalized(q), fox, 1e-6f);
  }
  // The toolkit leaves a zero quaternion at zero; an orientation needs unit length.
  const Quatf zero = normalized(Quatf{0, 0, 0, 0});
  EXPECT_EQ(std::make_tuple(zero.x, zero.y, zero.z, zero.w), std::make_tuple(0.f, 0.f, 0.f, 1.f));
}
