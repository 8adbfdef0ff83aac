// A long seeded session of mouse and keyboard input through the X server (XTest), so every event
// takes the toolkit's own paths: picking, tooltips, the wheel, drags, popups, typing.
#include "GuiHarness.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <random>
#include <sstream>

#include "io/core/TagFormat.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"

namespace {

constexpr int kEvents = 5000;

struct Area {
  FXWindow* window;
  int weight;
};

// Injects one random input per idle turn of whichever event loop runs, modal loops included.
class Monkey {
public:
  Monkey(Orbala* w, uint32_t seed)
      : win(w), random(seed), display((Display*)w->getApp()->getDisplay()),
        next([this] { onNext(); }, 0) {
    areas = {{w->viewer, 8},
             {w->table, 5},
             {w->toolBar, 2},
             {w->leftPanel, 3},
             {w->menuBar, 1},
             {w->rotationSpeedSlider, 1},
             {w->sphereRadiusSlider, 1},
             {w->backgroundSlider, 1}};
  }
  int sent = 0;
  int modalTurns = 0;

private:
  void onNext() {
    FXApp* app = win->getApp();
    if (sent >= kEvents) return app->exit(0);
    // A dialog of the window's own (About, Instructions) or a popup that random input has not
    // closed within a while is closed, as a person would give up on it.
    if (app->getModalWindow() && ++modalTurns > 40) {
      app->stopModal(app->getModalWindow(), 0);
      modalTurns = 0;
    } else if (!app->getModalWindow()) {
      modalTurns = 0;
    }
    step();
    ++sent;
    XSync(display, False);
    next.again();
  }
  uint32_t below(uint32_t n) { return n ? random() % n : 0; }

  FXWindow* pickArea() {
    int total = 0;
    for (const Area& a : areas)
      total += a.weight;
    int roll = below(total);
    for (const Area& a : areas)
      if ((roll -= a.weight) < 0 && a.window->shown()) return a.window;
    return win;
  }
  void moveTo(FXWindow* w) { xPointAt(w, below(w->getWidth()), below(w->getHeight())); }
  void step() {
    static const char* const keys[] = {
        "0",           "1",           "5",           "9",          "period", "comma",  "minus",
        "e",           "C",           "H",           "a",          "space",  "Return", "Tab",
        "Escape",      "BackSpace",   "Delete",      "Up",         "Down",   "Left",   "Right",
        "Control_L+v", "Control_L+c", "Control_L+a", "Control_L+x"};
    const uint32_t what = below(100);
    if (what < 30) {
      moveTo(pickArea());
    } else if (what < 55) { // a click: mostly left, sometimes right or middle
      moveTo(pickArea());
      const unsigned b = below(10) < 7 ? 1 : below(2) ? 3 : 2;
      xButton(b, true);
      xButton(b, false);
    } else if (what < 65) { // a drag, within one area or across
      moveTo(pickArea());
      const unsigned b = below(3) + 1;
      xButton(b, true);
      for (uint32_t i = 0, n = below(4) + 1; i < n; ++i)
        moveTo(below(4) ? win->viewer : pickArea());
      xButton(b, false);
    } else if (what < 80) { // a wheel notch, up or down
      moveTo(pickArea());
      const unsigned b = below(2) ? 4 : 5;
      xButton(b, true);
      xButton(b, false);
    } else { // mostly typing, now and then a Ctrl chord
      xSendKeys({keys[what < 97 ? below(21) : 21 + below(4)]});
    }
  }

  Orbala* win = nullptr;
  std::mt19937 random;
  Display* display = nullptr;
  std::vector<Area> areas;
  LoopAction next;
};

} // namespace

class RandomInputTest : public OrbalaTest {
protected:
  // The rows a data file keeps, as it keeps them: trimmed, with the decimal dot.
  Strings tableText() const {
    Strings out;
    for (int r = 0; r < win->table->getNumRows(); ++r) {
      if (cell(r, 1).empty() && cell(r, 2).empty() && cell(r, 3).empty()) continue;
      for (const std::string& text : cells(r, 0, 7))
        out.push_back(orbala::replaceAll(orbala::trim(text), ",", "."));
    }
    return out;
  }
};

