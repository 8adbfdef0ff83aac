#include "table/core/PasteBlock.h"

#include <gtest/gtest.h>

#include <tuple>

#include "../support/EncodeText.h"

using namespace orbala;

namespace {

std::string littleEndian(const std::u32string& text) {
  return encodeText(text, TextEncoding::Utf16LE, false);
}

} // namespace

TEST(PasteBlock, DecodesClipboardEncodingsAndNormalisesDecimalCommasAndLineEnds) {
  EXPECT_EQ(normalizePasteText("1,5\t2\t3\r\n4\t5,25\t6\r\n"), "1.5\t2\t3\n4\t5.25\t6\n");
  // A comma-separated line collapses into one cell, as a spreadsheet user would see it; only
  // CR LF pairs are line ends, a lone CR stays for the cell to keep.
  EXPECT_EQ(normalizePasteText("1,2,3"), "1.2.3");
  EXPECT_EQ(normalizePasteText("a\rb\r\r\n"), "a\rb\r\n");

  // Clipboard encodings.
  EXPECT_EQ(latin1ToUtf8("caf\xE9 1,5"), "caf\xC3\xA9 1,5");
  // A byte-order mark is not text; pairs of surrogates join.
  EXPECT_EQ(utf16LeToUtf8(littleEndian(U"\uFEFF1,5\t\u00B5\u20AC\U0001F600")),
            "1,5\t\xC2\xB5\xE2\x82\xAC\xF0\x9F\x98\x80");
  // A lone surrogate and a dangling byte are marked, not dropped or misread.
  EXPECT_EQ(utf16LeToUtf8(littleEndian({0xD83D, 'A'})), "\xEF\xBF\xBD"
                                                        "A");
  EXPECT_EQ(utf16LeToUtf8(littleEndian(U"A") + "B"), "A\xEF\xBF\xBD");
  EXPECT_EQ(utf16LeToUtf8(littleEndian(U"AB") + "C"), "AB\xEF\xBF\xBD");
}

TEST(PasteBlock, PlanKeepsTheBlockInsideTheTable) {
  EXPECT_EQ(cutBlock("1\t2\t3\n4\t5\t6\n7\t8\t9\n", 2, 2), "1\t2\n4\t5\n");
  EXPECT_EQ(cutBlock("1\t2\t3\n4\t5\t6", 5, 1), "1\n4");
  EXPECT_EQ(cutBlock("1\n2\t3\t4\n", 2, 2), "1\n2\t3\n"); // short rows keep what they have
  EXPECT_EQ(cutBlock("1\t2", 0, 2) + cutBlock("1\t2", 2, 0), "");

  // At the first cell of a 1000-row table the 200 extra rows go, as the warning says.
  std::string lines;
  for (int i = 0; i < 1200; ++i)
    lines += std::to_string(i) + "\t1\t2\n";
  const PastePlan top = planPaste(lines, 1000, 10, 0, 0);
  EXPECT_TRUE(top.wasCut);
  EXPECT_EQ(std::make_pair(top.size.rows, top.size.cols), std::make_pair(1000, 3));
  EXPECT_EQ(top.text.substr(top.text.size() - 9), "\n999\t1\t2\n");
  // Lower down the block stops at the last row, and right of the last column nothing is laid
  // down either, instead of growing the table; a block that fits exactly is left alone.
  const auto plan = [](const std::string& text, int row, int col) {
    const PastePlan p = planPaste(text, 10, 10, row, col);
    return std::make_tuple(p.wasCut, p.size.rows, p.size.cols, p.text);
  };
  EXPECT_EQ(plan("1\t2\n3\t4\n5\t6\n", 8, 0),
            std::make_tuple(true, 2, 2, std::string("1\t2\n3\t4\n")));
  EXPECT_EQ(plan("1\t2\t3\t4\n", 0, 8), std::make_tuple(true, 1, 2, std::string("1\t2\n")));
  EXPECT_EQ(plan("1\t2\t3\n", 9, 7), std::make_tuple(false, 1, 3, std::string("1\t2\t3\n")));
}
