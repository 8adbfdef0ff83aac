#include "scene/core/SphereStyle.h"

#include <gtest/gtest.h>

using namespace orbala;

TEST(SphereColour, CellErrors) {
  EXPECT_FALSE(colorCellsInError("0", "128", "255"));
  EXPECT_FALSE(colorCellsInError(" 12 ", "\t7", "200\n"));
  // Letters read as 0, which is in range; a blank cell is not.
  EXPECT_FALSE(colorCellsInError("red", "0", "0"));
  EXPECT_TRUE(colorCellsInError(" ", "0", "0"));
  EXPECT_TRUE(colorCellsInError("0", "", "0"));
  EXPECT_TRUE(colorCellsInError("0", "0", "\t"));
  EXPECT_TRUE(colorCellsInError("256", "0", "0"));
  EXPECT_TRUE(colorCellsInError("0", "-1", "0"));
  EXPECT_TRUE(colorCellsInError("0", "0", "99999999999999"));
  EXPECT_TRUE(colorCellsInError("0", "0", "-99999999999999"));
}

TEST(SphereColour, ClampedCellColor) {
  EXPECT_EQ(clampedCellColor("300", "-5", "abc"), (Rgb{255, 0, 0}));
  EXPECT_EQ(clampedCellColor("12.9", " 40", "7x"), (Rgb{12, 40, 7}));
}

TEST(SphereColour, Material) {
  // Diffuse is the colour, ambient a quarter of it; both carry the opacity.
  const Material m = sphereMaterial(Rgb{255, 0, 51}, 0.4f);
  EXPECT_FLOAT_EQ(m.ambient[0], 0.25f);
  EXPECT_FLOAT_EQ(m.ambient[2], 0.05f);
  EXPECT_FLOAT_EQ(m.diffuse[2], 0.2f);
  EXPECT_TRUE(m.ambient[3] == 0.4f && m.diffuse[3] == 0.4f);
}
