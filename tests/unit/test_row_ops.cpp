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

TEST(SizeScale, PrecisionLabelsAndLoadedSizes) {
  EXPECT_EQ(formatSize(0.995), "0.995");
  EXPECT_EQ(formatSize(12.345), "12.3");
  EXPECT_EQ(formatSize(10.0), "10.00");
  EXPECT_EQ(formatSize(-2.0), "-2.000");
  EXPECT_TRUE(scaleRowMatches(ScaleMode::Label, {"Fe", "", "", "", ""}, {"fE", "", "", "", ""}));
  EXPECT_FALSE(scaleRowMatches(ScaleMode::Label, {"Fe", "", "", "", ""}, {"Fe ", "", "", "", ""}));
  EXPECT_EQ(loadedSizePieces("|x|7"), (Texts{"", "x"})); // text after the last "|" is no size
}
