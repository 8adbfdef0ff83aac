#include "scene/core/SceneStrokes.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

using namespace orbala;

namespace {

constexpr double extent = 50.0;
constexpr double unit = 24.95; // R 499 at extent 50
constexpr double label = 1.0;  // 0.02 × extent

float minOf(const std::vector<Segment>& s, float Vec3f::*c) {
  float m = s.front().from.*c;
  for (const Segment& g : s)
    m = std::min({m, g.from.*c, g.to.*c});
  return m;
}
float maxOf(const std::vector<Segment>& s, float Vec3f::*c) {
  float m = s.front().from.*c;
  for (const Segment& g : s)
    m = std::max({m, g.from.*c, g.to.*c});
  return m;
}

} // namespace

TEST(SceneStrokes, AxesReachPastTheData) {
  const Segment x = xAxis(extent, unit);
  EXPECT_FLOAT_EQ(x.from.x, -77.445f);
  EXPECT_FLOAT_EQ(x.to.x, 77.445f);
  EXPECT_EQ(x.to.y, 0.0f);
  const Segment y = yAxis(extent, unit);
  EXPECT_FLOAT_EQ(y.to.y, 77.445f);
  EXPECT_EQ(y.to.x, 0.0f);
  // z starts at the origin unless the data goes below it.
  EXPECT_EQ(zAxis(3, 100, unit).from.z, 0.0f);
  const Segment z = zAxis(-5, -1, 0.5);
  EXPECT_EQ(z.from.z, -5.0f);
  EXPECT_FLOAT_EQ(z.to.z, -0.45f);
}

TEST(SceneStrokes, LetterSize) {
  EXPECT_EQ(letterHalfHeight(label), 1.5f);
  EXPECT_EQ(letterHalfWidth(label), 1.125f);
  EXPECT_EQ(letterHalfHeight(0.1), 0.5f * static_cast<float>(0.3));
}

TEST(SceneStrokes, XLetterIsTallerInTheSideViews) {
  const auto top = xLetterStrokes(extent, unit, label, ViewPreset::Top);
  const auto side = xLetterStrokes(extent, unit, label, ViewPreset::YZ);
  ASSERT_EQ(top.size(), 2u);
  ASSERT_EQ(side.size(), 2u);
  EXPECT_FLOAT_EQ(maxOf(top, &Vec3f::z), 1.5f);
  EXPECT_FLOAT_EQ(maxOf(side, &Vec3f::z), 1.8f);
  EXPECT_FLOAT_EQ(minOf(side, &Vec3f::z), -1.8f);
  for (const auto& letter : {top, side}) {
    EXPECT_EQ(minOf(letter, &Vec3f::y), 0.0f);
    EXPECT_EQ(maxOf(letter, &Vec3f::y), 0.0f);
    // Centred beyond the end of the x axis.
    const float centre = (minOf(letter, &Vec3f::x) + maxOf(letter, &Vec3f::x)) / 2;
    EXPECT_FLOAT_EQ(centre, static_cast<float>(extent + unit + 0.06 * extent));
    EXPECT_GT(centre, xAxis(extent, unit).to.x);
  }
  EXPECT_EQ(xLetterStrokes(extent, unit, label, ViewPreset::Bottom)[0].from.z, 1.5f);
}

TEST(SceneStrokes, YLetterStandsInThePlaneXZeroInEveryView) {
  const auto y = yLetterStrokes(extent, unit, label);
  ASSERT_EQ(y.size(), 3u);
  EXPECT_EQ(minOf(y, &Vec3f::x), 0.0f);
  EXPECT_EQ(maxOf(y, &Vec3f::x), 0.0f);
  // All three strokes meet at the fork on the y axis.
  for (const Segment& s : y)
    EXPECT_FLOAT_EQ(s.to.y, static_cast<float>(extent + unit + 1.5));
  EXPECT_FLOAT_EQ(maxOf(y, &Vec3f::z), 1.8f);
  EXPECT_FLOAT_EQ(minOf(y, &Vec3f::z), -1.8f);
}

