// The rotation animation driven tick by tick, and the point the plot spins about.
#include "GuiHarness.h"

#include <fxkeys.h>

#include "table/Table_zk2.h"

namespace {

constexpr float kPi = 3.1415927f;

// Deletes the window from inside the event loop, the way its close box does.
class WindowCloser : public FXObject {
  FXDECLARE(WindowCloser)
  WindowCloser() {}

public:
  enum { ID_CLOSE = 1 };
  Orbala** window = nullptr;
  explicit WindowCloser(Orbala** w) : window(w) {}
  long onClose(FXObject*, FXSelector, void*) {
    delete *window;
    *window = nullptr;
    return 1;
  }
};
FXDEFMAP(WindowCloser)
WindowCloserMap[] = {
    FXMAPFUNC(SEL_CHORE, WindowCloser::ID_CLOSE, WindowCloser::onClose),
    FXMAPFUNC(SEL_TIMEOUT, WindowCloser::ID_CLOSE, WindowCloser::onClose),
};
FXIMPLEMENT(WindowCloser, FXObject, WindowCloserMap, ARRAYNUMBER(WindowCloserMap))

void expectQuat(const FXQuatf& actual, const FXQuatf& expected, float tol = 1e-6f) {
  EXPECT_NEAR(actual.x, expected.x, tol);
  EXPECT_NEAR(actual.y, expected.y, tol);
  EXPECT_NEAR(actual.z, expected.z, tol);
  EXPECT_NEAR(actual.w, expected.w, tol);
}

void expectCenter(const FXGLViewer* viewer, float x, float y, float z) {
  EXPECT_EQ(viewer->getCenter(), FXVec3f(x, y, z));
}

} // namespace

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
    FXEvent ev;
    ev.type = SEL_KEYRELEASE;
    ev.code = code;
    return send(SEL_KEYRELEASE, Orbala::ID_ROTATION_POINT_FIELD, field, &ev);
  }
  void expectRotationError() {
    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].kind, "error");
    EXPECT_EQ(dialogs->boxes[0].title, "Rotation error");
    EXPECT_EQ(dialogs->boxes[0].text, "Check the definition of your rotation point.");
    dialogs->boxes.clear();
  }
};

TEST_F(RotationTest, StartTickStopAndTheButtonLabel) {
  openWindow();
  command(Orbala::ID_ROTATE);
  EXPECT_TRUE(win->rotating);
  EXPECT_TRUE(testApp()->hasTimeout(win, Orbala::ID_ROTATE_TIMER));
  // The label follows at the tick, not at the click.
  EXPECT_EQ(rotateLabel(), "Rotate");
  tick();
  EXPECT_EQ(rotateLabel(), "Stop");
  tick();
  EXPECT_EQ(rotateLabel(), "Stop");

  command(Orbala::ID_ROTATE);
  EXPECT_FALSE(win->rotating);
  EXPECT_EQ(rotateLabel(), "Stop");
  // The pending tick is left to see the flag; it ends the chain.
  const FXQuatf before = win->viewer->getOrientation();
  tick();
  EXPECT_EQ(rotateLabel(), "Rotate");
  EXPECT_EQ(takePendingTicks(), 0);
  expectQuat(win->viewer->getOrientation(), before, 0.0f);

  // A view preset stops it the same way, and its orientation stays.
  command(Orbala::ID_ROTATE);
  tick();
  ASSERT_EQ(rotateLabel(), "Stop");
  command(Orbala::ID_VIEW_XZ);
  EXPECT_FALSE(win->rotating);
  const FXQuatf preset = win->viewer->getOrientation();
  tick();
  EXPECT_EQ(rotateLabel(), "Rotate");
  EXPECT_EQ(takePendingTicks(), 0);
  expectQuat(win->viewer->getOrientation(), preset, 0.0f);
  expectQuat(preset, FXQuatf(-0.7071068f, 0, 0, 0.7071068f));
}

