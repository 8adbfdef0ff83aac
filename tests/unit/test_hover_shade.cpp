#include "app/core/HoverShade.h"

#include <gtest/gtest.h>

#include <utility>

using orbala::Rgb;

TEST(HoverShade, LightensUpToTwoHundredSixteenAndDarkensAbove) {
  // 216 is the last channel value that lightens, 217 the first that darkens the whole colour.
  const std::pair<Rgb, Rgb> cases[] = {
      {{216, 216, 216}, {248, 248, 248}}, {{217, 0, 0}, {184, 0, 0}},
      {{0, 0, 217}, {0, 0, 184}},         {{255, 255, 255}, {216, 216, 216}},
      {{212, 208, 200}, {243, 239, 230}}, {{216, 10, 0}, {248, 11, 0}},
      {{40, 60, 80}, {50, 73, 96}},       {{0, 0, 0}, {77, 77, 77}}};
  for (const auto& [in, out] : cases)
    EXPECT_EQ(orbala::hoverShade(in), out) << in.r << "," << in.g << "," << in.b;
}
