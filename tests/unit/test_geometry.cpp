#include "scene/core/Geometry.h"

#include <cmath>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using namespace orbala;

namespace {

constexpr double pi = 3.14159265358979323846;

// Where an orientation sends a model vector in eye space (x right, y up, z towards the viewer).
std::vector<float> rotate(const Quatf& q, Vec3f v) {
  const Vec3f u{q.x, q.y, q.z};
  auto cross = [](Vec3f a, Vec3f b) {
    return Vec3f{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  };
  const Vec3f c1 = cross(u, v);
  const Vec3f c2 = cross(u, c1);
  // Rounded, so that the results compare exactly with the axis they should be.
  auto r = [](float f) { return std::round(f * 1e4f) / 1e4f + 0.0f; };
  return {r(v.x + 2 * (q.w * c1.x + c2.x)), r(v.y + 2 * (q.w * c1.y + c2.y)),
          r(v.z + 2 * (q.w * c1.z + c2.z))};
}

Quatf preset(ViewPreset p) {
  return presetView(p, 1, 1, false).orientation;
}

using V = std::vector<float>;

} // namespace

TEST(RotationTick, TurnsAboutTheModelsOwnAxisBySpeedAndDirection) {
  EXPECT_EQ(rotationTickAngle(100, 1), static_cast<float>(pi / 200));
  EXPECT_EQ(rotationTickAngle(400, 0), -static_cast<float>(pi / 50));
  EXPECT_GT(rotationTickAngle(50, 7), 0.0f); // only direction 0 is clockwise
  // An axis index outside the table turns about x.
  for (const auto& [index, axis] : std::vector<std::pair<int, V>>{
           {-1, {1, 0, 0}}, {7, {1, 0, 0}}, {2, {0, 0, 1}}, {5, {1, -1, 1}}, {6, {1, 1, -1}}}) {
    const Vec3f v = rotationAxisVector(index);
    EXPECT_EQ((V{v.x, v.y, v.z}), axis) << index;
  }
  // Seen from the x-z view, spinning about z keeps z pointing up the screen; 100 ticks of π/200
  // are a quarter turn: x has taken y's place, pointing into the screen.
  Quatf q = preset(ViewPreset::XZ);
  for (int i = 0; i < 100; ++i)
    q = rotationTick(q, 2, 100, 1);
  EXPECT_EQ(rotate(q, {0, 0, 1}), (V{0, 1, 0}));
  EXPECT_EQ(rotate(q, {1, 0, 0}), (V{0, 0, -1}));
}

TEST(ViewPresets, OrientationsShowTheirAxesRightAndUpInTheirBoxes) {
  // Model x, y, z as seen on screen.
  for (const auto& [p, x, y, z] : std::vector<std::tuple<ViewPreset, V, V, V>>{
           {ViewPreset::Top, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
           {ViewPreset::XZ, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
           {ViewPreset::YZ, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
           {ViewPreset::Bottom, {-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}}) {
    EXPECT_EQ(rotate(preset(p), {1, 0, 0}), x) << int(p);
    EXPECT_EQ(rotate(preset(p), {0, 1, 0}), y) << int(p);
    EXPECT_EQ(rotate(preset(p), {0, 0, 1}), z) << int(p);
  }
  // The plan views lie in z = 0; the side views reach up to z max; labels widen the box by 3.
  const auto box = [](ViewPreset p, bool labels) {
    const PresetView v = presetView(p, 10, 4, labels);
    return V{v.boxMin.x, v.boxMin.y, v.boxMin.z, v.boxMax.x, v.boxMax.y, v.boxMax.z};
  };
  EXPECT_EQ(box(ViewPreset::Top, true), (V{-10, -10, 0, 13, 13, 0}));
  EXPECT_EQ(box(ViewPreset::Bottom, false), (V{-10, -10, 0, 10, 10, 0}));
  for (ViewPreset p : {ViewPreset::XZ, ViewPreset::YZ, ViewPreset::XYZ})
    EXPECT_EQ(box(p, true), (V{-10, 0, 0, 13, 4, 0}));
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
  const std::tuple<int, double, double> units[] = {{100, 0.999, 0.05}, {100, 1, 0.5},
                                                   {100, 9.999, 0.5},  {100, 10, 5},
                                                   {499, 50, 24.95},   {1000, 0, 0.5}};
  for (const auto& [r, extent, u] : units)
    EXPECT_DOUBLE_EQ(sphereRadiusUnit(r, extent), u) << r << ' ' << extent;
  // Axes turn from light grey to black above half the slider (integer half of an odd maximum).
  for (const auto& [b, bMax, axis] : std::vector<std::tuple<int, int, float>>{
           {50, 100, 0.8f}, {51, 100, 0.0f}, {0, 100, 0.8f}, {5, 11, 0.8f}, {6, 11, 0.0f}})
    EXPECT_EQ(axisGrey(b, bMax), axis) << b << ' ' << bMax;
  EXPECT_EQ((V{backgroundGrey(0), backgroundGrey(51), backgroundGrey(100)}), (V{0, 0.51f, 1}));
}
