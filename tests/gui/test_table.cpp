// The point table: typed points becoming point data, the data-row rules, the Show and Opaque
// cells, clearing, and pasting (directly and through the clipboard).
#include "GuiHarness.h"

#include <fxkeys.h>

#include "table/Table_zk2.h"

class TableTest : public OrbalaTest {
protected:
  long keyRelease(FXuint code, FXuint state) {
    return sendEvent(SEL_KEYRELEASE, Orbala::ID_TABLE, code, state, win->table);
  }
  // Pastes at a cell, with no selection to take the origin from.
  void goTo(int row, int col) {
    win->table->killSelection();
    win->table->setCurrentItem(row, col);
  }
  void pasteAt(int row, int col, const char* text) {
    goTo(row, col);
    win->table->pasteText(text);
  }
  // The first `width` pixels of a cell, as the screen shows them.
  std::vector<FXColor> cellStart(int row, int col, int width) {
    pump();
    const ViewerPicture shot = onScreen(win->table);
    const int x0 = win->table->getColumnX(col) + 1, y0 = win->table->getRowY(row) + 1;
    std::vector<FXColor> out;
    for (int y = y0; y < y0 + win->table->getRowHeight(row) - 2; ++y)
      for (int x = x0; x < x0 + width; ++x)
        out.push_back(shot.at(x, y));
    return out;
  }
  // Empty cells, size 1.0, shown and opaque.
  bool isDefaultRow(int row) const {
    return cells(row, 0, 7) == Strings{"", "", "", "", "", "", "", "1.0"} &&
           win->table->getItemIcon(row, 8) == win->tableIcon &&
           win->table->getItemIcon(row, 9) == win->tableIcon &&
           win->rowState.showFlags[row] + win->rowState.opaqueFlags[row] == 2 &&
           win->rowState.relativeSizes[row] == 1.0;
  }
};

TEST_F(TableTest, TypedPointsBecomePointDataUpToTheFirstRowThatFails) {
  // An empty table: no points, but the arrays keep one entry; nothing is measured.
  win->readTable(true);
  EXPECT_EQ(win->pointData.pointCount, 0);
  EXPECT_EQ(win->pointData.xValues.size() + win->pointData.zValues.size(), 2u);
  command(Orbala::ID_REDRAW);
  EXPECT_EQ(win->sceneGroup->no(), 0);

  setRow(0, {"C", "1,5", "-2", " 3 ", "", "", "", "2"});
  setRow(1, {"", "abc", "0.25", "1e2", "", "", "", "0,5"});
  setRow(2, {"H", "4", "5", "6"});
  command(Orbala::ID_REDRAW);
  const auto& p = win->pointData;
  ASSERT_EQ(p.pointCount, 3);
  EXPECT_EQ(p.xValues, (std::vector<double>{1.5, 0.0, 4.0}));
  EXPECT_EQ(p.yValues, (std::vector<double>{-2.0, 0.25, 5.0}));
  EXPECT_EQ(p.zValues, (std::vector<double>{3.0, 100.0, 6.0}));
  EXPECT_EQ(win->rowState.relativeSizes[1], 0.5);
  // Redraw does not refit: the view keeps its measured extent (the initial 100) until a refit.
  EXPECT_DOUBLE_EQ(win->dataExtent, 100.0);
  EXPECT_EQ(spheres().size(), 3u);

  for (int r = 0; r < 10; ++r)
    setRow(r, {"", std::to_string(r), "1", "2"});
  setRow(5, {"", "", "", ""});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 5); // rows 6 to 9 are not data
  for (const auto& [size, count] : {std::pair{"0.005", 5}, {"0", 5}, {"0.01", 10}}) {
    setRow(5, {"", "5", "1", "2", "", "", "", size});
    win->readTable(false);
    EXPECT_EQ(win->pointData.pointCount, count) << size;
  }
  // Blanks are no coordinate for the data, but the element functions still see one.
  setRow(3, {"", "  ", "1", "2"});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 3);
  EXPECT_TRUE(win->rowHasCoordinates(3));
  EXPECT_FALSE(win->rowHasCoordinates(10));
}

