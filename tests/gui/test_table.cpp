// The point table: typed points becoming point data, the data-row rules, the Show and Opaque
// cells, clearing, and pasting (directly and through the clipboard).
#include "GuiHarness.h"

#include <fxkeys.h>

#include <string>

#include "scene/GLObjects.h"
#include "table/Table_zk2.h"
#include "table/core/PasteBlock.h"

namespace {

// Lets a test compare a block count with the table's own.
class CountingTable : public Table_zk2 {
public:
  explicit CountingTable(FXComposite* p) : Table_zk2(p) {}
  using FXTable::countText;
};

int sphereCount(FXGLGroup* group) {
  int n = 0;
  for (FXint i = 0; i < group->no(); ++i) {
    if (dynamic_cast<GLSphere_zk2*>(group->child(i))) ++n;
  }
  return n;
}

} // namespace

class TableTest : public OrbalaTest {
protected:
  // A click on a cell: the press made it current, the release reaches the window.
  long clickCell(int row, int col, bool moved = false) {
    win->table->setCurrentItem(row, col);
    FXEvent ev;
    ev.type = SEL_LEFTBUTTONRELEASE;
    ev.moved = moved;
    return send(SEL_LEFTBUTTONRELEASE, Orbala::ID_TABLE, win->table, &ev);
  }
  long keyRelease(FXuint code, FXuint state) {
    FXEvent ev;
    ev.type = SEL_KEYRELEASE;
    ev.code = code;
    ev.state = state;
    return send(SEL_KEYRELEASE, Orbala::ID_TABLE, win->table, &ev);
  }
  std::vector<ScriptedDialogs::Box> boxesTitled(const std::string& title) const {
    std::vector<ScriptedDialogs::Box> out;
    for (const auto& box : dialogs->boxes)
      if (box.title == title) out.push_back(box);
    return out;
  }
};

TEST_F(TableTest, TypedPointsBecomePointData) {
  openWindow();
  setRow(0, {"C", "1,5", "-2", " 3 ", "", "", "", "2"});
  setRow(1, {"", "abc", "0.25", "1e2", "", "", "", "0,5"});
  setRow(2, {"H", "4", "5", "6"});
  command(Orbala::ID_REDRAW);
  const auto& p = win->pointData;
  ASSERT_EQ(p.pointCount, 3);
  EXPECT_EQ(p.xValues, (std::vector<double>{1.5, 0.0, 4.0}));
  EXPECT_EQ(p.yValues, (std::vector<double>{-2.0, 0.25, 5.0}));
  EXPECT_EQ(p.zValues, (std::vector<double>{3.0, 100.0, 6.0}));
  EXPECT_DOUBLE_EQ(win->rowState.relativeSizes[0], 2.0);
  EXPECT_DOUBLE_EQ(win->rowState.relativeSizes[1], 0.5);
  EXPECT_DOUBLE_EQ(win->rowState.relativeSizes[2], 1.0);
  // Redraw does not refit: the view keeps its measured extent until a refit.
  EXPECT_DOUBLE_EQ(win->dataExtent, 100.0);
  EXPECT_EQ(sphereCount(win->sceneGroup), 3);

  double x = 9, y = 9, z = 9;
  EXPECT_TRUE(win->parseRowCoordinates(0, x, y, z));
  EXPECT_EQ(x, 1.5);
  EXPECT_FALSE(win->parseRowCoordinates(3, x, y, z));
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(z, 0.0);
}

TEST_F(TableTest, EmptyTableKeepsOneEntryAndDrawsNothing) {
  openWindow();
  win->readTable(true);
  EXPECT_EQ(win->pointData.pointCount, 0);
  EXPECT_EQ(win->pointData.xValues.size(), 1u);
  EXPECT_EQ(win->pointData.zValues.size(), 1u);
  EXPECT_EQ(win->dataExtent, 100.0); // nothing measured
  command(Orbala::ID_REDRAW);
  EXPECT_EQ(win->sceneGroup->no(), 0);
}

