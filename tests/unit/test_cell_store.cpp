#include "table/core/CellStore.h"

#include <gtest/gtest.h>

#include <string>

#include "table/core/TableLimits.h"

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
