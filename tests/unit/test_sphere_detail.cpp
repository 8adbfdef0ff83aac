// The tessellation of a meshed sphere follows its size on screen.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "render/core/SphereDetail.h"

using orbala::sphereDetail;

TEST(SphereDetail, FewestSubdivisionsThatKeepTheOutlineWithinAQuarterPixel) {
  // 8 sides hold up to r = 0.25 / (1 − cos(π/8)) = 3.284; never finer than asked; an unknown
  // scale draws as asked.
  for (const auto& [radius, requested, want] :
       std::vector<std::tuple<double, int, int>>{{0.0, 40, 8},
                                                 {3.284, 40, 8},
                                                 {3.285, 40, 12},
                                                 {1e6, 40, 40},
                                                 {60.0, 10, 10},
                                                 {2.0, 6, 6},
                                                 {std::nan(""), 40, 40},
                                                 {-1.0, 40, 40}})
    EXPECT_EQ(sphereDetail(radius, requested), want) << radius << " " << requested;
  const double pi = 3.14159265358979323846;
  for (double r = 0.25; r < 200.0; r *= 1.1) {
    const int n = sphereDetail(r, 40);
    EXPECT_TRUE(n == 40 || r * (1.0 - std::cos(pi / n)) <= 0.25) << r;
    EXPECT_GE(sphereDetail(r * 1.1, 40), n) << r << ": a larger sphere is never coarser";
  }
}
