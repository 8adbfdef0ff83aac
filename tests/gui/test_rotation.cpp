// The rotation animation driven tick by tick, and the point the plot spins about.
#include "GuiHarness.h"

#include <fxkeys.h>
#include <tuple>

#include "table/Table_zk2.h"

class RotationTest : public OrbalaTest {
protected:
  // Removes the pending rotation ticks one by one and says how many there were.
  int takePendingTicks() {
    int count = 0;
    while (count < 10 && testApp()->hasTimeout(win, Orbala::ID_ROTATE_TIMER)) {
      testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
      ++count;
    }
    return count;
  }
  // Fires the tick the window armed, as the event loop would.
  void tick() {
    ASSERT_EQ(takePendingTicks(), 1);
    send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  }
  std::string rotateLabel() const { return win->rotateButton->getText().text(); }
  void chooseRotationPoint(int choice) { command(Orbala::ID_ROTATION_POINT + choice); }
  long releaseKeyInField(FXTextField* field, FXuint code) {
    return sendEvent(SEL_KEYRELEASE, Orbala::ID_ROTATION_POINT_FIELD, code, 0, field);
  }
  void expectRotationError() {
    EXPECT_EQ(dialogs->seen(),
              Strings{"error Rotation error: Check the definition of your rotation point."});
    dialogs->boxes.clear();
  }
};

TEST_F(RotationTest, StartTickStopAndTheButtonLabel) {
  // Stopped by the button, or by a view preset whose orientation then stays.
  for (const FXSelector stop : {Orbala::ID_ROTATE, Orbala::ID_VIEW_XZ}) {
    command(Orbala::ID_ROTATE);
    EXPECT_TRUE(win->rotating);
    // The label follows at the tick, not at the click.
    EXPECT_EQ(rotateLabel(), "Rotate");
    tick();
    EXPECT_EQ(rotateLabel(), "Stop");
    command(stop);
    EXPECT_FALSE(win->rotating);
    EXPECT_EQ(rotateLabel(), "Stop");
    // The pending tick is left to see the flag; it ends the chain.
    const FXQuatf before = win->viewer->getOrientation();
    tick();
    EXPECT_EQ(rotateLabel(), "Rotate");
    EXPECT_EQ(takePendingTicks(), 0);
    EXPECT_EQ(win->viewer->getOrientation(), before);
  }
  // Start, stop and start again before the first tick; then many clicks while it runs.
  for (int clicks : {3, 4}) {
    for (int i = 0; i < clicks; ++i)
      command(Orbala::ID_ROTATE);
    EXPECT_TRUE(win->rotating);
    tick(); // exactly one pending
  }
  EXPECT_EQ(takePendingTicks(), 1);
}

TEST_F(RotationTest, EachTickTurnsAboutTheModelsAxisAsTheControlsSayNow) {
  win->viewer->setOrientation(FXQuatf(0.1f, -0.3f, 0.2f, 0.927362f));
  command(Orbala::ID_ROTATE);
  // Changed while running, axis, direction and speed apply from the next tick: π/200 per tick
  // at speed 100, with the current orientation on the left.
  const float pi = 3.1415927f;
  for (const auto& [axis, direction, speed, turn] :
       {std::tuple{2, win->counterClockwiseRadio, 100, FXQuatf(FXVec3f(0, 0, 1), pi / 200)},
        {3, win->clockwiseRadio, 400, FXQuatf(FXVec3f(1, 1, 1), -pi / 50)}}) {
    command(Orbala::ID_ROTATION_AXIS + axis);
    command(Orbala::ID_ROTATION_DIRECTION, direction);
    win->rotationSpeedSlider->setValue(speed);
    FXQuatf expected = win->viewer->getOrientation() * turn;
    expected.adjust();
    tick();
    EXPECT_LT((win->viewer->getOrientation() - expected).length(), 1e-6f) << axis;
  }
}

