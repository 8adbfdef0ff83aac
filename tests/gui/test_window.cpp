// The main window as a whole: title, placement, accelerators, the panel toggle and the radios.
#include "GuiHarness.h"

#include <fxkeys.h>

#include <clocale>

#include "app/StyledWidgets.h"
#include "table/Table_zk2.h"

namespace {

// Stands in for the window to see which command a menu entry sends.
class Recorder : public FXObject {
  FXDECLARE(Recorder)
public:
  std::vector<FXSelector> received;
  long onCommand(FXObject*, FXSelector sel, void*) {
    received.push_back(FXSELID(sel));
    return 1;
  }
};
FXDEFMAP(Recorder) RecorderMap[] = {FXMAPFUNCS(SEL_COMMAND, 0, 65535, Recorder::onCommand)};
FXIMPLEMENT(Recorder, FXObject, RecorderMap, ARRAYNUMBER(RecorderMap))

FXMenuCommand* menuEntryWithSelector(FXWindow* pane, FXSelector id) {
  for (FXWindow* child = pane->getFirst(); child; child = child->getNext()) {
    auto* entry = dynamic_cast<FXMenuCommand*>(child);
    if (entry && entry->getSelector() == id) return entry;
  }
  return nullptr;
}

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

// Clicks File > Exit from inside a running event loop.
class ClickExit : public FXObject {
  FXDECLARE(ClickExit)
  ClickExit() {}

public:
  enum { ID_CLICK = 1, ID_GUARD, ID_CLOSE_BOX };
  Orbala* win = nullptr;
  explicit ClickExit(Orbala* w) : win(w) {}
  long onClick(FXObject*, FXSelector, void*) {
    win->handle(nullptr, FXSEL(SEL_COMMAND, Orbala::ID_EXIT), nullptr);
    return 1;
  }
  long onCloseBox(FXObject*, FXSelector, void*) {
    win->close(TRUE);
    return 1;
  }
  long onGuard(FXObject*, FXSelector, void*) {
    win->getApp()->exit(7);
    return 1;
  }
};
FXDEFMAP(ClickExit)
ClickExitMap[] = {
    FXMAPFUNC(SEL_TIMEOUT, ClickExit::ID_CLICK, ClickExit::onClick),
    FXMAPFUNC(SEL_TIMEOUT, ClickExit::ID_GUARD, ClickExit::onGuard),
    FXMAPFUNC(SEL_TIMEOUT, ClickExit::ID_CLOSE_BOX, ClickExit::onCloseBox),
};
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
  openWindow();
  EXPECT_STREQ(win->getTitle().text(), "Orbala v1.31");
  EXPECT_EQ(win->table->getNumRows(), 1000);
  EXPECT_EQ(win->table->getNumColumns(), 10);
  EXPECT_STREQ(win->table->getColumnText(7).text(), "Relative\nsize");
  EXPECT_EQ(cell(0, 7), "1.0");
  EXPECT_STREQ(win->table->getRowText(0).text(), "1");
  EXPECT_STREQ(win->table->getRowText(999).text(), "1000");
  EXPECT_EQ(win->table->getItemIcon(0, 8), win->tableIcon);
  EXPECT_EQ(win->table->getItemIcon(999, 9), win->tableIcon);
  for (FXMenuCheck* on :
       {win->applyJmolCheck, win->applyDefaultSizesCheck, win->undefinedGrayCheck})
    EXPECT_TRUE(on->getCheck()) << on->getText().text();
  EXPECT_FALSE(win->applyPubChemCheck->getCheck());
  EXPECT_TRUE(win->grayRadio->getCheck() && !win->colorRadio->getCheck());
  EXPECT_STREQ(win->pointNumberField->getText().text(), "1");
  EXPECT_STREQ(win->rotationPointFields[2]->getText().text(), "0");
  EXPECT_STREQ(win->backgroundGroup->getText().text(), "B=100");
  // The harness starts the toolkit under de_DE, whose decimal point is a comma.
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_STREQ(FXStringFormat("%.2lf", 4.99).text(), "4.99");
  EXPECT_STREQ(win->scaleSizeField->getText().text(), "1.00");
  EXPECT_STREQ(win->opaquenessField->getText().text(), "0.5");
  EXPECT_FALSE(win->restoreButton->isEnabled());
  EXPECT_EQ(win->rotationSpeedSlider->getValue(), 50);
  EXPECT_EQ(win->sphereRadiusSlider->getValue(), 499);
  for (auto* item : win->recentFileItems)
    EXPECT_TRUE(item->getText().empty());
  EXPECT_EQ(win->toolBarButtons.size(), 16u);
}

