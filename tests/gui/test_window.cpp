// The main window as a whole: title, placement, the panel toggle, radios, settings at exit, and
// what a person can do to it that once ended the program or lost the table.
#include "GuiHarness.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <tuple>

#include "app/PanelLayout.h"
#include "app/StyledWidgets.h"
#include "app/core/Placement.h"
#include "table/Table_zk2.h"

namespace {

// Runs the event loop with one action from inside it; it returns 7 if the action did not end it.
int runLoopWith(const std::function<void()>& action) {
  const LoopAction act(action, 1), guard([] { testApp()->exit(7); }, 5000);
  return testApp()->run();
}

std::string longestLine(const std::string& text) {
  std::istringstream in(text);
  std::string longest;
  for (std::string line; std::getline(in, line);)
    if (line.size() > longest.size()) longest = line;
  return longest;
}

} // namespace

TEST_F(OrbalaTest, StartsWithDefaultsOnScreenAndControlsShowTheirState) {
  EXPECT_STREQ(win->getTitle().text(), "Orbala v1.31");
  // The harness starts the toolkit under de_DE, whose decimal point is a comma.
  EXPECT_STREQ(FXStringFormat("%.2lf", 4.99).text(), "4.99");
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "1.00");

  const int w = testApp()->getRootWindow()->getWidth();
  const int h = testApp()->getRootWindow()->getHeight();
  ASSERT_TRUE(w > 1100 && h > 900);
  fireStartup();
  EXPECT_EQ(std::vector<int>({win->windowX, win->windowY, win->getWidth(), win->getHeight()}),
            std::vector<int>({50, 50, 1000, 800}));
  // The placement rules themselves are unit-tested; an oversized window is shrunk.
  win->windowWidth = w + 500;
  win->windowHeight = h + 10;
  fireStartup();
  EXPECT_EQ(std::make_pair(win->getWidth(), win->getHeight()), std::make_pair(w - 100, h - 100));

  // Captions, options, radios and buttons show their state.
  for (const auto& [slider, group, text] :
       {std::tuple{win->sphereRadiusSlider, win->sphereRadiusGroup, "R=10.00"},
        {win->backgroundSlider, win->backgroundGroup, "B=100"}}) {
    FXint lo = 0, hi = 0;
    slider->getRange(lo, hi);
    slider->setValue(hi);
    command(slider->getSelector(), slider);
    EXPECT_STREQ(group->getText().text(), text);
    // The toolkit's own measure of the room the caption needs.
    EXPECT_LE(group->getDefaultWidth(), group->getWidth()) << text;
  }

  // The two xyz colour options exclude each other; unchecking one leaves the other.
  for (const auto& [check, on, pubchem, jmol] :
       {std::tuple{win->applyPubChemCheck, true, true, false},
        {win->applyJmolCheck, true, false, true},
        {win->applyJmolCheck, false, false, false}}) {
    check->setCheck(on);
    command(Orbala::ID_XYZ_COLOR_OPTION, check);
    EXPECT_TRUE(win->applyPubChemCheck->getCheck() == pubchem &&
                win->applyJmolCheck->getCheck() == jmol);
  }
  // Radio commands store their index and check only their own radio, menu entries included.
  command(Orbala::ID_ROTATION_AXIS + 6, win->rotationAxisItems[6]);
  EXPECT_EQ(win->rotationAxis, 6);
  for (int i = 0; i < 7; ++i)
    EXPECT_TRUE(win->rotationAxisItems[i]->getCheck() == (i == 6) &&
                win->rotationAxisRadios[i]->getCheck() == (i == 6))
        << i;
  command(Orbala::ID_ROTATION_DIRECTION, win->counterClockwiseRadio);
  EXPECT_TRUE(win->rotationDirection == 1 && win->counterClockwiseRadio->getCheck() &&
              !win->clockwiseRadio->getCheck());

  // Tool bar buttons light up under the pointer, unless disabled.
  FXButton* button = win->redrawButton;
  FXEvent ev{};
  ev.code = CROSSINGNORMAL;
  const FXColor before = button->getBackColor();
  button->handle(button, FXSEL(SEL_ENTER, 0), &ev);
  EXPECT_EQ(button->getBackColor(), hoverShade(before));
  button->handle(button, FXSEL(SEL_LEAVE, 0), &ev);
  EXPECT_EQ(button->getBackColor(), win->toolBar->getBackColor());
  // A disabled button keeps its colour.
  button->disable();
  button->handle(button, FXSEL(SEL_ENTER, 0), &ev);
  EXPECT_EQ(button->getBackColor(), win->toolBar->getBackColor());
  button->enable();
}