TEST_F(RotationTest, RotationPointChoices) {
  setRow(0, {"a", "1", "2", "3"});
  setRow(1, {"b", "-4", "5", "6.5"});
  // Row 3 has coordinates but a size too small to be plotted.
  setRow(2, {"c", "7", "8", "9", "", "", "", "0"});
  // "normalize 0 to 1" on x changes the plotted points, not the rotation point.
  win->axisScaling[0] = 1;
  command(Orbala::ID_REDRAW);
  ASSERT_EQ(win->pointData.pointCount, 2);

  // The origin; the centre of the initial bounds, since no refit has measured the data yet;
  // row 2 with blanks around its number; row 3, not plotted but with coordinates.
  for (const auto& [choice, number, centre] : {std::tuple{0, "", FXVec3f(0, 0, 0)},
                                               {1, "", FXVec3f(0, 0, 50)},
                                               {2, " 2 ", FXVec3f(-4, 5, 6.5f)},
                                               {2, "3", FXVec3f(7, 8, 9)}}) {
    win->viewer->setCenter(FXVec3f(5, 5, 5));
    win->pointNumberField->setText(number);
    chooseRotationPoint(choice);
    EXPECT_EQ(win->viewer->getCenter(), centre) << choice << " " << number;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(win->rotationPointRadios[i]->getCheck(), i == choice);
  }
  EXPECT_TRUE(dialogs->boxes.empty());

  // A bad number, or a typed point with a blank field, leaves the centre where it was.
  win->pointNumberField->setText("4");
  chooseRotationPoint(2);
  expectRotationError();
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(7, 8, 9));
  win->rotationPointFields[1]->setText(" ");
  chooseRotationPoint(3);
  expectRotationError();
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(7, 8, 9));
  // Nor does the rotation start about it.
  command(Orbala::ID_ROTATE);
  expectRotationError();
  EXPECT_FALSE(win->rotating);
  EXPECT_EQ(takePendingTicks(), 0);
}

TEST_F(RotationTest, ReturnInTheFieldsAndTheCurrentRowApplyThePoint) {
  chooseRotationPoint(3);
  win->rotationPointFields[0]->setText("3");
  win->rotationPointFields[2]->setText("-1");
  // Other keys are swallowed without applying anything; Return and Enter apply.
  EXPECT_EQ(releaseKeyInField(win->rotationPointFields[0], KEY_3), 1);
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(0, 0, 0));
  for (FXuint key : {KEY_Return, KEY_KP_Enter}) {
    win->viewer->setCenter(FXVec3f(9, 9, 9));
    EXPECT_EQ(releaseKeyInField(win->rotationPointFields[2], key), 1);
    EXPECT_EQ(win->viewer->getCenter(), FXVec3f(3, 0, -1));
  }
  // Return also restores the radio of the current choice.
  win->rotationPointRadios[3]->setCheck(FALSE);
  win->rotationPointRadios[1]->setCheck(TRUE);
  releaseKeyInField(win->pointNumberField, KEY_Return);
  EXPECT_TRUE(win->rotationPointRadios[3]->getCheck() && !win->rotationPointRadios[1]->getCheck());
  EXPECT_TRUE(dialogs->boxes.empty());

  // The current row's number goes to the field; a row without coordinates is reported.
  setRow(4, {"e", "1", "-2", "3"});
  win->table->setCurrentItem(4, 1);
  command(Orbala::ID_ROTATION_POINT_FROM_ROW);
  EXPECT_EQ(std::string(win->pointNumberField->getText().text()), "5");
  EXPECT_TRUE(win->rotationPointRadios[2]->getCheck() && !win->rotationPointRadios[3]->getCheck());
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(1, -2, 3));
  win->table->setCurrentItem(6, 0);
  command(Orbala::ID_ROTATION_POINT_FROM_ROW);
  EXPECT_EQ(std::string(win->pointNumberField->getText().text()), "7");
  expectRotationError();
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(1, -2, 3));
}

TEST_F(RotationTest, RightPressIsTakenOnlyWhileRotatingAndClosingDuringATickIsSafe) {
  FXEvent ev{};
  ev.win_x = ev.win_y = 10;
  for (long taken : {0, 1, 0}) {
    EXPECT_EQ(send(SEL_RIGHTBUTTONPRESS, Orbala::ID_VIEWER, win->viewer, &ev), taken);
    command(Orbala::ID_ROTATE); // starts, stops, starts
  }
  ASSERT_EQ(takePendingTicks(), 1);
  // The tick lets pending events run; one of them closes the window.
  const LoopAction closer([this] { closeWindow(); }, 0);
  win->handle(nullptr, FXSEL(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER), nullptr);
  EXPECT_EQ(win, nullptr);
}