TEST_F(RandomInputTest, SurvivesALongRandomSessionWithNothingLost) {
  int majorOpcode = 0, firstEvent = 0, firstError = 0;
  Display* display = (Display*)testApp()->getDisplay();
  ASSERT_TRUE(XQueryExtension(display, "XTEST", &majorOpcode, &firstEvent, &firstError));
  ASSERT_TRUE(openFile(testData("caffeine.xyz")));
  fireStartup();
  pump();
  const FXuint pause = testApp()->getTooltipPause();
  testApp()->setTooltipPause(20); // tooltips ask the viewer what lies under the pointer

  {
    Monkey monkey(win, 20261206);
    // File > Exit ends the loop early; the session goes on, as after a cancelled quit.
    for (int rounds = 0; monkey.sent < kEvents && rounds < 100; ++rounds)
      testApp()->run();
    EXPECT_EQ(monkey.sent, kEvents);
  }
  testApp()->setTooltipPause(pause);
  for (unsigned b = 1; b <= 3; ++b)
    xButton(b, false);
  pump();

  // Whatever the table holds now survives a save and a read.
  win->rotating = false;
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  const Strings before = tableText();
  ASSERT_TRUE(win->saveDataFile((dir + "/after.qvx").c_str()));
  ASSERT_TRUE(win->readDataFile((dir + "/after.qvx").c_str(), false));
  EXPECT_EQ(tableText(), before);

  // The settings it writes are well formed: every line a known tag, read back without a box.
  closeWindow();
  std::istringstream lines(readFile(settingsPath));
  for (std::string line; std::getline(lines, line);)
    EXPECT_NE(orbala::lookupTag(orbala::splitTagLine(line).tag), orbala::Tag::Unknown) << line;
  openWindow();
  pump();
  EXPECT_EQ(dialogs->seen(), Strings{});
}

// Values typed into cells and left open while a row command from the context menu moves the
// rows, in a seeded order: each lands in the row it was typed into, wherever that row goes.
TEST_F(RandomInputTest, EditsLeftOpenFollowTheirRowsThroughRowCommands) {
  constexpr int kRows = 10; // all in view
  win->setUpTable(kRows);
  pump();
  std::mt19937 random(20261207);
  const auto below = [&](int n) { return static_cast<int>(random() % n); };
  std::vector<Strings> model(kRows, Strings(4));
  const char* const commands[] = {"Insert an empty line above this one",
                                  "Insert an empty line below this one", "Clear row(s)",
                                  "Delete row(s)"};
  for (int round = 0; round < 60; ++round) {
    const int row = below(kRows), col = below(4);
    const std::string typed = std::to_string(100 + round);
    xClickCell(row, col);
    xType(typed);
    model[row][col] = typed; // as it is settled before anything moves
    int target = row;
    if (below(2)) { // another row selected, the editor left open
      target = below(kRows);
      FXHeader* header = win->table->getRowHeader();
      xClick(header, 5, header->getItemOffset(target) + header->getItemSize(target) / 2);
    }
    const int command = below(4);
    xChooseFromContextMenu(target, (col + 2) % 4, commands[command]);
    const int at = target + (command == 1);
    if (command < 2 && at < kRows) {
      model.insert(model.begin() + at, Strings(4));
      model.pop_back();
    } else if (command == 2) {
      model[target] = Strings(4);
    } else if (command == 3) {
      model.erase(model.begin() + target);
      model.push_back(Strings(4));
    }
    ASSERT_EQ(cellEditor(), nullptr) << "round " << round;
  }
  for (int r = 0; r < kRows; ++r)
    EXPECT_EQ(cells(r, 0, 3), model[r]) << "row " << r;
}
