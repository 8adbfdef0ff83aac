#include "scene/core/RotationPoint.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orbala;

namespace {

// Three table rows; the third has an empty z cell.
bool rows(int row, Vec3d& out) {
  if (row == 0) out = Vec3d{1, 2, 3};
  if (row == 1) out = Vec3d{-4, 5, 6.5};
  return row < 2;
}

std::optional<std::tuple<double, double, double>>
point(RotationPointChoice choice, DataBounds bounds, std::string_view number, int tableRows,
      std::string_view x = "", std::string_view y = "", std::string_view z = "") {
  const auto p = rotationPoint(choice, bounds, number, tableRows, rows, x, y, z);
  if (!p) return std::nullopt;
  return std::make_tuple(p->x, p->y, p->z);
}

std::optional<std::tuple<double, double, double>> byNumber(std::string_view text,
                                                           int tableRows = 3) {
  return point(RotationPointChoice::PointNumber, DataBounds{}, text, tableRows);
}

std::optional<std::tuple<double, double, double>> typed(std::string_view x, std::string_view y,
                                                        std::string_view z) {
  return point(RotationPointChoice::TypedPoint, DataBounds{}, "", 0, x, y, z);
}

} // namespace

TEST(RotationPoint, OriginAndGeometricCenter) {
  EXPECT_EQ(point(RotationPointChoice::Origin, DataBounds{1, 2, 3, 4, 5, 6}, "", 0),
            std::make_tuple(0.0, 0.0, 0.0));
  EXPECT_EQ(point(RotationPointChoice::GeometricCenter, initialDataBounds, "", 0),
            std::make_tuple(0.0, 0.0, 50.0));
  // The middle of the box, not the mean of the points.
  EXPECT_EQ(point(RotationPointChoice::GeometricCenter, DataBounds{-1, 5, 0, 0, 2, 2}, "", 0),
            std::make_tuple(2.0, 0.0, 2.0));
}

TEST(RotationPoint, PointNumber) {
  EXPECT_EQ(byNumber("  2 "), std::make_tuple(-4.0, 5.0, 6.5));
  EXPECT_EQ(byNumber("1"), std::make_tuple(1.0, 2.0, 3.0));
  // Row 3 exists but lacks a coordinate; row 4 is beyond the table; with one table row, row 2
  // is refused before its cells are read.
  for (const char* bad : {"0", "-1", "", " \t ", "-2147483648", "3"})
    EXPECT_FALSE(byNumber(bad)) << bad;
  EXPECT_FALSE(byNumber("4", 10));
  EXPECT_FALSE(byNumber("2", 1));
  EXPECT_FALSE(
      rotationPoint(RotationPointChoice::PointNumber, DataBounds{}, "1", 3, nullptr, "", "", ""));
}

TEST(RotationPoint, TypedPoint) {
  EXPECT_EQ(typed(" 1.5", "-2", "3e2 "), std::make_tuple(1.5, -2.0, 300.0));
  EXPECT_EQ(typed("abc", "0", "x1"), std::make_tuple(0.0, 0.0, 0.0));
  EXPECT_FALSE(typed("", "0", "0"));
  EXPECT_FALSE(typed("0", " ", "0"));
  EXPECT_FALSE(typed("0", "0", ""));
}

TEST(RotationPoint, StoredChoiceOutsideTheRangeIsOrigin) {
  EXPECT_EQ(rotationPointChoiceFromIndex(3), RotationPointChoice::TypedPoint);
  EXPECT_EQ(rotationPointChoiceFromIndex(4), RotationPointChoice::Origin);
  EXPECT_EQ(rotationPointChoiceFromIndex(-1), RotationPointChoice::Origin);
}
