// The main window as a whole: title, placement, accelerators, the panel toggle and the radios.
#include "GuiHarness.h"

#include <fxkeys.h>

#include <algorithm>
#include <clocale>
#include <tuple>

#include "app/PanelLayout.h"
#include "app/StyledWidgets.h"
#include "app/core/Placement.h"
#include "table/Table_zk2.h"

namespace {

// Presses a key with modifiers in the main window, as the keyboard would.
void pressKey(Orbala* win, FXuint code, FXuint state) {
  FXEvent ev;
  ev.type = SEL_KEYPRESS;
  ev.code = code;
  ev.state = state;
  win->handle(win, FXSEL(SEL_KEYPRESS, 0), &ev);
  ev.type = SEL_KEYRELEASE;
  win->handle(win, FXSEL(SEL_KEYRELEASE, 0), &ev);
}

// Clicks File > Exit or the close box from inside a running event loop.
class ClickExit : public FXObject {
  FXDECLARE(ClickExit)
  ClickExit() {}

public:
  enum { ID_CLICK = 1, ID_CLOSE_BOX, ID_GUARD };
  Orbala* win = nullptr;
  explicit ClickExit(Orbala* w) : win(w) {}
  long onTimeout(FXObject*, FXSelector sel, void*) {
    if (FXSELID(sel) == ID_CLICK)
      win->handle(nullptr, FXSEL(SEL_COMMAND, Orbala::ID_EXIT), nullptr);
    if (FXSELID(sel) == ID_CLOSE_BOX) win->close(TRUE);
    if (FXSELID(sel) == ID_GUARD) win->getApp()->exit(7);
    return 1;
  }
};
FXDEFMAP(ClickExit)
ClickExitMap[] = {
    FXMAPFUNCS(SEL_TIMEOUT, ClickExit::ID_CLICK, ClickExit::ID_GUARD, ClickExit::onTimeout)};
FXIMPLEMENT(ClickExit, FXObject, ClickExitMap, ARRAYNUMBER(ClickExitMap))

// Runs the event loop with one action from inside it; the guard ends the loop with 7 if the
// action did not end it.
int runLoopWith(Orbala* win, FXSelector action) {
  ClickExit clicker(win);
  testApp()->addTimeout(&clicker, action, 1);
  testApp()->addTimeout(&clicker, ClickExit::ID_GUARD, 5000);
  const int code = testApp()->run();
  testApp()->removeTimeout(&clicker, ClickExit::ID_GUARD);
  return code;
}

} // namespace

TEST_F(OrbalaTest, TitleAndDefaultsWithoutSettingsUnderACommaLocale) {
  EXPECT_STREQ(win->getTitle().text(), "Orbala v1.31");
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_STREQ(win->table->getRowText(999).text(), "1000");
  // The harness starts the toolkit under de_DE, whose decimal point is a comma.
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_STREQ(FXStringFormat("%.2lf", 4.99).text(), "4.99");
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "1.00");
  // The ten recent-file entries are there from the start, empty.
  for (auto* item : win->recentFileItems)
    EXPECT_TRUE(item->getText().empty());
}

TEST_F(OrbalaTest, StartupPlacesWindowOnScreen) {
  const int w = testApp()->getRootWindow()->getWidth();
  const int h = testApp()->getRootWindow()->getHeight();
  ASSERT_TRUE(w > 1100 && h > 900);
  fireStartup();
  EXPECT_EQ(std::vector<int>({win->windowX, win->windowY, win->getWidth(), win->getHeight()}),
            std::vector<int>({50, 50, 1000, 800}));
  // The placement rules themselves are unit-tested; an oversized window is shrunk.
  win->windowWidth = w + 500;
  win->windowHeight = h + 10;
  win->windowY = -20;
  fireStartup();
  EXPECT_EQ(win->getWidth(), w - 100);
  EXPECT_EQ(win->getHeight(), h - 100);
  EXPECT_EQ(win->windowY, 50);
}

TEST_F(OrbalaTest, AcceleratorsSendImageCommands) {
  win->position(0, 0, 1200, 900); // room for a viewer to copy from
  pump();
  pressKey(win, KEY_c, 0);
  EXPECT_FALSE(win->hasClipboard());
  pressKey(win, KEY_c, CONTROLMASK); // 89: the picture goes to the clipboard
  EXPECT_TRUE(win->hasClipboard());
  pressKey(win, KEY_s, CONTROLMASK); // 88: the picture's save dialog
  ASSERT_EQ(dialogs->fileRequests.size(), 1u);
  EXPECT_STREQ(dialogs->fileRequests[0].title.text(), "Save plot");
  EXPECT_EQ(dialogs->seen(), Strings{});
}

