#include "scene/core/Geometry.h"
#include "scene/core/RotationPoint.h"

#include <cmath>
#include <tuple>
#include <vector>

#include <fx.h>
#include <fx3d.h>
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

using Point = std::optional<std::tuple<double, double, double>>;

// Three table rows; the third has an empty z cell.
bool rows(int row, Vec3d& out) {
  if (row == 0) out = Vec3d{1, 2, 3};
  if (row == 1) out = Vec3d{-4, 5, 6.5};
  return row < 2;
}

Point point(RotationPointChoice choice, DataBounds bounds, std::string_view number, int tableRows,
            std::string_view x = "", std::string_view y = "", std::string_view z = "") {
  const auto p = rotationPoint(choice, bounds, number, tableRows, rows, x, y, z);
  if (!p) return std::nullopt;
  return std::make_tuple(p->x, p->y, p->z);
}

Point byNumber(std::string_view text, int tableRows = 3) {
  return point(RotationPointChoice::PointNumber, DataBounds{}, text, tableRows);
}

Point typed(std::string_view x, std::string_view y, std::string_view z) {
  return point(RotationPointChoice::TypedPoint, DataBounds{}, "", 0, x, y, z);
}

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

// The viewer's orientation is a toolkit quaternion, so ours must agree with it.
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

TEST(RotationPoint, OriginMiddleOfTheBoxPointNumberAndTypedPoint) {
  EXPECT_EQ(point(RotationPointChoice::Origin, DataBounds{1, 2, 3, 4, 5, 6}, "", 0),
            std::make_tuple(0.0, 0.0, 0.0));
  EXPECT_EQ(point(RotationPointChoice::GeometricCenter, DataBounds{-1, 5, 0, 0, 2, 4}, "", 0),
            std::make_tuple(2.0, 0.0, 3.0));
  // A stored choice outside 0..3 is the origin.
  EXPECT_EQ(rotationPointChoiceFromIndex(3), RotationPointChoice::TypedPoint);
  for (int bad : {4, -1})
    EXPECT_EQ(rotationPointChoiceFromIndex(bad), RotationPointChoice::Origin);

  EXPECT_EQ(byNumber("  2 "), std::make_tuple(-4.0, 5.0, 6.5));
  EXPECT_EQ(byNumber("1"), std::make_tuple(1.0, 2.0, 3.0));
  // Row 3 exists but lacks a coordinate; row 4 is beyond the table; with one table row, row 2
  // is refused before its cells are read.
  for (const char* bad : {"0", "-1", "", " \t ", "-2147483648", "3"})
    EXPECT_FALSE(byNumber(bad)) << bad;
  EXPECT_FALSE(byNumber("4", 10));
  EXPECT_TRUE(byNumber("1", 1));
  EXPECT_FALSE(byNumber("2", 1));
  EXPECT_FALSE(
      rotationPoint(RotationPointChoice::PointNumber, DataBounds{}, "1", 3, nullptr, "", "", ""));

  EXPECT_EQ(typed(" 1.5", "-2", "3e2 "), std::make_tuple(1.5, -2.0, 300.0));
  EXPECT_EQ(typed("abc", "0", "x1"), std::make_tuple(0.0, 0.0, 0.0));
  EXPECT_EQ(typed("1e30", "-1e30", "0"), std::make_tuple(1e30, -1e30, 0.0));
  // A blank field, or a point too far to be plotted, is no point.
  for (const auto& [x, y, z] : {std::tuple{"", "0", "0"},
                                {"0", " ", "0"},
                                {"0", "0", ""},
                                {"1.0001e30", "0", "0"},
                                {"0", "-inf", "0"},
                                {"0", "0", "nan"}})
    EXPECT_FALSE(typed(x, y, z)) << x << "|" << y << "|" << z;
}
