// What a person can do to the window that once ended the program or lost the table.
#include "GuiHarness.h"

#include <cmath>
#include <sstream>

#include "table/Table_zk2.h"

namespace {

std::string longestLine(const std::string& text) {
  std::istringstream in(text);
  std::string longest;
  for (std::string line; std::getline(in, line);)
    if (line.size() > longest.size()) longest = line;
  return longest;
}

} // namespace

using RobustnessTest = OrbalaTest;

TEST_F(RobustnessTest, NonFiniteNumbersAndOverlongTextsNeitherBreakThePlotNorPersist) {
  setRow(0, {"A", "1", "1", "1"});
  setRow(1, {"B", "inf", "0", "1e400"});
  setRow(2, {"C", "2", "-nan", "0", "", "", "", "inf"});
  command(Orbala::ID_REDRAW);
  ASSERT_EQ(win->pointData.pointCount, 3);
  EXPECT_EQ(win->pointData.xValues[1], 0.0);
  EXPECT_EQ(win->pointData.yValues[2], 0.0);
  ASSERT_EQ(dialogs->titles(), Strings{"Data warning"});
  EXPECT_NE(dialogs->boxes[0].text.find("Row 2 "), std::string::npos);
  EXPECT_NE(dialogs->boxes[0].text.find("2 rows in all"), std::string::npos);
  const auto shown = spheres();
  ASSERT_EQ(shown.size(), 3u);
  for (auto* sphere : shown)
    EXPECT_TRUE(std::isfinite(centreOf(sphere).length()));
  EXPECT_FLOAT_EQ(shown[2]->radius, shown[0]->radius);
  // Commands that read the table more than once still warn once: a preset, deleting a row,
  // opening a file.
  command(Orbala::ID_VIEW_XYZ);
  select(2, 2);
  command(Orbala::ID_DELETE_ROWS);
  EXPECT_EQ(dialogs->titles(), Strings(3, "Data warning"));
  ASSERT_TRUE(
      openFile(writeInDir("huge.qvx", tagged("<data>0 1 1e300\n<data>0 2 0\n<data>0 3 0\n"))));
  EXPECT_EQ(dialogs->titles(), Strings{"Data warning"});

  // Settings: a value that is no finite number falls back to its default and is not kept.
  restartWith(tagged("<alphaLevel>nan\n<rotationPoint_x>inf\n<rotationPoint_y>2\n"));
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.5");
  EXPECT_STREQ(win->rotationPointFields[0]->getText().text(), "0");
  EXPECT_STREQ(win->rotationPointFields[1]->getText().text(), "2");
  closeWindow();
  EXPECT_EQ(readFile(settingsPath).find("nan"), std::string::npos);

  // X aborts the program on a text of some 260,000 characters; files and pastes can bring one.
  const std::string huge(300000, '9');
  restartWith(tagged("<alphaLevel>0." + huge + "\n<recentlyUsedFiles>/" + huge + "\n"));
  win->fileMenu->popup(nullptr, 10, 10);
  pump();
  win->fileMenu->popdown();
  EXPECT_EQ(win->opaquenessField->getText().length(), 256);
  EXPECT_TRUE(win->recentFiles.get(0).empty());
  EXPECT_EQ(dialogs->titles(), Strings{"Settings warning"});

  const std::string path = dir + "/long.qvx";
  writeFile(path, tagged("<data>0 0 L" + huge + "\n<data>0 1 1\n<data>0 2 2\n<data>0 3 3\n"));
  ASSERT_TRUE(openFile(path));
  pump();
  EXPECT_EQ(cell(0, 0).size(), 1024u);
  EXPECT_EQ(dialogs->titles(), Strings{"Data warning"});

  // A paste into a cell's editor is bounded as well.
  win->table->startInput(1, 0);
  FXTextField* editor = cellEditor();
  ASSERT_NE(editor, nullptr);
  editor->handle(nullptr, FXSEL(SEL_COMMAND, FXTextField::ID_INSERT_STRING), (void*)huge.c_str());
  pump();
  win->table->acceptInput(TRUE);
  EXPECT_EQ(cell(1, 0).size(), 1024u);
  // And so is a pasted one.
  win->table->killSelection();
  win->table->setCurrentItem(2, 0);
  win->table->pasteText(("P" + huge + "\t1").c_str());
  EXPECT_EQ(cell(2, 0).size() + cell(2, 1).size(), 1025u);

  closeWindow();
  EXPECT_LE(longestLine(readFile(settingsPath)).size(), 300u) << "nothing unbounded is kept";
}

// A notch over a field, its press and release reaching the program apart, as through a
// slow X connection: the toolkit then sends a second wheel message of code 0.
TEST_F(RobustnessTest, WheelNotchOverAFieldStepsOnce) {
  setRow(0, {"A", "1", "1", "1"});
  select(0, 0);
  command(Orbala::ID_SCALE_MODE + 4); // All
  fireStartup();
  pump();
  for (FXWindow* field : {(FXWindow*)win->scaleSizeField, (FXWindow*)win->opaquenessField}) {
    xPointAt(field, 5, 5);
    for (bool down : {true, false}) {
      xButton(4, down);
      pump();
    }
  }
  EXPECT_EQ(cell(0, 7), "1.01");
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.6");
}
