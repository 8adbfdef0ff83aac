#include "scene/core/SceneStrokes.h"
#include "scene/core/SphereStyle.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

using namespace orbala;

namespace {

constexpr double extent = 50.0;
constexpr double unit = 24.95; // R 499 at extent 50
constexpr double label = 1.0;  // 0.02 × extent: letters 3 high, 2.25 wide

// Whether one coordinate over every stroke end runs from lo to hi.
::testing::AssertionResult spans(const std::vector<Segment>& s, float Vec3f::*c, float lo,
                                 float hi) {
  float a = s.front().from.*c, b = a;
  for (const Segment& g : s) {
    a = std::min({a, g.from.*c, g.to.*c});
    b = std::max({b, g.from.*c, g.to.*c});
  }
  if (std::fabs(a - lo) < 1e-4f && std::fabs(b - hi) < 1e-4f) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << a << " to " << b;
}

std::tuple<float, float, float, float, float, float> ends(const Segment& s) {
  return {s.from.x, s.from.y, s.from.z, s.to.x, s.to.y, s.to.z};
}

} // namespace

TEST(SceneStrokes, AxesReachPastTheDataFollowTheShowOptionsAndZStartsAtTheOrigin) {
  const float end = 77.445f; // extent + 1.1 × unit
  EXPECT_EQ(ends(xAxis(extent, unit)), std::make_tuple(-end, 0.f, 0.f, end, 0.f, 0.f));
  EXPECT_EQ(ends(yAxis(extent, unit)), std::make_tuple(0.f, -end, 0.f, 0.f, end, 0.f));
  EXPECT_EQ(ends(zAxis(3, 100, unit)), std::make_tuple(0.f, 0.f, 0.f, 0.f, 0.f, 127.445f));
  EXPECT_EQ(ends(zAxis(-5, -1, 0.5)), std::make_tuple(0.f, 0.f, -5.f, 0.f, 0.f, -0.45f));

  // The strokes follow the show options.
  const auto strokes = [](bool xy, bool z, bool labels) {
    return axisStrokes(AxisOptions{xy, z, labels}, extent, unit, label, 0, 100, ViewPreset::YZ);
  };
  // Letters come only with their axes.
  EXPECT_EQ(strokes(true, true, false).size(), 3u);
  EXPECT_EQ(strokes(true, false, true).size(), 7u);
  EXPECT_EQ(strokes(false, true, true).size(), 4u);
  EXPECT_EQ(strokes(false, false, true).size(), 0u);
  // Order: x axis, y axis, X (2 strokes), Y (3), z axis, Z (3).
  const auto all = strokes(true, true, true);
  ASSERT_EQ(all.size(), 11u);
  EXPECT_EQ(ends(all[0]), ends(xAxis(extent, unit)));
  EXPECT_EQ(ends(all[1]), ends(yAxis(extent, unit)));
  EXPECT_EQ(ends(all[3]), ends(xLetterStrokes(extent, unit, label, ViewPreset::YZ)[1]));
  EXPECT_EQ(ends(all[6]), ends(yLetterStrokes(extent, unit, label)[2]));
  EXPECT_EQ(ends(all[7]), ends(zAxis(0, 100, unit)));
  EXPECT_EQ(ends(all[10]), ends(zLetterStrokes(100, unit, label, ViewPreset::YZ)[2]));
}

