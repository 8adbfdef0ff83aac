#include "app/core/HoverShade.h"

#include <gtest/gtest.h>

using orbala::hoverShade;
using orbala::Rgb;

TEST(HoverShade, WorkedValues) {
  EXPECT_EQ(hoverShade(Rgb{212, 208, 200}), (Rgb{243, 239, 230}));
  EXPECT_EQ(hoverShade(Rgb{255, 255, 255}), (Rgb{216, 216, 216}));
  EXPECT_EQ(hoverShade(Rgb{0, 0, 0}), (Rgb{77, 77, 77}));
  EXPECT_EQ(hoverShade(Rgb{40, 60, 80}), (Rgb{50, 73, 96}));
  EXPECT_EQ(hoverShade(Rgb{216, 10, 0}), (Rgb{248, 11, 0}));
}

TEST(HoverShade, DarkensOnlyAboveTwoHundredSixteen) {
  EXPECT_EQ(hoverShade(Rgb{217, 0, 0}), (Rgb{184, 0, 0}));
  EXPECT_EQ(hoverShade(Rgb{0, 0, 217}), (Rgb{0, 0, 184}));
  EXPECT_EQ(hoverShade(Rgb{216, 216, 216}), (Rgb{248, 248, 248}));
}

TEST(HoverShade, EveryColourStaysInRangeAndMovesTheExpectedWay) {
  for (int r = 0; r < 256; r += 3) {
    for (int g = 0; g < 256; g += 7) {
      for (int b = 0; b < 256; b += 11) {
        const Rgb out = hoverShade(Rgb{r, g, b});
        const int way = r > 216 || g > 216 || b > 216 ? -1 : 1;
        for (auto [before, after] : {std::pair{r, out.r}, {g, out.g}, {b, out.b}})
          ASSERT_TRUE(after >= 0 && after <= 255 && (after - before) * way >= 0)
              << r << "," << g << "," << b;
      }
    }
  }
}