TEST_F(TableTest, DataRowsEndAtTheFirstRowThatFails) {
  openWindow();
  for (int r = 0; r < 10; ++r)
    setRow(r, {"", std::to_string(r), "1", "2"});
  setRow(5, {"", "", "", ""});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 5); // rows 6 to 9 are not data

  setRow(5, {"", "5", "1", "2", "", "", "", "0.005"});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 5);
  setRow(5, {"", "5", "1", "2", "", "", "", "0"});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 5);
  setRow(5, {"", "5", "1", "2", "", "", "", "0.01"});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 10);

  // Blanks are no coordinate for the data, but the element functions still see one.
  setRow(3, {"", "  ", "1", "2"});
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 3);
  EXPECT_TRUE(win->rowHasCoordinates(3));
  EXPECT_FALSE(win->rowHasCoordinates(10));
}

TEST_F(TableTest, NormalisedAxes) {
  openWindow();
  setRow(0, {"", "3", "-1", "7"});
  setRow(1, {"", "3", "1", "8"});
  setRow(2, {"", "3", "3", "9"});
  win->axisScaling[0] = 1;
  win->axisScaling[1] = 1;
  win->readTable(true);
  EXPECT_EQ(win->pointData.xValues, (std::vector<double>{0, 0, 0})); // constant axis
  EXPECT_EQ(win->pointData.yValues, (std::vector<double>{0, 0.5, 1}));
  EXPECT_EQ(win->pointData.zValues, (std::vector<double>{7, 8, 9}));
  EXPECT_DOUBLE_EQ(win->dataExtent, 9.0);
  EXPECT_DOUBLE_EQ(win->dataBounds.zMin, 7.0);
}

TEST_F(TableTest, SetUpGivesAtLeastTenCentredDefaultRows) {
  openWindow();
  setRow(2, {"O", "1", "2", "3"});
  win->rowState.showFlags[2] = 0;
  win->setUpTable(5);
  ASSERT_EQ(win->table->getNumRows(), 10);
  EXPECT_EQ(win->table->getNumColumns(), 10);
  EXPECT_EQ(win->rowState.size(), 10);
  for (int r = 0; r < 10; ++r) {
    EXPECT_EQ(cell(r, 7), "1.0");
    EXPECT_EQ(win->table->getItemIcon(r, 8), win->tableIcon);
    EXPECT_EQ(win->table->getItemIcon(r, 9), win->tableIcon);
    EXPECT_EQ(win->rowState.showFlags[r], 1);
    EXPECT_EQ(win->rowState.opaqueFlags[r], 1);
  }
  EXPECT_EQ(cell(2, 1), "");
  // Cells made later, by typing, are centred like the others.
  win->table->setItemText(4, 3, "2,5");
  EXPECT_EQ(win->table->getItemJustify(4, 3), FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
  EXPECT_EQ(win->table->getItemJustify(4, 7), FXTableItem::CENTER_X | FXTableItem::CENTER_Y);
  EXPECT_EQ(cell(4, 3), "2.5");
}

TEST_F(TableTest, ShowAndOpaqueCellsToggleTheirFlags) {
  openWindow();
  setRow(0, {"", "1", "1", "1"});
  setRow(1, {"", "2", "2", "2", "", "", "", "3"});
  win->readTable(true);
  ASSERT_EQ(sphereCount(win->sceneGroup), 2);

  EXPECT_EQ(clickCell(1, 8), 1);
  EXPECT_EQ(win->rowState.showFlags[1], 0);
  EXPECT_EQ(win->table->getItemIcon(1, 8), nullptr);
  EXPECT_EQ(sphereCount(win->sceneGroup), 1);
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "3");
  EXPECT_EQ(clickCell(1, 8), 1);
  EXPECT_EQ(win->rowState.showFlags[1], 1);
  EXPECT_EQ(win->table->getItemIcon(1, 8), win->tableIcon);
  EXPECT_EQ(sphereCount(win->sceneGroup), 2);

  // Making the first point translucent moves it behind the opaque one in drawing order.
  EXPECT_EQ(clickCell(0, 9), 1);
  EXPECT_EQ(win->rowState.opaqueFlags[0], 0);
  EXPECT_EQ(win->table->getItemIcon(0, 9), nullptr);
  auto* last = dynamic_cast<GLSphere_zk2*>(win->sceneGroup->child(win->sceneGroup->no() - 1));
  ASSERT_NE(last, nullptr);
  FXRangef box;
  last->bounds(box);
  EXPECT_FLOAT_EQ(box.center().x, 1.0f);

  // A drag that ends over a cell changes nothing.
  EXPECT_EQ(clickCell(0, 9, true), 1);
  EXPECT_EQ(win->rowState.opaqueFlags[0], 0);
}