TEST_F(OrbalaTest, ViewIsTheLargerPartAtEveryWidthAndHideShowAndResizeKeepTheMoleculeFitted) {
  // The default width, a narrower one, and the narrowest the start-up allows.
  for (const int width : {900, orbala::kMinWindowWidth, 1000}) {
    win->windowWidth = width;
    fireStartup();
    ASSERT_EQ(win->getWidth(), width);
    EXPECT_GE(win->viewer->getWidth(), width == 1000 ? width / 2 : orbala::kMinViewWidth) << width;
  }
  ASSERT_TRUE(openFile(testData("caffeine.xyz")));
  // The molecule and its axes as the screen shows them once the change is handled: the whole
  // view is drawn anew, not only the part that came into sight.
  const auto drawn = [this] {
    pump();
    const ViewerPicture p = onScreen(win->viewer);
    const std::vector<int> box = drawnBox(p);
    // Whole, in the middle, and not a dot: a margin on every side, about the same left and
    // right, and at least a third of the shorter side across.
    EXPECT_TRUE(box[0] > 0 && box[1] > 0 && box[2] < p.width - 1 && box[3] < p.height - 1);
    EXPECT_NEAR(box[0], p.width - 1 - box[2], p.width / 20);
    EXPECT_GE(std::max(box[2] - box[0], box[3] - box[1]), std::min(p.width, p.height) / 3);
    return box;
  };
  const std::vector<int> before = drawn();
  const int shown = win->viewer->getWidth();
  for (const auto& [label, panel] : {std::pair{"Show", false}, {"Hide", true}}) {
    command(Orbala::ID_HIDE_TABLE, win->hideButton);
    EXPECT_EQ(win->leftPanel->shown(), panel);
    EXPECT_STREQ(win->hideButton->getText().text(), label);
    EXPECT_EQ(win->viewer->getWidth(), panel ? shown : win->panelSplitter->getWidth());
    drawn();
  }
  EXPECT_EQ(drawn(), before);
  win->resize(900, 700);
  drawn();
  win->panelSplitter->setPanelWidth(win->panelSplitter->getPanelWidth() - 80);
  drawn();
}

TEST_F(OrbalaTest, ExitAndTheCloseBoxEndTheProgramWhichWritesTheSettings) {
  EXPECT_EQ(runLoopWith([this] { command(Orbala::ID_EXIT); }), 0);
  openWindow();
  win->backgroundSlider->setValue(42);
  const int code = runLoopWith([this] { win->close(TRUE); });
  win = nullptr; // the close box deleted it
  EXPECT_EQ(code, 0);
  EXPECT_NE(readFile(settingsPath).find("<backgroundColor_Slider>42\n"), std::string::npos);
}

TEST_F(OrbalaTest, UnwritableSettingsAreReportedOnceAtExit) {
  // A folder that cannot be written, and one that cannot be made (a file stands in its way).
  writeFile(dir + "/blocker", "x");
  for (const std::string& path :
       {std::string("/proc/orbala-cannot-write/Orbala.ini"), dir + "/blocker/Orbala.ini"}) {
    settingsPath = path;
    openWindow();
    // File > Exit writes them while the window can still own the box; closing writes them too.
    const bool byExit = path.rfind(dir, 0) == 0;
    if (byExit) command(Orbala::ID_EXIT);
    EXPECT_EQ(dialogs->titles().size(), byExit ? 1u : 0u);
    closeWindow();
    const auto& boxes = ScriptedDialogs::boxesOfClosedWindow;
    ASSERT_EQ(boxes.size(), 1u) << path;
    EXPECT_EQ(boxes[0].title, "File error");
    EXPECT_NE(boxes[0].text.find(path), std::string::npos);
  }
}

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
