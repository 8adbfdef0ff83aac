#include "scene/core/RotationPoint.h"

#include <gtest/gtest.h>

using namespace orbala;

namespace {

// Three table rows; the third has an empty z cell.
bool rows(int row, Vec3d& out) {
  if (row == 0) out = Vec3d{1, 2, 3};
  if (row == 1) out = Vec3d{-4, 5, 6.5};
  return row < 2;
}

std::optional<Vec3d> byNumber(std::string_view text, int tableRows = 3) {
  return rotationPoint(RotationPointChoice::PointNumber, DataBounds{}, text, tableRows, rows, "",
                       "", "");
}

std::optional<Vec3d> typed(std::string_view x, std::string_view y, std::string_view z) {
  return rotationPoint(RotationPointChoice::TypedPoint, DataBounds{}, "", 0, rows, x, y, z);
}

} // namespace

TEST(RotationPoint, OriginAndGeometricCenter) {
  auto p = rotationPoint(RotationPointChoice::Origin, DataBounds{1, 2, 3, 4, 5, 6}, "", 0, rows, "",
                         "", "");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 0.0);
  EXPECT_EQ(p->z, 0.0);
  p = rotationPoint(RotationPointChoice::GeometricCenter, initialDataBounds, "", 0, rows, "", "",
                    "");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 0.0);
  EXPECT_EQ(p->y, 0.0);
  EXPECT_EQ(p->z, 50.0);
  // The middle of the box, not the mean of the points.
  p = rotationPoint(RotationPointChoice::GeometricCenter, DataBounds{-1, 5, 0, 0, 2, 2}, "", 0,
                    rows, "", "", "");
  EXPECT_EQ(p->x, 2.0);
}

TEST(RotationPoint, PointNumber) {
  auto p = byNumber("  2 ");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, -4.0);
  EXPECT_EQ(p->z, 6.5);
  EXPECT_TRUE(byNumber("1"));
  EXPECT_FALSE(byNumber("0"));
  EXPECT_FALSE(byNumber("-1"));
  EXPECT_FALSE(byNumber(""));
  EXPECT_FALSE(byNumber(" \t "));
  EXPECT_FALSE(byNumber("-2147483648"));
  // Row 3 exists but lacks a coordinate; row 4 is beyond the table.
  EXPECT_FALSE(byNumber("3"));
  EXPECT_FALSE(byNumber("4", 10));
  // A row beyond the table is refused before its cells are read.
  EXPECT_FALSE(byNumber("2", 1));
  EXPECT_FALSE(
      rotationPoint(RotationPointChoice::PointNumber, DataBounds{}, "1", 3, nullptr, "", "", ""));
}

TEST(RotationPoint, TypedPoint) {
  auto p = typed(" 1.5", "-2", "3e2 ");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 1.5);
  EXPECT_EQ(p->y, -2.0);
  EXPECT_EQ(p->z, 300.0);
  p = typed("abc", "0", "x1");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 0.0);
  EXPECT_EQ(p->z, 0.0);
  EXPECT_FALSE(typed("", "0", "0"));
  EXPECT_FALSE(typed("0", " ", "0"));
  EXPECT_FALSE(typed("0", "0", ""));
}

TEST(RotationPoint, StoredChoiceOutsideTheRangeIsOrigin) {
  EXPECT_EQ(rotationPointChoiceFromIndex(3), RotationPointChoice::TypedPoint);
  EXPECT_EQ(rotationPointChoiceFromIndex(4), RotationPointChoice::Origin);
  EXPECT_EQ(rotationPointChoiceFromIndex(-1), RotationPointChoice::Origin);
}