TEST_F(OrbalaTest, StartupPlacesWindowOnScreen) {
  openWindow();
  const int w = testApp()->getRootWindow()->getWidth();
  const int h = testApp()->getRootWindow()->getHeight();
  ASSERT_GT(w, 1100);
  ASSERT_GT(h, 900);
  fireStartup();
  EXPECT_EQ(win->windowX, 50);
  EXPECT_EQ(win->windowY, 50);
  EXPECT_EQ(win->getWidth(), 1000);
  EXPECT_EQ(win->getHeight(), 800);
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
  openWindow();
  Recorder recorder;
  FXMenuCommand* copy = menuEntryWithSelector(win->saveImageMenu, Orbala::ID_COPY_IMAGE);
  FXMenuCommand* save = menuEntryWithSelector(win->saveImageMenu, Orbala::ID_SAVE_IMAGE);
  ASSERT_TRUE(copy && save);
  copy->setTarget(&recorder);
  save->setTarget(&recorder);
  pressKey(win, KEY_c, CONTROLMASK);
  pressKey(win, KEY_s, CONTROLMASK);
  pressKey(win, KEY_c, 0);
  EXPECT_EQ(recorder.received, (std::vector<FXSelector>{89, 88}));
  copy->setTarget(win);
  save->setTarget(win);
}

TEST_F(OrbalaTest, HideThenShowRestoresThePanel) {
  openWindow();
  ASSERT_TRUE(win->leftPanel->shown());
  for (const auto& [label, shown] : {std::pair{"Show", false}, {"Hide", true}}) {
    command(Orbala::ID_HIDE_TABLE, win->hideButton);
    EXPECT_EQ(win->leftPanel->shown(), shown);
    EXPECT_STREQ(win->hideButton->getText().text(), label);
    EXPECT_EQ(std::string(win->hideButton->getTipText().text()),
              std::string(label) + " the data table and controls");
  }
}

TEST_F(OrbalaTest, OptionsAndRadiosStayConsistent) {
  openWindow();
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

  // Radio commands store their index and check only their own radio, menu entries included.
  command(Orbala::ID_ROTATION_AXIS + 1, win->rotationAxisRadios[1]);
  EXPECT_EQ(win->rotationAxis, 1);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(win->rotationAxisItems[i]->getCheck(), i == 1) << i;
    EXPECT_EQ(win->rotationAxisRadios[i]->getCheck(), i == 1) << i;
  }
  command(Orbala::ID_ROTATION_DIRECTION, win->counterClockwiseRadio);
  EXPECT_EQ(win->rotationDirection, 1);
  EXPECT_TRUE(win->counterClockwiseRadio->getCheck() && !win->clockwiseRadio->getCheck());
  command(Orbala::ID_SCALE_MODE + 4, win->scaleModeRadios[4]);
  EXPECT_EQ(win->scaleSizeType, 4);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(win->scaleModeRadios[i]->getCheck(), i == 4) << i;
}

TEST_F(OrbalaTest, ToolBarButtonsHoverAndReturnToTheirColour) {
  openWindow();
  FXButton* button = win->redrawButton;
  FXEvent ev;
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
  EXPECT_EQ(hoverShade(FXRGB(212, 208, 200)), FXRGB(243, 239, 230));
}

TEST_F(OrbalaTest, ExitLeavesTheEventLoopWithCodeZero) {
  openWindow();
  EXPECT_EQ(runLoopWith(win, ClickExit::ID_CLICK), 0);
}

TEST_F(OrbalaTest, CloseBoxEndsTheProgramAndWritesTheSettings) {
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
    closeWindow();
    const auto& boxes = ScriptedDialogs::boxesOfClosedWindow;
    ASSERT_EQ(boxes.size(), 1u) << path;
    EXPECT_EQ(boxes[0].title, "File error");
    EXPECT_EQ(boxes[0].text,
              "File \"" + path + "\" could not be written, your settings cannot be saved.");
  }
}
