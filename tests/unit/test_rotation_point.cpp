#include "scene/core/RotationPoint.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orbala;

namespace {

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
