#include "scene/core/SphereStyle.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orbala;

TEST(SphereColour, CellErrorsClampingAndMaterial) {
  // 0 and 255 are the edges; letters read as 0, which is in range; a blank cell is not.
  for (const char* good : {"0", "255", " 12 ", "\t7\n", "red"})
    EXPECT_FALSE(colorCellsInError(good, "1", "2") || colorCellsInError("1", good, "2") ||
                 colorCellsInError("1", "2", good))
        << good;
  for (const char* bad : {" ", "", "256", "-1", "99999999999999", "-99999999999999"})
    EXPECT_TRUE(colorCellsInError(bad, "1", "2") && colorCellsInError("1", bad, "2") &&
                colorCellsInError("1", "2", bad))
        << '"' << bad << '"';
  EXPECT_EQ(clampedCellColor("300", "-5", "abc"), (Rgb{255, 0, 0}));
  EXPECT_EQ(clampedCellColor("12.9", " 40", "7x"), (Rgb{12, 40, 7}));

  // Diffuse is the colour, ambient a quarter of it; both carry the opacity.
  const Material m = sphereMaterial(Rgb{255, 0, 51}, 0.4f);
  EXPECT_EQ(std::vector<float>(m.ambient, m.ambient + 4),
            (std::vector<float>{0.25f, 0, 0.05f, 0.4f}));
  EXPECT_EQ(std::vector<float>(m.diffuse, m.diffuse + 4), (std::vector<float>{1, 0, 0.2f, 0.4f}));
}