TEST(SceneStrokes, LettersStandBeyondTheirAxesFacingTheView) {
  // X: centred past the x axis, in y = 0, taller in the side views (1.2 × its half height 1.5).
  for (const auto& [p, high] : std::vector<std::pair<ViewPreset, float>>{{ViewPreset::Top, 1.5f},
                                                                         {ViewPreset::Bottom, 1.5f},
                                                                         {ViewPreset::YZ, 1.8f},
                                                                         {ViewPreset::XYZ, 1.8f}}) {
    const auto x = xLetterStrokes(extent, unit, label, p);
    ASSERT_EQ(x.size(), 2u);
    EXPECT_TRUE(spans(x, &Vec3f::y, 0, 0));
    EXPECT_TRUE(spans(x, &Vec3f::z, -high, high));
    EXPECT_TRUE(spans(x, &Vec3f::x, 76.825f, 79.075f)); // extent + unit + 3 ± 1.125
  }
  // Y: in x = 0, its three strokes meeting at the fork.
  const auto y = yLetterStrokes(extent, unit, label);
  ASSERT_EQ(y.size(), 3u);
  EXPECT_TRUE(spans(y, &Vec3f::x, 0, 0));
  EXPECT_TRUE(spans(y, &Vec3f::z, -1.8f, 1.8f));
  for (const Segment& s : y)
    EXPECT_FLOAT_EQ(s.to.y, static_cast<float>(extent + unit + 1.5));
  // Z: above the z axis, in y = 0, or in x = 0 after the y-z and x-y-z views; its diagonal runs
  // from the bottom left to the top right.
  for (ViewPreset p :
       {ViewPreset::Top, ViewPreset::Bottom, ViewPreset::XZ, ViewPreset::YZ, ViewPreset::XYZ}) {
    const auto z = zLetterStrokes(100, unit, label, p);
    ASSERT_EQ(z.size(), 3u);
    const bool side = p == ViewPreset::YZ || p == ViewPreset::XYZ;
    EXPECT_TRUE(spans(z, side ? &Vec3f::x : &Vec3f::y, 0, 0)) << int(p);
    float Vec3f::*across = side ? &Vec3f::y : &Vec3f::x;
    EXPECT_TRUE(spans(z, across, -1.125f, 1.125f)) << int(p);
    const float bottom = static_cast<float>(100 + 2 * unit + 1.5);
    EXPECT_TRUE(spans(z, &Vec3f::z, bottom, bottom + 3.6f)) << int(p);
    EXPECT_TRUE(z[2].from.*across < z[2].to.*across && z[2].from.z < z[2].to.z) << int(p);
  }
}

TEST(ArcVertices, PlanesCentreAndConstantRadius) {
  const Vec3f c{1, 2, 3};
  // A half circle of radius 2 in the x-z plane, from +x through +z.
  const auto xz = arcVertices(3, 1, c, 2.0f, 0.0f, 3.1415927f);
  ASSERT_EQ(xz.size(), 3u);
  EXPECT_EQ(std::make_tuple(xz[0].x, xz[0].y, xz[0].z), std::make_tuple(3.f, 2.f, 3.f));
  EXPECT_TRUE(std::fabs(xz[1].x - 1) + std::fabs(xz[1].z - 5) + std::fabs(xz[2].x + 1) < 1e-4f);
  // A whole circle in the y-z plane closes on itself.
  const auto circle = arcVertices(361, 2, c, 2.0f, 0.5f, 6.2831855f);
  for (const Vec3f& p : circle) {
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_NEAR(std::hypot(p.y - 2.0f, p.z - 3.0f), 2.0f, 1e-4f);
  }
  EXPECT_NEAR(circle.back().y - circle.front().y + circle.back().z - circle.front().z, 0, 1e-4f);
  for (const auto& [segments, plane] : std::vector<std::pair<int, int>>{{5, 3}, {5, -1}, {0, 0}})
    EXPECT_TRUE(arcVertices(segments, plane, Vec3f{}, 1, 0, 1).empty()) << segments << ' ' << plane;
  const auto one = arcVertices(1, 0, Vec3f{}, 2, 0, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].x, 2.0f);
}

TEST(SphereColour, CellErrorsAndMaterial) {
  // 0 and 255 are the edges; letters read as 0, which is in range; a blank cell is not.
  for (const char* good : {"0", "255", " 12 ", "\t7\n", "red"})
    EXPECT_TRUE(sphereCellColor(good, "1", "2") && sphereCellColor("1", good, "2") &&
                sphereCellColor("1", "2", good))
        << good;
  for (const char* bad : {" ", "", "256", "-1", "99999999999999", "-99999999999999"})
    EXPECT_FALSE(sphereCellColor(bad, "1", "2") || sphereCellColor("1", bad, "2") ||
                 sphereCellColor("1", "2", bad))
        << '"' << bad << '"';
  EXPECT_EQ(sphereCellColor("12.9", " 40", "7x"), (Rgb{12, 40, 7}));
  EXPECT_EQ(sphereCellColor("0", "abc", "255"), (Rgb{0, 0, 255}));

  // Diffuse is the colour, ambient a quarter of it; both carry the opacity.
  const Material m = sphereMaterial(Rgb{255, 0, 51}, 0.4f);
  EXPECT_EQ(std::vector<float>(m.ambient, m.ambient + 4),
            (std::vector<float>{0.25f, 0, 0.05f, 0.4f}));
  EXPECT_EQ(std::vector<float>(m.diffuse, m.diffuse + 4), (std::vector<float>{1, 0, 0.2f, 0.4f}));
}