TEST_F(RotationTest, RestartBeforeThePendingTickKeepsOneChain) {
  openWindow();
  // Stop and start again before the first tick has fired.
  command(Orbala::ID_ROTATE);
  command(Orbala::ID_ROTATE);
  command(Orbala::ID_ROTATE);
  EXPECT_TRUE(win->rotating);
  tick();
  EXPECT_EQ(rotateLabel(), "Stop");

  // The same while the chain is running: many clicks, still one tick pending.
  for (int i = 0; i < 6; ++i)
    command(Orbala::ID_ROTATE);
  EXPECT_TRUE(win->rotating);
  tick();
  EXPECT_EQ(rotateLabel(), "Stop");
  EXPECT_EQ(takePendingTicks(), 1);
}

TEST_F(RotationTest, EachTickTurnsAboutTheModelsAxis) {
  openWindow();
  win->rotationSpeedSlider->setValue(100);
  command(Orbala::ID_ROTATION_DIRECTION, win->counterClockwiseRadio);
  EXPECT_EQ(win->rotationDirection, 1);
  command(Orbala::ID_ROTATION_AXIS + 2);
  EXPECT_TRUE(win->rotationAxisRadios[2]->getCheck());

  const FXQuatf start(0.1f, -0.3f, 0.2f, 0.927362f);
  win->viewer->setOrientation(start);
  const FXQuatf before = win->viewer->getOrientation();
  command(Orbala::ID_ROTATE);
  tick();
  // Counter-clockwise at speed 100: π/200 about z, with the current orientation on the left.
  FXQuatf expected = before * FXQuatf(FXVec3f(0, 0, 1), kPi / 200);
  expected.adjust();
  expectQuat(win->viewer->getOrientation(), expected);

  // Axis, direction and speed changed while running apply from the next tick.
  command(Orbala::ID_ROTATION_AXIS + 3);
  command(Orbala::ID_ROTATION_DIRECTION, win->clockwiseRadio);
  win->rotationSpeedSlider->setValue(400);
  const FXQuatf middle = win->viewer->getOrientation();
  tick();
  expected = middle * FXQuatf(FXVec3f(1, 1, 1), -kPi / 50);
  expected.adjust();
  expectQuat(win->viewer->getOrientation(), expected);
}

TEST_F(RotationTest, RotationPointChoices) {
  openWindow();
  setRow(0, {"a", "1", "2", "3"});
  setRow(1, {"b", "-4", "5", "6.5"});
  // Row 3 has coordinates but a size too small to be plotted.
  setRow(2, {"c", "7", "8", "9", "", "", "", "0"});
  // "normalize 0 to 1" on x changes the plotted points, not the rotation point.
  win->axisScaling[0] = 1;
  command(Orbala::ID_REDRAW);
  EXPECT_EQ(win->pointData.pointCount, 2);
  EXPECT_EQ(win->pointData.xValues[1], 0.0);

  // The origin; the centre of the initial bounds, since no refit has measured the data yet;
  // row 2 with blanks around its number; row 3, not plotted but with coordinates.
  win->viewer->setCenter(FXVec3f(5, 5, 5));
  struct Case {
    int choice;
    const char* number;
    FXVec3f centre;
  };
  for (const Case& c : {Case{0, "", FXVec3f(0, 0, 0)}, Case{1, "", FXVec3f(0, 0, 50)},
                        Case{2, " 2 ", FXVec3f(-4, 5, 6.5f)}, Case{2, "3", FXVec3f(7, 8, 9)}}) {
    win->pointNumberField->setText(c.number);
    chooseRotationPoint(c.choice);
    EXPECT_EQ(win->viewer->getCenter(), c.centre) << c.choice << " " << c.number;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(win->rotationPointRadios[i]->getCheck(), i == c.choice);
  }
  EXPECT_TRUE(dialogs->boxes.empty());

  // A bad number leaves the centre where it was.
  for (const char* bad : {"0", "-1", "4", "1001", ""}) {
    win->pointNumberField->setText(bad);
    chooseRotationPoint(2);
    expectRotationError();
    expectCenter(win->viewer, 7, 8, 9);
  }

  win->rotationPointFields[0]->setText("1.5");
  win->rotationPointFields[1]->setText("abc");
  win->rotationPointFields[2]->setText("-2");
  chooseRotationPoint(3);
  expectCenter(win->viewer, 1.5f, 0, -2);
  win->rotationPointFields[1]->setText(" ");
  chooseRotationPoint(3);
  expectRotationError();
  expectCenter(win->viewer, 1.5f, 0, -2);

  // A point that cannot be evaluated does not start the rotation.
  command(Orbala::ID_ROTATE);
  expectRotationError();
  EXPECT_FALSE(win->rotating);
  EXPECT_EQ(takePendingTicks(), 0);
  EXPECT_EQ(rotateLabel(), "Rotate");
}

