// The viewer's orientation is a toolkit quaternion, so ours must agree with it.
#include "scene/core/Geometry.h"

#include <fx.h>
#include <fx3d.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace orbala;

namespace {

FX::FXQuatf toFox(const Quatf& q) {
  return FX::FXQuatf(q.x, q.y, q.z, q.w);
}

::testing::AssertionResult same(const Quatf& ours, const FX::FXQuatf& fox, float tol) {
  if (std::fabs(ours.x - fox.x) <= tol && std::fabs(ours.y - fox.y) <= tol &&
      std::fabs(ours.z - fox.z) <= tol && std::fabs(ours.w - fox.w) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << ours.x << " " << ours.y << " " << ours.z << " " << ours.w << " against " << fox.x << " "
         << fox.y << " " << fox.z << " " << fox.w;
}

const Vec3f axes[] = {{1, 0, 0},  {0, 1, 0},         {0, 0, 1},    {1, 1, 1},
                      {-1, 1, 1}, {0.3f, -2, 0.01f}, {0, 0, 1e-3f}};

} // namespace

TEST(QuaternionFox, AxisAngleProductAndNormalizedMatchTheToolkit) {
  for (const Vec3f& a : axes) {
    for (float phi : {0.0f, 1e-4f, -0.0157079633f, 1.5707964f, -3.1415927f, 3.1415927f, 5.0f}) {
      FX::FXQuatf fox;
      fox.setAxisAngle(FX::FXVec3f(a.x, a.y, a.z), phi);
      // The toolkit divides by the axis length through a fast reciprocal square root.
      EXPECT_TRUE(same(quatFromAxisAngle(a, phi), fox, 2e-6f));
    }
    for (const Vec3f& b : axes) {
      const Quatf qa = quatFromAxisAngle(a, 0.8f), qb = quatFromAxisAngle(b, -2.1f);
      EXPECT_TRUE(same(quatMultiply(qa, qb), toFox(qa) * toFox(qb), 0.0f));
    }
  }
  const Quatf odd{0.1f, -2.5f, 3.25f, 0.7f}, other{-1.5f, 0.2f, 0.9f, -4.0f};
  EXPECT_TRUE(same(quatMultiply(odd, other), toFox(odd) * toFox(other), 0.0f));

  const Quatf start = presetView(ViewPreset::XYZ, 1, 1, false).orientation;
  for (int axis = 0; axis < rotationAxisCount; ++axis) {
    const Vec3f v = rotationAxisVector(axis);
    const FX::FXQuatf fox =
        toFox(start) * FX::FXQuatf(FX::FXVec3f(v.x, v.y, v.z), rotationTickAngle(237, 0));
    EXPECT_TRUE(same(rotationTick(start, axis, 237, 0), fox, 2e-6f)) << axis;
  }

  for (const Quatf& q :
       {Quatf{0.1f, -2.5f, 3.25f, 0.7f}, Quatf{0, 0, 0, 2}, Quatf{1e-3f, 0, 0, 0}}) {
    FX::FXQuatf fox = toFox(q);
    fox.adjust();
    EXPECT_TRUE(same(normalized(q), fox, 1e-6f));
  }
  // The toolkit gives NaN for a zero axis and leaves a zero quaternion at zero; an orientation
  // needs unit length.
  EXPECT_TRUE(same(quatFromAxisAngle({0, 0, 0}, 0.7f), FX::FXQuatf(0, 0, 0, 1), 0.0f));
  EXPECT_TRUE(same(normalized(Quatf{0, 0, 0, 0}), FX::FXQuatf(0, 0, 0, 1), 0.0f));
}