TEST_F(TableTest, OtherColumnsChooseTheScaleMode) {
  openWindow();
  setRow(0, {"N", "1", "1", "1", "10", "20", "30", "1.7"});
  EXPECT_EQ(clickCell(0, 5), 0); // the table goes on with its own handling
  EXPECT_EQ(win->scaleSizeType, 2);
  EXPECT_TRUE(win->scaleModeRadios[2]->getCheck());
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "1.7");
  EXPECT_EQ(clickCell(0, 7), 0);
  EXPECT_EQ(win->scaleSizeType, 3);
  EXPECT_TRUE(win->scaleModeRadios[3]->getCheck());
  EXPECT_FALSE(win->scaleModeRadios[2]->getCheck());
  EXPECT_EQ(clickCell(0, 0), 0);
  EXPECT_EQ(win->scaleSizeType, 0);
  EXPECT_EQ(clickCell(0, 2), 0); // coordinates leave the mode alone
  EXPECT_EQ(win->scaleSizeType, 0);
  EXPECT_TRUE(win->scaleModeRadios[0]->getCheck());
}

TEST_F(TableTest, ClearInputDataResetsEveryRow) {
  openWindow();
  for (int r = 0; r < 4; ++r)
    setRow(r, {"C", "1", "2", "3", "1", "2", "3", "4"});
  win->table->setItemIcon(2, 0, win->iconOpen);
  win->rowState.showFlags[1] = 0;
  win->table->setItemIcon(1, 8, nullptr);
  win->rowState.opaqueFlags[3] = 0;
  win->readTable(true);
  command(Orbala::ID_CLEAR_DATA);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 7; ++c)
      EXPECT_EQ(cell(r, c), "") << r << "," << c;
    EXPECT_EQ(cell(r, 7), "1.0");
    EXPECT_EQ(win->table->getItemIcon(r, 8), win->tableIcon);
    EXPECT_EQ(win->table->getItemIcon(r, 9), win->tableIcon);
    EXPECT_EQ(win->rowState.showFlags[r], 1);
    EXPECT_EQ(win->rowState.opaqueFlags[r], 1);
    EXPECT_EQ(win->rowState.relativeSizes[r], 1.0);
  }
  EXPECT_EQ(win->table->getItemIcon(2, 0), nullptr);
  EXPECT_EQ(win->pointData.pointCount, 0);
  EXPECT_EQ(win->sceneGroup->no(), 0);
  EXPECT_EQ(win->table->getNumRows(), 1000);
}