TEST_F(TableTest, ClicksToggleShowAndOpaqueOrChooseTheScaleMode) {
  setRow(0, {"N", "1", "1", "1", "10", "20", "30", "1.7"});
  setRow(1, {"", "2", "2", "2", "", "", "", "3"});
  win->readTable(true);
  ASSERT_EQ(spheres().size(), 2u);
  for (int shown : {0, 1}) {
    EXPECT_EQ(clickCell(1, 8), 1);
    EXPECT_EQ(win->rowState.showFlags[1], shown);
    EXPECT_EQ(win->table->getItemIcon(1, 8), shown ? win->tableIcon : nullptr);
    EXPECT_EQ(spheres().size(), 1u + shown);
    EXPECT_STREQ(win->scaleSizeField->getText().text(), "3");
  }
  EXPECT_EQ(clickCell(0, 9), 1);
  EXPECT_EQ(win->rowState.opaqueFlags[0], 0);
  EXPECT_EQ(win->table->getItemIcon(0, 9), nullptr);
  // A drag that ends over a cell changes nothing.
  EXPECT_EQ(clickCell(0, 9, true), 1);
  EXPECT_EQ(win->rowState.opaqueFlags[0], 0);

  // Other columns go on to the table's own handling; coordinates leave the mode alone.
  for (const auto& [col, mode] : {std::pair{5, 2}, {7, 3}, {0, 0}, {2, 0}}) {
    EXPECT_EQ(clickCell(0, col), 0);
    EXPECT_EQ(win->scaleSizeType, mode) << col;
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(win->scaleModeRadios[i]->getCheck(), i == mode) << col;
  }
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "1.7");
}

