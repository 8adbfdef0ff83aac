#include "table/core/CellStore.h"
#include "table/core/PasteBlock.h"
#include "table/core/RowOps.h"
#include "table/core/SizeScale.h"
#include "table/core/TableLimits.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "../support/EncodeText.h"

using namespace orbala;

namespace {

// Column `col` of a store as one character per row ("-" for an empty cell), then the rows whose
// picture is set.
std::string column(const CellStore& store, int col) {
  std::string out;
  for (int r = 0; r < store.rows(); ++r)
    out += store.text(r, col).empty() ? '-' : store.text(r, col)[0];
  out += ' ';
  for (int r = 0; r < store.rows(); ++r)
    if (store.picture(r, col)) out += static_cast<char>('0' + r);
  return out;
}

CellStore digits(int pictureRow) {
  CellStore store;
  store.reset(10, 2);
  for (int r = 0; r < 10; ++r)
    store.setText(r, 1, std::to_string(r));
  static int mark;
  store.setPicture(pictureRow, 1, &mark);
  return store;
}

using Texts = std::vector<std::string>;

std::string littleEndian(const std::u32string& text) {
  return encodeText(text, TextEncoding::Utf16LE, false);
}

} // namespace

TEST(CellStore, KeepsTextsOfEveryLengthAndCutsOverlongOnes) {
  CellStore store;
  store.reset(3, 2);
  const std::string euro = "\xE2\x82\xAC"; // three bytes that must not be split
  for (const std::string& text : {std::string(), std::string("1.0"), std::string(15, 'a'),
                                  std::string(16, 'b'), std::string(kMaxCellText, 'c')}) {
    store.setText(2, 1, text);
    EXPECT_EQ(store.text(2, 1), text);
  }
  store.setText(2, 1, std::string(kMaxCellText - 1, 'd') + euro);
  EXPECT_EQ(store.text(2, 1), std::string(kMaxCellText - 1, 'd'));
  // A cell set from its own text, long or short, keeps it.
  for (const std::string& text : {std::string(40, 'e'), std::string("short")}) {
    store.setText(0, 0, text);
    store.setText(0, 0, store.text(0, 0));
    EXPECT_EQ(store.text(0, 0), text);
  }
  // Outside the table nothing is kept and nothing breaks.
  store.setText(3, 0, "x");
  store.setText(-1, 0, "x");
  store.setPicture(0, 2, &store);
  EXPECT_TRUE(store.text(3, 0).empty() && store.text(0, 2).empty() && !store.picture(0, 2));
}

TEST(CellStore, ShiftsMoveTextsAndRowsOrColumnsAddedOrRemovedTheirPictures) {
  CellStore store = digits(4);
  store.shiftDown(2);
  EXPECT_EQ(column(store, 1), "01-2345678 4");
  store.shiftUp(2, 1);
  EXPECT_EQ(column(store, 1), "012345678- 4");
  store.shiftDown(9); // the last row: only it is emptied
  EXPECT_EQ(column(store, 1), "012345678- 4");
  // A span reaching past the end takes only the rows the table has.
  store.shiftUp(8, 2000000000);
  EXPECT_EQ(column(store, 1), "01234567-- 4");
  store.shiftDown(10);
  store.shiftUp(3, 0);
  EXPECT_EQ(column(store, 1), "01234567-- 4");
  EXPECT_EQ(column(store, 0), "---------- ");

  // Rows and columns added or removed keep texts with their pictures.
  store = digits(4);
  store.insertRows(3, 2);
  EXPECT_EQ(column(store, 1), "012--3456789 6");
  store.removeRows(0, 3);
  EXPECT_EQ(column(store, 1), "--3456789 3");
  store.removeRows(7, 5); // past the end: the rows there are
  EXPECT_EQ(store.rows(), 7);
  store.insertColumns(0, 1);
  EXPECT_EQ(column(store, 2), "--34567 3");
  store.removeColumns(0, 2);
  EXPECT_EQ(store.cols(), 1);
  EXPECT_EQ(column(store, 0), "--34567 3");
  // A filled column: rows added to it are empty, a row written differs alone.
  store.fillColumn(0, "1.0");
  store.fillPictures(0, nullptr);
  store.insertRows(1, 1);
  store.setText(0, 0, "x");
  EXPECT_EQ(column(store, 0), "x-111111 ");
  // Rows added at the end are empty too; past the end nothing is added.
  store.insertRows(store.rows(), 2);
  store.insertRows(store.rows() + 1, 1);
  EXPECT_EQ(column(store, 0), "x-111111-- ");
  store.clear();
  EXPECT_EQ(column(store, 0), "---------- ");
}

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