TEST_F(RotationTest, ReturnInTheFieldsAppliesThePoint) {
  openWindow();
  chooseRotationPoint(3);
  expectCenter(win->viewer, 0, 0, 0);
  win->rotationPointFields[0]->setText("3");
  // Other keys are swallowed without applying anything.
  EXPECT_EQ(releaseKeyInField(win->rotationPointFields[0], KEY_3), 1);
  expectCenter(win->viewer, 0, 0, 0);
  EXPECT_EQ(releaseKeyInField(win->rotationPointFields[0], KEY_Return), 1);
  expectCenter(win->viewer, 3, 0, 0);
  win->rotationPointFields[2]->setText("-1");
  EXPECT_EQ(releaseKeyInField(win->rotationPointFields[2], KEY_KP_Enter), 1);
  expectCenter(win->viewer, 3, 0, -1);
  EXPECT_TRUE(dialogs->boxes.empty());

  // Return also restores the radio of the current choice.
  win->rotationPointRadios[3]->setCheck(FALSE);
  win->rotationPointRadios[1]->setCheck(TRUE);
  releaseKeyInField(win->pointNumberField, KEY_Return);
  EXPECT_TRUE(win->rotationPointRadios[3]->getCheck());
  EXPECT_FALSE(win->rotationPointRadios[1]->getCheck());
}

TEST_F(RotationTest, RotationPointFromTheCurrentRow) {
  openWindow();
  setRow(4, {"e", "1", "-2", "3"});
  win->table->setCurrentItem(4, 1);
  command(Orbala::ID_ROTATION_POINT_FROM_ROW);
  EXPECT_EQ(std::string(win->pointNumberField->getText().text()), "5");
  EXPECT_EQ(win->rotationPointChoice, 2);
  EXPECT_TRUE(win->rotationPointRadios[2]->getCheck());
  EXPECT_FALSE(win->rotationPointRadios[0]->getCheck());
  expectCenter(win->viewer, 1, -2, 3);

  // A row without coordinates is reported.
  win->table->setCurrentItem(6, 0);
  command(Orbala::ID_ROTATION_POINT_FROM_ROW);
  EXPECT_EQ(std::string(win->pointNumberField->getText().text()), "7");
  expectRotationError();
  expectCenter(win->viewer, 1, -2, 3);
}

TEST_F(RotationTest, RightPressOnTheViewerIsTakenOnlyWhileRotating) {
  openWindow();
  FXEvent ev;
  ev.type = SEL_RIGHTBUTTONPRESS;
  ev.win_x = 10;
  ev.win_y = 10;
  EXPECT_EQ(send(SEL_RIGHTBUTTONPRESS, Orbala::ID_VIEWER, win->viewer, &ev), 0);
  command(Orbala::ID_ROTATE);
  EXPECT_EQ(send(SEL_RIGHTBUTTONPRESS, Orbala::ID_VIEWER, win->viewer, &ev), 1);
  command(Orbala::ID_ROTATE);
  EXPECT_EQ(send(SEL_RIGHTBUTTONPRESS, Orbala::ID_VIEWER, win->viewer, &ev), 0);
}

TEST_F(RotationTest, ClosingTheWindowDuringATickIsSafe) {
  openWindow();
  command(Orbala::ID_ROTATE);
  ASSERT_EQ(takePendingTicks(), 1);
  // The tick lets pending events run; one of them closes the window.
  WindowCloser closer(&win);
  testApp()->addChore(&closer, WindowCloser::ID_CLOSE);
  testApp()->addTimeout(&closer, WindowCloser::ID_CLOSE, 0);
  win->handle(nullptr, FXSEL(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER), nullptr);
  testApp()->removeChore(&closer, WindowCloser::ID_CLOSE);
  testApp()->removeTimeout(&closer, WindowCloser::ID_CLOSE);
  EXPECT_EQ(win, nullptr);
}