TEST_F(TableTest, ClearAndSetUpGiveCentredDefaultRows) {
  for (int r = 0; r < 4; ++r)
    setRow(r, {"C", "1", "2", "3", "1", "2", "3", "4"});
  win->table->setItemIcon(2, 0, win->iconOpen);
  setTick(1, 8, false);
  setTick(3, 9, false);
  win->readTable(true);
  command(Orbala::ID_CLEAR_DATA);
  for (int r = 0; r < 4; ++r)
    EXPECT_TRUE(isDefaultRow(r)) << r;
  EXPECT_EQ(win->table->getItemIcon(2, 0), nullptr);
  EXPECT_EQ(win->pointData.pointCount + win->sceneGroup->no(), 0);
  EXPECT_EQ(win->table->getNumRows(), 1000);

  // A new table has at least ten rows.
  setRow(2, {"O", "1", "2", "3"});
  win->rowState.showFlags[2] = 0;
  win->setUpTable(5);
  ASSERT_EQ(win->table->getNumRows(), 10);
  EXPECT_EQ(win->rowState.size(), 10);
  for (int r = 0; r < 10; ++r)
    EXPECT_TRUE(isDefaultRow(r)) << r;
  // Cells made later, by typing, are centred like the others.
  win->table->setItemText(4, 3, "2,5");
  EXPECT_EQ(win->table->getItemJustify(4, 3), FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
  EXPECT_EQ(cell(4, 3), "2.5");
}

// The table counts and lays a pasted block itself; it must do so as the toolkit's overlay does.
TEST_F(TableTest, PasteLaysCellsLikeTheToolkit) {
  auto* plain = new FXTable(win->valuesGroup);
  for (const char* text : {"a", "a\n", "a\n\n", "\n", "a\tb\nc", "a\tb\tc\n1\n", "x\n\ny",
                           "x\n\ny\t", "a\n\nb", "\t", "a\t\tb\nc\td", "a\tb\tc\td", "p\tq\n"}) {
    plain->setTableSize(6, 5);
    win->table->setTableSize(6, 5);
    for (int i = 0; i < 30; ++i) {
      plain->setItemText(i / 5, i % 5, "o");
      win->table->setItemText(i / 5, i % 5, "o");
    }
    FXint rows = 0, cols = 0;
    plain->countText(rows, cols, text, "\t", "\n");
    plain->overlayText(1, rows, 1, cols, text, "\t", "\n");
    pasteAt(1, 1, text);
    for (int i = 0; i < 30; ++i)
      EXPECT_EQ(cell(i / 5, i % 5), plain->getItemText(i / 5, i % 5).text()) << text << " at " << i;
  }
}

TEST_F(TableTest, PasteNeverGrowsTheTableAndALongOneIsWarnedAboutOnce) {
  std::string lines;
  for (int i = 0; i < 1200; ++i)
    lines += std::to_string(i) + "\t" + std::to_string(i) + ",5\t1\n";
  pasteAt(0, 1, lines.c_str());
  EXPECT_EQ(std::make_pair(win->table->getNumRows(), win->rowState.size()),
            std::make_pair(1000, 1000));
  EXPECT_TRUE(win->table->pasteWasCut);
  EXPECT_EQ(cells(999, 1, 2), (Strings{"999", "999.5"}));

  // Releasing Ctrl+V reads the table with the warning.
  EXPECT_EQ(keyRelease(KEY_v, CONTROLMASK), 1);
  EXPECT_EQ(dialogs->titles(), Strings{"Data paste warning"});
  EXPECT_FALSE(win->table->pasteWasCut);
  EXPECT_DOUBLE_EQ(win->dataExtent, 999.5);
  EXPECT_EQ(spheres().size(), 1000u);

  // The next read has nothing to warn about; other keys read nothing.
  win->readTable(false);
  EXPECT_EQ(dialogs->boxes.size(), 1u);
  setRow(0, {"", "", "", ""});
  EXPECT_EQ(keyRelease(KEY_v, 0), 0);
  EXPECT_EQ(keyRelease(KEY_c, CONTROLMASK), 0);
  EXPECT_EQ(win->pointData.pointCount, 1000);

  // A selection decides the origin over the current cell.
  goTo(0, 0);
  win->table->selectRange(5, 6, 2, 3);
  win->table->pasteText("7\t8");
  EXPECT_EQ(cells(5, 2, 3), (Strings{"7", "8"}));

  // Right after a new table there is no current cell: the paste starts at the first.
  win->setUpTable(20);
  ASSERT_LT(win->table->getCurrentRow(), 0);
  win->table->pasteText("x\t4\t5\t6");
  win->table->pasteText(""); // nothing to paste: nothing changes
  EXPECT_EQ(cell(0, 0) + cell(0, 3), "x6");
  EXPECT_EQ(win->table->getNumRows(), 20);
}

TEST_F(TableTest, ToolBarSelectCopyCutAndPasteGoThroughTheClipboard) {
  command(Orbala::ID_SELECT_ALL);
  EXPECT_TRUE(win->table->isItemSelected(0, 0) && win->table->isItemSelected(999, 9));
  setRow(0, {"He", "1", "2", "3"});
  setRow(1, {"Li", "4", "5", "6"});
  win->table->selectRange(0, 1, 0, 3);
  command(Orbala::ID_COPY_SELECTION);
  goTo(10, 0);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cell(10, 0) + cell(11, 3), "He6");
  // The plot follows only at the next command that reads the table.
  EXPECT_EQ(win->pointData.pointCount, 0);
  command(Orbala::ID_REDRAW);
  EXPECT_EQ(win->pointData.pointCount, 2);

  // Text from another widget, with decimal commas.
  auto* field = new FXTextField(win->valuesGroup, 20);
  field->create();
  field->setText("7,5\t8,25");
  field->handle(nullptr, FXSEL(SEL_COMMAND, FXTextField::ID_SELECT_ALL), nullptr);
  field->handle(nullptr, FXSEL(SEL_COMMAND, FXTextField::ID_COPY_SEL), nullptr);
  goTo(20, 1);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cells(20, 1, 2), (Strings{"7.5", "8.25"}));
  EXPECT_TRUE(win->table->isItemSelected(20, 2) && !win->table->pasteWasCut);

  // The table's own Ctrl+V takes the same road.
  goTo(21, 2);
  FXEvent press{};
  press.code = KEY_v;
  press.state = CONTROLMASK;
  win->table->handle(win->table, FXSEL(SEL_KEYPRESS, 0), &press);
  EXPECT_EQ(cells(21, 2, 3), (Strings{"7.5", "8.25"}));

  // Cut takes the texts but keeps the marks.
  setTick(1, 8, false);
  select(0, 1, 0, 9);
  win->table->handle(win, FXSEL(SEL_COMMAND, FXTable::ID_CUT_SEL), nullptr);
  EXPECT_EQ(cells(0, 0, 3), (Strings{"", "", "", ""}));
  EXPECT_EQ(cell(1, 7), "");
  EXPECT_EQ(win->table->getItemIcon(0, 8), win->tableIcon);
  EXPECT_EQ(win->table->getItemIcon(1, 8), nullptr);
  // What was cut comes back where it is pasted.
  goTo(5, 0);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cells(6, 0, 3), (Strings{"Li", "4", "5", "6"}));
}