TEST_F(TableTest, PastedNumbersUseTheDot) {
  openWindow();
  win->table->setCurrentItem(0, 1);
  win->table->pasteText("1,5\t2\t3");
  EXPECT_EQ(cell(0, 1), "1.5");
  EXPECT_EQ(cell(0, 2), "2");
  EXPECT_EQ(cell(0, 3), "3");
  EXPECT_FALSE(win->table->pasteWasCut);
  EXPECT_TRUE(win->table->isItemSelected(0, 3));

  win->table->killSelection();
  win->table->setCurrentItem(1, 1);
  win->table->pasteText("1,2,3\r\n");
  EXPECT_EQ(cell(1, 1), "1.2.3");
  EXPECT_EQ(cell(1, 2), "");
  win->readTable(false);
  EXPECT_EQ(win->pointData.pointCount, 1); // row 1 lacks y and z
  setRow(1, {"", "1.2.3", "0", "0"});
  win->readTable(false);
  EXPECT_DOUBLE_EQ(win->pointData.xValues[1], 1.2);
}

TEST_F(TableTest, BlockCountsAgreeWithTheToolkit) {
  openWindow();
  auto* counter = new CountingTable(win->valuesGroup);
  for (const char* text :
       {"", "a", "a\n", "a\n\n", "a\tb\nc", "a\tb\tc\n1\n", "\n", "a\tb\tc\td", "\t", "x\n\ny\t"}) {
    FXint rows = -1, cols = -1;
    counter->countText(rows, cols, FXString(text));
    const orbala::BlockSize mine = orbala::countBlock(text);
    EXPECT_EQ(mine.rows, rows) << text;
    EXPECT_EQ(mine.cols, cols) << text;
  }
}

TEST_F(TableTest, LongPasteIsCutAndWarnedAboutOnce) {
  openWindow();
  std::string lines;
  for (int i = 0; i < 1200; ++i)
    lines += std::to_string(i) + "\t" + std::to_string(i) + ",5\t1\n";
  win->table->setCurrentItem(0, 1);
  win->table->pasteText(lines.c_str());
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_EQ(win->table->getNumColumns(), 10);
  EXPECT_TRUE(win->table->pasteWasCut);
  EXPECT_EQ(cell(999, 1), "999");
  EXPECT_EQ(cell(999, 2), "999.5");
  EXPECT_EQ(win->rowState.size(), 1000);

  // Releasing Ctrl+V reads the table with the warning.
  EXPECT_EQ(keyRelease(KEY_v, CONTROLMASK), 1);
  auto warnings = boxesTitled("Data paste warning");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].kind, "warning");
  EXPECT_EQ(warnings[0].text, "Only 1000 rows of data can be pasted into the table.\nRows higher "
                              "than 1000 were not pasted.");
  EXPECT_FALSE(win->table->pasteWasCut);
  EXPECT_EQ(win->pointData.pointCount, 1000);
  EXPECT_DOUBLE_EQ(win->dataExtent, 999.5);
  EXPECT_EQ(sphereCount(win->sceneGroup), 1000);

  // The next read has nothing to warn about; other keys read nothing.
  win->readTable(false);
  EXPECT_EQ(boxesTitled("Data paste warning").size(), 1u);
  setRow(0, {"", "", "", ""});
  EXPECT_EQ(keyRelease(KEY_v, 0), 0);
  EXPECT_EQ(keyRelease(KEY_c, CONTROLMASK), 0);
  EXPECT_EQ(win->pointData.pointCount, 1000);
}

TEST_F(TableTest, PasteNeverGrowsTheTable) {
  openWindow();
  // Near the bottom: the block stops at the last row.
  win->table->setCurrentItem(997, 1);
  win->table->pasteText("1\t1\t1\n2\t2\t2\n3\t3\t3\n4\t4\t4\n5\t5\t5\n");
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_EQ(cell(999, 1), "3");
  EXPECT_TRUE(win->table->pasteWasCut);
  win->table->pasteWasCut = false;

  // Near the right edge: no eleventh column.
  win->table->killSelection();
  win->table->setCurrentItem(3, 8);
  win->table->pasteText("a\tb\tc\td");
  EXPECT_EQ(win->table->getNumColumns(), 10);
  EXPECT_EQ(cell(3, 8), "a");
  EXPECT_EQ(cell(3, 9), "b");
  EXPECT_TRUE(win->table->pasteWasCut);

  // A selection decides the origin over the current cell.
  win->table->pasteWasCut = false;
  win->table->setCurrentItem(0, 0);
  win->table->selectRange(5, 6, 2, 3);
  win->table->pasteText("7\t8");
  EXPECT_EQ(cell(5, 2), "7");
  EXPECT_EQ(cell(5, 3), "8");
  EXPECT_FALSE(win->table->pasteWasCut);
}

