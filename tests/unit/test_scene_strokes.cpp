#include "scene/core/SceneStrokes.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

using namespace orbala;

namespace {

constexpr double extent = 50.0;
constexpr double unit = 24.95; // R 499 at extent 50
constexpr double label = 1.0;  // 0.02 × extent

// The lowest and highest value of one coordinate over every stroke end.
std::pair<float, float> span(const std::vector<Segment>& s, float Vec3f::*c) {
  float lo = s.front().from.*c, hi = lo;
  for (const Segment& g : s) {
    lo = std::min({lo, g.from.*c, g.to.*c});
    hi = std::max({hi, g.from.*c, g.to.*c});
  }
  return {lo, hi};
}

std::tuple<float, float, float, float, float, float> ends(const Segment& s) {
  return {s.from.x, s.from.y, s.from.z, s.to.x, s.to.y, s.to.z};
}

const std::pair<float, float> kFlat{0.0f, 0.0f};

} // namespace

TEST(SceneStrokes, AxesAndLetterSize) {
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

  EXPECT_EQ(letterHalfHeight(label), 1.5f);
  EXPECT_EQ(letterHalfWidth(label), 1.125f);
}

TEST(SceneStrokes, XLetterIsTallerInTheSideViews) {
  const auto top = xLetterStrokes(extent, unit, label, ViewPreset::Top);
  const auto side = xLetterStrokes(extent, unit, label, ViewPreset::YZ);
  ASSERT_EQ(top.size(), 2u);
  ASSERT_EQ(side.size(), 2u);
  EXPECT_FLOAT_EQ(span(top, &Vec3f::z).second, 1.5f);
  EXPECT_FLOAT_EQ(span(side, &Vec3f::z).first, -1.8f);
  EXPECT_FLOAT_EQ(span(side, &Vec3f::z).second, 1.8f);
  for (const auto& letter : {top, side}) {
    EXPECT_EQ(span(letter, &Vec3f::y), kFlat);
    // Centred beyond the end of the x axis.
    const auto [lo, hi] = span(letter, &Vec3f::x);
    EXPECT_FLOAT_EQ((lo + hi) / 2, static_cast<float>(extent + unit + 0.06 * extent));
    EXPECT_GT((lo + hi) / 2, xAxis(extent, unit).to.x);
  }
  EXPECT_EQ(xLetterStrokes(extent, unit, label, ViewPreset::Bottom)[0].from.z, 1.5f);
}

TEST(SceneStrokes, YLetterStandsInThePlaneXZeroInEveryView) {
  const auto y = yLetterStrokes(extent, unit, label);
  ASSERT_EQ(y.size(), 3u);
  EXPECT_EQ(span(y, &Vec3f::x), kFlat);
  // All three strokes meet at the fork on the y axis.
  for (const Segment& s : y)
    EXPECT_FLOAT_EQ(s.to.y, static_cast<float>(extent + unit + 1.5));
  EXPECT_FLOAT_EQ(span(y, &Vec3f::z).first, -1.8f);
  EXPECT_FLOAT_EQ(span(y, &Vec3f::z).second, 1.8f);
}

TEST(SceneStrokes, ZLetterFacesTheViewAndSitsAboveTheData) {
  // In the plane y = 0, or x = 0 after the y-z and x-y-z views.
  for (ViewPreset p :
       {ViewPreset::Top, ViewPreset::Bottom, ViewPreset::XZ, ViewPreset::YZ, ViewPreset::XYZ}) {
    const auto z = zLetterStrokes(100, unit, label, p);
    ASSERT_EQ(z.size(), 3u);
    const bool side = p == ViewPreset::YZ || p == ViewPreset::XYZ;
    EXPECT_EQ(span(z, side ? &Vec3f::x : &Vec3f::y), kFlat);
    EXPECT_FLOAT_EQ(span(z, side ? &Vec3f::y : &Vec3f::x).second, 1.125f);
  }
  const auto z = zLetterStrokes(100, unit, label, ViewPreset::Top);
  const float bottom = static_cast<float>(100 + 2 * unit + 1.5);
  EXPECT_FLOAT_EQ(span(z, &Vec3f::z).first, bottom);
  EXPECT_FLOAT_EQ(span(z, &Vec3f::z).second, bottom + 3.6f);
  EXPECT_GT(bottom, zAxis(0, 100, unit).to.z);
  // The diagonal runs from the bottom left to the top right.
  EXPECT_LT(z[2].from.x, z[2].to.x);
  EXPECT_LT(z[2].from.z, z[2].to.z);
}

TEST(SceneStrokes, AxisStrokesFollowTheShowOptions) {
  const auto strokes = [](bool xy, bool z, bool labels) {
    return axisStrokes(AxisOptions{xy, z, labels}, extent, unit, label, 0, 100, ViewPreset::Top);
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
  EXPECT_EQ(ends(all[2]), ends(xLetterStrokes(extent, unit, label, ViewPreset::Top)[0]));
  EXPECT_EQ(ends(all[4]), ends(yLetterStrokes(extent, unit, label)[0]));
  EXPECT_EQ(ends(all[7]), ends(zAxis(0, 100, unit)));
  EXPECT_EQ(ends(all[10]), ends(zLetterStrokes(100, unit, label, ViewPreset::Top)[2]));
}

TEST(ArcVertices, PlanesCentreAndConstantRadius) {
  const auto quarter = arcVertices(2, 0, Vec3f{}, 1.0f, 0.0f, 1.5707964f);
  ASSERT_EQ(quarter.size(), 2u);
  EXPECT_EQ(std::make_tuple(quarter[0].x, quarter[0].y, quarter[0].z),
            std::make_tuple(1.f, 0.f, 0.f));
  EXPECT_NEAR(quarter[1].x, 0.0f, 1e-6f);
  EXPECT_NEAR(quarter[1].y, 1.0f, 1e-6f);
  EXPECT_EQ(quarter[1].z, 0.0f);

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
  for (const auto& [segments, plane] :
       std::vector<std::pair<int, int>>{{5, 3}, {5, -1}, {0, 0}, {-4, 0}})
    EXPECT_TRUE(arcVertices(segments, plane, Vec3f{}, 1, 0, 1).empty()) << segments << ' ' << plane;
  const auto one = arcVertices(1, 0, Vec3f{}, 2, 0, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].x, 2.0f);
}