// As in any spreadsheet: typing replaces, F2, Enter and a double click edit in place, Delete and
// BackSpace empty the selection; the plot follows. Through the X server, as a person types.
TEST_F(TableTest, KeysOnCellsReplaceEditAndEmptyThem) {
  setRow(0, {"C", "1.0", "2", "3"});
  setRow(1, {"N", "4", "5", "6"});
  command(Orbala::ID_REDRAW);
  xClickCell(0, 1);
  xType("5");
  ASSERT_NE(cellEditor(), nullptr);
  EXPECT_STREQ(cellEditor()->getText().text(), "5");
  xKeys({"Return", "F2", "7", "Return", "Return", "8", "BackSpace", "9", "Return"});
  EXPECT_EQ(cell(0, 1), "579");
  xClickCell(1, 1, 1, 2);
  xKeys({"0", "Return"});
  EXPECT_EQ(cell(1, 1), "40");

  xClickCell(1, 2);
  xKeys({"Delete"});
  EXPECT_EQ(cells(1, 0, 3), (Strings{"N", "40", "", "6"}));
  EXPECT_EQ(spheres().size(), 1u);
  win->table->selectRange(0, 0, 0, 2);
  xKeys({"BackSpace"});
  EXPECT_EQ(cells(0, 0, 3), (Strings{"", "", "", "3"}));
  EXPECT_EQ(win->pointData.pointCount, 0);
  EXPECT_EQ(cellEditor(), nullptr);
}

// A number wider than its cell keeps its sign and leading digits in view; a double click on the
// column's border widens the column to its widest text, leaving hidden columns hidden.
TEST_F(TableTest, WideNumbersShowTheirStartAndABorderDoubleClickFitsThem) {
  setRow(0, {"", "-34.606501", "", "-1234567.5"});
  setRow(1, {"", "-34.60650123456789"});
  goTo(5, 5);
  EXPECT_EQ(cellStart(0, 1, 30), cellStart(1, 1, 30));
  EXPECT_NE(cellStart(0, 1, 30), cellStart(2, 1, 30)) << "the start is drawn";

  FXHeader* header = win->table->getColumnHeader();
  const auto fitted = [&](int col) {
    return win->table->getFont()->getTextWidth(cell(col == 3 ? 0 : 1, col).c_str()) +
           win->table->getMarginLeft() + win->table->getMarginRight();
  };
  // Column 3 first: once column 1 is wider, its border may lie beyond the panel.
  win->showRGBColumnsCheck->setCheck(FALSE);
  command(Orbala::ID_SHOW_RGB_COLUMNS);
  xClick(header, header->getItemOffset(3) + header->getItemSize(3) + 1, 5, 1, 2);
  EXPECT_EQ(win->table->getColumnWidth(3), fitted(3));
  EXPECT_EQ(win->table->getColumnWidth(6), 0);
  xClick(header, header->getItemOffset(1) + header->getItemSize(1) - 1, 5, 1, 2);
  EXPECT_EQ(win->table->getColumnWidth(1), fitted(1));
}

// A table is set up without a text or an item per cell, and its rows are numbered only as they
// come into view; its far end is edited, drawn and numbered like its top.
TEST_F(TableTest, FarDownTheTableCellsEditDrawAndNumberAsAtTheTop) {
  const int rows = 100000, last = rows - 1;
  win->setUpTable(rows);
  pump();
  ASSERT_EQ(win->table->getNumRows(), rows);
  EXPECT_TRUE(isDefaultRow(last));
  setRow(last, {"C", "", "2,5", "3"});
  typeCell(last, 1, "7,5"); // typed text stays as typed
  EXPECT_EQ(cells(last, 0, 3), (Strings{"C", "7,5", "2.5", "3"}));
  win->table->layout(); // as the event loop does once it is idle
  win->table->makePositionVisible(last, 1);
  pump();
  FXHeader* header = win->table->getRowHeader();
  EXPECT_STREQ(header->getItemText(last).text(), "100000");
  EXPECT_STREQ(win->table->getRowText(last).text(), "100000");
  // The header is wide enough for all six digits.
  EXPECT_LE(header->getFont()->getTextWidth("100000") + header->getPadLeft() +
                header->getPadRight() + 2 * header->getBorderWidth(),
            win->table->getRowHeaderWidth());
  // Rows moved over the end keep their texts in order; the marks stay with their rows.
  setTick(last, 9, false);
  win->table->selectRange(last - 1, last - 1, 0, 0);
  ASSERT_TRUE(win->buildContextMenu());
  command(Orbala::ID_INSERT_ROW, win->insertAboveItem);
  EXPECT_EQ(cells(last, 0, 3), (Strings{"", "", "", ""}));
  EXPECT_EQ(win->table->getItemIcon(last, 9), nullptr);
}
