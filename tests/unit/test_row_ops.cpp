#include "table/core/RowOps.h"
#include "table/core/SizeScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orbala;

namespace {
using Texts = std::vector<std::string>;
} // namespace

TEST(RowOps, AutoColourStopsAtTwentyTwoLabels) {
  Texts labels{"C", "c", " C"};
  for (int i = 0; i < 20; ++i)
    labels.push_back("L" + std::to_string(i));
  const std::vector<int> got = autoColorByLabel(labels, std::vector<bool>(labels.size(), true));
  EXPECT_EQ(got[1], 1); // case counts
  EXPECT_EQ(got[2], 2); // and so do blanks
  EXPECT_EQ(got[21], 21);
  EXPECT_EQ(got[22], 22); // the 23rd label shares black with the empty ones
}

TEST(SizeScale, PrecisionStepsAndWarnings) {
  // Three decimals below 1, two from 1 up to 10, one above.
  for (const auto& [size, text] : std::vector<std::pair<double, std::string>>{
           {0.995, "0.995"}, {1.0, "1.00"}, {10.0, "10.00"}, {10.01, "10.0"}, {-2.0, "-2.000"}})
    EXPECT_EQ(formatSize(size), text) << size;
  // A notch is 0.01, 0.1 with Shift or Control, 0.5 with both; opacity moves by 0.1 within
  // 0.1 to 1.
  EXPECT_EQ((std::vector<double>{
                steppedScaleValue(1, true, false, false), steppedScaleValue(1, false, true, false),
                steppedScaleValue(1, true, false, true), steppedScaleValue(1, false, true, true)}),
            (std::vector<double>{1.01, 0.9, 1.1, 0.5}));
  EXPECT_EQ((std::vector<double>{steppedOpacity(0.9, true), steppedOpacity(1, true),
                                 steppedOpacity(0.2, false), steppedOpacity(0.1, false)}),
            (std::vector<double>{1, 1, 0.1, 0.1}));
  EXPECT_EQ(scaleModeFrom(4), ScaleMode::All);
  EXPECT_EQ(scaleModeFrom(5), ScaleMode::Label);
  // Every mode but All needs a reference row; the reference modes exactly one.
  EXPECT_EQ(scaleSelectionWarning(ScaleMode::All, 0), "");
  EXPECT_EQ(scaleSelectionWarning(ScaleMode::Selection, 0),
            "You must select a row to use as the reference row.");
  EXPECT_EQ(scaleSelectionWarning(ScaleMode::Selection, 2), "");
  EXPECT_EQ(scaleSelectionWarning(ScaleMode::Size, 1), "");
  EXPECT_EQ(scaleSelectionWarning(ScaleMode::Color, 2),
            "You can only select 1 row for this type of selection method.");

  EXPECT_TRUE(scaleRowMatches(ScaleMode::Label, {"Fe", "", "", "", ""}, {"fE", "", "", "", ""}));
  EXPECT_FALSE(scaleRowMatches(ScaleMode::Label, {"Fe", "", "", "", ""}, {"Fe ", "", "", "", ""}));
  EXPECT_TRUE(
      scaleRowMatches(ScaleMode::Color, {"a", "1", "2", "3", "1"}, {"b", "1", "2", "3", "2"}));
  EXPECT_FALSE(
      scaleRowMatches(ScaleMode::Size, {"a", "", "", "", "1.0"}, {"a", "", "", "", "1.00"}));
  EXPECT_EQ(loadedSizePieces("|x|7"), (Texts{"", "x"})); // text after the last "|" is no size
}
