#include "scene/core/Geometry.h"

#include <cmath>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using namespace orbala;

namespace {

constexpr double pi = 3.14159265358979323846;

// Where an orientation sends a model vector in eye space (x right, y up, z towards the viewer).
Vec3f rotate(const Quatf& q, Vec3f v) {
  const Vec3f u{q.x, q.y, q.z};
  auto cross = [](Vec3f a, Vec3f b) {
    return Vec3f{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  };
  const Vec3f c1 = cross(u, v);
  const Vec3f c2 = cross(u, c1);
  return Vec3f{v.x + 2 * (q.w * c1.x + c2.x), v.y + 2 * (q.w * c1.y + c2.y),
               v.z + 2 * (q.w * c1.z + c2.z)};
}

void expectVec(Vec3f actual, Vec3f expected, float tol = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tol);
  EXPECT_NEAR(actual.y, expected.y, tol);
  EXPECT_NEAR(actual.z, expected.z, tol);
}

void expectQuat(const Quatf& q, float x, float y, float z, float w) {
  EXPECT_NEAR(q.x, x, 1e-6f);
  EXPECT_NEAR(q.y, y, 1e-6f);
  EXPECT_NEAR(q.z, z, 1e-6f);
  EXPECT_NEAR(q.w, w, 1e-6f);
}

Quatf preset(ViewPreset p) {
  return presetView(p, 1, 1, false).orientation;
}

} // namespace

TEST(RotationTick, AngleFollowsSpeedAndDirection) {
  EXPECT_EQ(rotationTickAngle(100, 1), static_cast<float>(pi / 200));
  EXPECT_EQ(rotationTickAngle(100, 0), -static_cast<float>(pi / 200));
  EXPECT_FLOAT_EQ(rotationTickAngle(400, 1), 4 * rotationTickAngle(100, 1));
  EXPECT_GT(rotationTickAngle(50, 7), 0.0f); // only direction 0 is clockwise
  // An axis index outside the table turns about x.
  for (int bad : {-1, 7, 1000}) {
    const Vec3f v = rotationAxisVector(bad);
    EXPECT_EQ(std::make_tuple(v.x, v.y, v.z), std::make_tuple(1.f, 0.f, 0.f)) << bad;
  }
  EXPECT_EQ(rotationAxisVector(6).z, -1.0f);
}

TEST(RotationTick, TurnsAboutTheModelsOwnAxis) {
  // Seen from the x-z view, spinning about z keeps z pointing up the screen.
  Quatf q = preset(ViewPreset::XZ);
  for (int i = 0; i < 100; ++i)
    q = rotationTick(q, 2, 100, 1);
  expectVec(rotate(q, {0, 0, 1}), {0, 1, 0});
  // 100 ticks of π/200 are a quarter turn: x has taken y's place, pointing into the screen.
  expectVec(rotate(q, {1, 0, 0}), {0, 0, -1}, 1e-4f);

  // 200 counter-clockwise ticks about z from the top view are half a turn.
  q = Quatf{};
  for (int i = 0; i < 200; ++i)
    q = normalized(rotationTick(q, 2, 100, 1));
  expectVec(rotate(q, {1, 0, 0}), {-1, 0, 0}, 1e-4f);
}

TEST(ViewPresets, OrientationsShowTheirAxesRightAndUp) {
  expectQuat(preset(ViewPreset::Top), 0, 0, 0, 1);
  expectQuat(preset(ViewPreset::XYZ), -0.2460217f, 0.3886360f, 0.1917373f, -0.8669904f);
  expectVec(rotate(preset(ViewPreset::XZ), {1, 0, 0}), {1, 0, 0});
  expectVec(rotate(preset(ViewPreset::XZ), {0, 0, 1}), {0, 1, 0});
  expectVec(rotate(preset(ViewPreset::YZ), {0, 1, 0}), {1, 0, 0});
  expectVec(rotate(preset(ViewPreset::YZ), {0, 0, 1}), {0, 1, 0});
  expectVec(rotate(preset(ViewPreset::Bottom), {0, 0, 1}), {0, 0, -1});
}

TEST(ViewPresets, BoundingBoxes) {
  PresetView v = presetView(ViewPreset::Top, 10, 4, true);
  expectVec(v.boxMin, {-10, -10, 0});
  expectVec(v.boxMax, {13, 13, 0});
  expectVec(presetView(ViewPreset::Bottom, 10, 4, false).boxMax, {10, 10, 0});
  for (ViewPreset p : {ViewPreset::XZ, ViewPreset::YZ, ViewPreset::XYZ}) {
    v = presetView(p, 10, 4, true);
    expectVec(v.boxMin, {-10, 0, 0});
    expectVec(v.boxMax, {13, 4, 0});
  }
}

TEST(DataMeasurement, BoundsExtentAndNormalisedAxes) {
  const std::vector<double> xs{1, -7, 3}, ys{2, 2, 5}, zs{-1, 0.5, 0};
  const auto box = [](const DataBounds& b) {
    return std::vector<double>{b.xMin, b.xMax, b.yMin, b.yMax, b.zMin, b.zMax};
  };
  const DataBounds b = measureBounds(xs.data(), ys.data(), zs.data(), 3);
  EXPECT_EQ(box(b), (std::vector<double>{-7, 3, 2, 5, -1, 0.5}));
  EXPECT_EQ(dataExtentOf(b), 7);
  // A single point is its own box.
  EXPECT_EQ(box(measureBounds(xs.data() + 1, ys.data() + 1, zs.data() + 1, 1)),
            (std::vector<double>{-7, -7, 2, 2, 0.5, 0.5}));

  EXPECT_EQ(dataExtentOf(initialDataBounds), initialDataExtent);

  std::vector<double> v{2, 6, 4, -2};
  normalizeAxis(v.data(), 4);
  EXPECT_EQ(v, (std::vector<double>{0.5, 1, 0.75, 0}));
  std::vector<double> flat{3, 3, 3};
  normalizeAxis(flat.data(), 3);
  EXPECT_EQ(flat, (std::vector<double>{0, 0, 0}));
  normalizeAxis(nullptr, 0);
}

TEST(SceneSizes, SphereRadiusUnitAndGreys) {
  // The unit steps with the data extent: below 1, from 1, from 10.
  for (const auto& [r, extent, u] : std::vector<std::tuple<int, double, double>>{{100, 0.5, 0.05},
                                                                                 {100, 0.999, 0.05},
                                                                                 {100, 1, 0.5},
                                                                                 {100, 10, 5},
                                                                                 {499, 50, 24.95},
                                                                                 {1000, 0, 0.5}})
    EXPECT_DOUBLE_EQ(sphereRadiusUnit(r, extent), u) << r << ' ' << extent;
  // Axes turn from light grey to black above half the slider (integer half of an odd maximum).
  for (const auto& [b, bMax, axis] : std::vector<std::tuple<int, int, float>>{
           {50, 100, 0.8f}, {51, 100, 0.0f}, {0, 100, 0.8f}, {5, 11, 0.8f}, {6, 11, 0.0f}})
    EXPECT_EQ(axisGrey(b, bMax), axis) << b << ' ' << bMax;
  EXPECT_EQ(std::make_tuple(backgroundGrey(0), backgroundGrey(50), backgroundGrey(51),
                            backgroundGrey(100)),
            std::make_tuple(0.0f, 0.5f, 0.51f, 1.0f));
}