TEST_F(TableTest, PasteRightAfterSetUpStartsAtTheFirstCell) {
  openWindow();
  win->setUpTable(20);
  ASSERT_LT(win->table->getCurrentRow(), 0);
  win->table->pasteText("x\t4\t5\t6");
  EXPECT_EQ(cell(0, 0), "x");
  EXPECT_EQ(cell(0, 3), "6");
  EXPECT_EQ(win->table->getNumRows(), 20);

  // Nothing to paste: nothing changes.
  win->table->pasteText("");
  EXPECT_EQ(cell(0, 0), "x");
}

TEST_F(TableTest, ToolBarPasteGoesThroughTheClipboard) {
  openWindow();
  setRow(0, {"He", "1", "2", "3"});
  setRow(1, {"Li", "4", "5", "6"});
  win->table->selectRange(0, 1, 0, 3);
  command(Orbala::ID_COPY_SELECTION);
  win->table->killSelection();
  win->table->setCurrentItem(10, 0);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cell(10, 0), "He");
  EXPECT_EQ(cell(11, 3), "6");
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
  win->table->killSelection();
  win->table->setCurrentItem(20, 1);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cell(20, 1), "7.5");
  EXPECT_EQ(cell(20, 2), "8.25");

  // The table's own Ctrl+V takes the same road.
  win->table->killSelection();
  win->table->setCurrentItem(21, 2);
  FXEvent press;
  press.type = SEL_KEYPRESS;
  press.code = KEY_v;
  press.state = CONTROLMASK;
  win->table->handle(win->table, FXSEL(SEL_KEYPRESS, 0), &press);
  EXPECT_EQ(cell(21, 2), "7.5");
  EXPECT_EQ(cell(21, 3), "8.25");

  // A read-only table takes nothing.
  win->table->setEditable(FALSE);
  win->table->setCurrentItem(30, 1);
  command(Orbala::ID_PASTE_SELECTION);
  EXPECT_EQ(cell(30, 1), "");
}

TEST_F(TableTest, SelectAllSelectsEveryCell) {
  openWindow();
  command(Orbala::ID_SELECT_ALL);
  EXPECT_TRUE(win->table->isItemSelected(0, 0));
  EXPECT_TRUE(win->table->isItemSelected(999, 9));
}

TEST_F(TableTest, SphereColourChoice) {
  openWindow();
  setRow(0, {"", "1", "2", "3", "255", "0", "0"});
  command(Orbala::ID_IMAGE_OPTION, win->colorRadio);
  EXPECT_TRUE(win->colorPoints);
  EXPECT_TRUE(win->colorRadio->getCheck());
  EXPECT_FALSE(win->grayRadio->getCheck());
  // The choice reads the table with a refit.
  EXPECT_EQ(win->pointData.pointCount, 1);
  EXPECT_DOUBLE_EQ(win->dataExtent, 3.0);

  // The axis checks send the same id and leave the colour choice alone.
  win->showZAxisCheck->setCheck(FALSE);
  command(Orbala::ID_IMAGE_OPTION, win->showZAxisCheck);
  EXPECT_TRUE(win->colorPoints);
  command(Orbala::ID_IMAGE_OPTION, win->grayRadio);
  EXPECT_FALSE(win->colorPoints);
  EXPECT_FALSE(win->colorRadio->getCheck());
  EXPECT_TRUE(win->grayRadio->getCheck());
}