TEST(SceneStrokes, ZLetterFacesTheViewAndSitsAboveTheData) {
  for (ViewPreset p : {ViewPreset::Top, ViewPreset::Bottom, ViewPreset::XZ}) {
    const auto z = zLetterStrokes(100, unit, label, p);
    EXPECT_EQ(minOf(z, &Vec3f::y), 0.0f);
    EXPECT_EQ(maxOf(z, &Vec3f::y), 0.0f);
    EXPECT_FLOAT_EQ(maxOf(z, &Vec3f::x), 1.125f);
  }
  for (ViewPreset p : {ViewPreset::YZ, ViewPreset::XYZ}) {
    const auto z = zLetterStrokes(100, unit, label, p);
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(minOf(z, &Vec3f::x), 0.0f);
    EXPECT_EQ(maxOf(z, &Vec3f::x), 0.0f);
    EXPECT_FLOAT_EQ(maxOf(z, &Vec3f::y), 1.125f);
  }
  const auto z = zLetterStrokes(100, unit, label, ViewPreset::Top);
  const float bottom = static_cast<float>(100 + 2 * unit + 1.5);
  EXPECT_FLOAT_EQ(minOf(z, &Vec3f::z), bottom);
  EXPECT_FLOAT_EQ(maxOf(z, &Vec3f::z), bottom + 3.6f);
  EXPECT_GT(bottom, zAxis(0, 100, unit).to.z);
  // The diagonal runs from the bottom left to the top right.
  EXPECT_LT(z[2].from.x, z[2].to.x);
  EXPECT_LT(z[2].from.z, z[2].to.z);
}

TEST(SceneStrokes, AxisStrokesFollowTheShowOptions) {
  const auto count = [](bool xy, bool z, bool labels) {
    return axisStrokes(AxisOptions{xy, z, labels}, extent, unit, label, 0, 100, ViewPreset::Top)
        .size();
  };
  EXPECT_EQ(count(true, true, true), 11u);
  EXPECT_EQ(count(true, true, false), 3u);
  EXPECT_EQ(count(true, false, true), 7u);
  EXPECT_EQ(count(false, true, true), 4u);
  EXPECT_EQ(count(false, false, true), 0u);

  // Order: x axis, y axis, X (2 strokes), Y (3), z axis, Z (3).
  const auto all = axisStrokes(AxisOptions{}, extent, unit, label, 0, 100, ViewPreset::Top);
  const auto same = [](const Segment& a, const Segment& b) {
    return a.from.x == b.from.x && a.from.y == b.from.y && a.from.z == b.from.z &&
           a.to.x == b.to.x && a.to.y == b.to.y && a.to.z == b.to.z;
  };
  EXPECT_TRUE(same(all[0], xAxis(extent, unit)));
  EXPECT_TRUE(same(all[1], yAxis(extent, unit)));
  EXPECT_TRUE(same(all[2], xLetterStrokes(extent, unit, label, ViewPreset::Top)[0]));
  EXPECT_TRUE(same(all[4], yLetterStrokes(extent, unit, label)[0]));
  EXPECT_TRUE(same(all[7], zAxis(0, 100, unit)));
  EXPECT_TRUE(same(all[10], zLetterStrokes(100, unit, label, ViewPreset::Top)[2]));
}

TEST(ArcVertices, QuarterCircle) {
  const auto v = arcVertices(2, 0, Vec3f{}, 1.0f, 0.0f, 1.5707964f);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].x, 1.0f);
  EXPECT_EQ(v[0].y, 0.0f);
  EXPECT_EQ(v[0].z, 0.0f);
  EXPECT_NEAR(v[1].x, 0.0f, 1e-6f);
  EXPECT_NEAR(v[1].y, 1.0f, 1e-6f);
  EXPECT_EQ(v[1].z, 0.0f);
}

TEST(ArcVertices, PlanesCentreAndConstantRadius) {
  const Vec3f c{1, 2, 3};
  const auto xz = arcVertices(3, 1, c, 2.0f, 0.0f, 3.1415927f);
  ASSERT_EQ(xz.size(), 3u);
  EXPECT_NEAR(xz[1].x, 1.0f, 1e-5f);
  EXPECT_EQ(xz[1].y, 2.0f);
  EXPECT_NEAR(xz[1].z, 5.0f, 1e-5f);
  EXPECT_NEAR(xz[2].x, -1.0f, 1e-5f);

  const auto circle = arcVertices(361, 2, c, 2.0f, 0.5f, 6.2831855f);
  for (const Vec3f& p : circle) {
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_NEAR(std::hypot(p.y - 2.0f, p.z - 3.0f), 2.0f, 1e-4f);
  }
  EXPECT_NEAR(circle.back().y, circle.front().y, 1e-4f);
  EXPECT_NEAR(circle.back().z, circle.front().z, 1e-4f);
}

TEST(ArcVertices, DegenerateArcs) {
  EXPECT_TRUE(arcVertices(5, 3, Vec3f{}, 1, 0, 1).empty());
  EXPECT_TRUE(arcVertices(5, -1, Vec3f{}, 1, 0, 1).empty());
  EXPECT_TRUE(arcVertices(0, 0, Vec3f{}, 1, 0, 1).empty());
  EXPECT_TRUE(arcVertices(-4, 0, Vec3f{}, 1, 0, 1).empty());
  const auto one = arcVertices(1, 0, Vec3f{}, 2, 0, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].x, 2.0f);
}
