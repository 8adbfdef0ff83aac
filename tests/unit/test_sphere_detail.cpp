// The tessellation of a meshed sphere follows its size on screen.
#include <gtest/gtest.h>

#include <cmath>

#include "render/core/SphereDetail.h"

using orbala::sphereDetail;

TEST(SphereDetail, CoarsestMeshThatLooksTheSameNeverFinerThanAsked) {
  EXPECT_EQ(sphereDetail(0.0, 40), 8);
  EXPECT_EQ(sphereDetail(3.0, 40), 8);
  EXPECT_EQ(sphereDetail(60.0, 40), 40);
  EXPECT_EQ(sphereDetail(60.0, 10), 10);
  EXPECT_EQ(sphereDetail(2.0, 6), 6);
  // An unknown scale draws as asked.
  EXPECT_EQ(sphereDetail(std::nan(""), 40), 40);
  EXPECT_EQ(sphereDetail(-1.0, 40), 40);
  const double pi = 3.14159265358979323846;
  for (double r = 0.25; r < 200.0; r *= 1.1) {
    const int n = sphereDetail(r, 40);
    if (n < 40) {
      EXPECT_LE(r * (1.0 - std::cos(pi / n)), 0.25) << r; // outline within a quarter pixel
    }
    EXPECT_GE(sphereDetail(r * 1.1, 40), n) << r; // growing never coarsens
  }
}