TEST_F(OrbalaTest, ViewIsTheLargerPartAtEveryWidthThePanelHidesAndReturns) {
  // The default width, a narrower one, and the narrowest the start-up allows.
  for (const int width : {1000, 900, orbala::kMinWindowWidth}) {
    win->windowWidth = width;
    fireStartup();
    ASSERT_EQ(win->getWidth(), width);
    const int shown = win->viewer->getWidth();
    EXPECT_GE(shown, width == 1000 ? width / 2 : orbala::kMinViewWidth) << width;
    for (const auto& [label, panel] : {std::pair{"Show", false}, {"Hide", true}}) {
      command(Orbala::ID_HIDE_TABLE, win->hideButton);
      EXPECT_EQ(win->leftPanel->shown(), panel);
      EXPECT_STREQ(win->hideButton->getText().text(), label);
      EXPECT_EQ(std::string(win->hideButton->getTipText().text()),
                std::string(label) + " the data table and controls");
      EXPECT_EQ(win->viewer->getWidth(), panel ? shown : win->panelSplitter->getWidth()) << width;
    }
  }
}

TEST_F(OrbalaTest, HideShowAndResizeKeepTheMoleculeFitted) {
  fireStartup();
  ASSERT_TRUE(openFile(std::string(ORBALA_TEST_DATA) + "/caffeine.xyz"));
  // What differs from the background: the molecule and its axes, as left, top, right, bottom.
  const auto drawn = [this] {
    pump();
    const ViewerPicture p = grab(win->viewer);
    std::vector<int> box{p.width, p.height, -1, -1};
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        if (!nearColour(p.at(x, y), p.at(0, 0))) {
          box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                 std::max(box[3], y)};
        }
    // Whole, in the middle, and not a dot: a margin on every side, about the same left and
    // right, and at least a third of the shorter side across.
    EXPECT_TRUE(box[0] > 0 && box[1] > 0 && box[2] < p.width - 1 && box[3] < p.height - 1);
    EXPECT_NEAR(box[0], p.width - 1 - box[2], p.width / 20);
    EXPECT_GE(std::max(box[2] - box[0], box[3] - box[1]), std::min(p.width, p.height) / 3);
    return box;
  };
  const std::vector<int> before = drawn();
  command(Orbala::ID_HIDE_TABLE, win->hideButton);
  drawn();
  command(Orbala::ID_HIDE_TABLE, win->hideButton);
  EXPECT_EQ(drawn(), before);
  win->resize(900, 700);
  drawn();
}

TEST_F(OrbalaTest, SliderCaptionsShowTheirWholeText) {
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
}

TEST_F(OrbalaTest, OptionsAndRadiosStayConsistent) {
  // The two xyz colour options exclude each other; unchecking one leaves the other.
  win->applyPubChemCheck->setCheck(TRUE);
  command(Orbala::ID_XYZ_COLOR_OPTION, win->applyPubChemCheck);
  EXPECT_FALSE(win->applyJmolCheck->getCheck());
  win->applyJmolCheck->setCheck(TRUE);
  command(Orbala::ID_XYZ_COLOR_OPTION, win->applyJmolCheck);
  EXPECT_FALSE(win->applyPubChemCheck->getCheck());
  win->applyJmolCheck->setCheck(FALSE);
  command(Orbala::ID_XYZ_COLOR_OPTION, win->applyJmolCheck);
  EXPECT_FALSE(win->applyPubChemCheck->getCheck() || win->applyJmolCheck->getCheck());

  // "Apply default atom sizes ..." only toggles its own check.
  EXPECT_EQ(win->applyDefaultSizesCheck->getTarget(), nullptr);

  // Radio commands store their index and check only their own radio, menu entries included.
  EXPECT_EQ(win->rotationAxisItems[1]->getSelector(), 81u);
  EXPECT_EQ(win->rotationAxisRadios[1]->getSelector(), 81u);
  command(Orbala::ID_ROTATION_AXIS + 1, win->rotationAxisRadios[1]);
  EXPECT_EQ(win->rotationAxis, 1);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(win->rotationAxisItems[i]->getCheck(), i == 1) << i;
    EXPECT_EQ(win->rotationAxisRadios[i]->getCheck(), i == 1) << i;
  }
  command(Orbala::ID_ROTATION_DIRECTION, win->counterClockwiseRadio);
  EXPECT_TRUE(win->rotationDirection == 1 && win->counterClockwiseRadio->getCheck() &&
              !win->clockwiseRadio->getCheck());
}

TEST_F(OrbalaTest, ToolBarButtonsHoverAndReturnToTheirColour) {
  FXButton* button = win->redrawButton;
  FXEvent ev{};
  ev.code = CROSSINGNORMAL;
  const FXColor before = button->getBackColor();
  EXPECT_EQ(button->getHiliteColor(), hoverShade(before));
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

TEST_F(OrbalaTest, ExitAndTheCloseBoxEndTheProgramWhichWritesTheSettings) {
  EXPECT_EQ(runLoopWith(win, ClickExit::ID_CLICK), 0);
  openWindow();
  win->backgroundSlider->setValue(42);
  const int code = runLoopWith(win, ClickExit::ID_CLOSE_BOX);
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
    EXPECT_EQ(boxes[0].text,
              "File \"" + path + "\" could not be written, your settings cannot be saved.");
  }
}
