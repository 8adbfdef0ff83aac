// The viewer: presets, "Reset zoom", axis scaling, the R slider, the rotation driven tick by tick
// and the point it spins about, picks and tooltips, and what a long zooming session leaves behind.
#include "GuiHarness.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <fxkeys.h>
#include <malloc.h>
#include <tuple>

#include "table/Table_zk2.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

float gap(const FXQuatf& a, const orbala::Quatf& b) {
  return (a - FXQuatf(b.x, b.y, b.z, b.w)).length();
}

// Bytes the program holds on the heap, Mesa's included.
size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

} // namespace

class ViewsTest : public OrbalaTest {
protected:
  // Clicks an axis scaling radio: the radio tells its data target, which tells the window.
  void clickScaling(int axis, int option) {
    FXRadioButton* radio = win->axisScalingRadios[2 * axis + option];
    radio->getTarget()->handle(radio, FXSEL(SEL_COMMAND, radio->getSelector()),
                               reinterpret_cast<void*>(static_cast<FXival>(1)));
  }
  // The viewing distance the viewer takes from a bounding box.
  double distanceFor(const FXRangef& box) {
    const double kept = win->viewer->getDistance();
    win->viewer->setBounds(box);
    const double distance = win->viewer->getDistance();
    win->viewer->setDistance(kept);
    return distance;
  }
  // The cube a refit puts around data of this extent.
  static FXRangef cube(double extent) {
    const float h = static_cast<float>(2 * std::sqrt(3.0) * extent);
    return FXRangef(-h, h, -h, h, -h, h);
  }
};

TEST_F(ViewsTest, PresetsFitTheBoxSetTheOrientationResetTheZoomAndTurnTheLetters) {
  // An empty table keeps the preset's box.
  ASSERT_TRUE(win->showAxisLabelsCheck->getCheck());
  command(Orbala::ID_VIEW_TOP);
  EXPECT_EQ(win->pointData.pointCount, 0);
  // E is still the initial 100; the letters widen the box by 3.
  const double presetDistance = win->viewer->getDistance();
  EXPECT_DOUBLE_EQ(presetDistance, distanceFor(FXRangef(-100, 103, -100, 103, 0, 0)));
  EXPECT_NE(presetDistance, distanceFor(cube(100)));

  // Points replace it by their cube.
  setRow(0, {"a", "10", "0", "0"});
  command(Orbala::ID_VIEW_TOP);
  EXPECT_DOUBLE_EQ(win->dataExtent, 10.0);
  EXPECT_DOUBLE_EQ(win->viewer->getDistance(), distanceFor(cube(10)));

  using orbala::ViewPreset;
  for (const auto& [id, preset] : {std::pair{Orbala::ID_VIEW_XZ, ViewPreset::XZ},
                                   {Orbala::ID_VIEW_YZ, ViewPreset::YZ},
                                   {Orbala::ID_VIEW_XYZ, ViewPreset::XYZ},
                                   {Orbala::ID_VIEW_BOTTOM, ViewPreset::Bottom},
                                   {Orbala::ID_VIEW_TOP, ViewPreset::Top}}) {
    win->viewer->setZoom(3.0);
    command(id);
    EXPECT_EQ(win->lastViewPreset, preset);
    EXPECT_LT(
        gap(win->viewer->getOrientation(), orbala::presetView(preset, 1, 1, false).orientation),
        1e-6f);
    EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9) << "each preset ends with \"Reset zoom\"";
    // The letters are drawn for the view just chosen: the Z faces the viewer after y-z.
    expectStrokes(win->sceneGroup, orbala::axisStrokes({}, 10, win->sphereRadiusUnit(),
                                                       win->labelSize, 0, 0, preset));
  }
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ViewsTest, BadRotationPointIsReportedOncePerCommandButNotForANewRadius) {
  setRow(0, {"a", "5", "0", "0"});
  win->rotationPointChoice = 3;
  win->rotationPointFields[0]->setText("");
  command(Orbala::ID_VIEW_YZ);
  // The view still changes; the box comes once although the point is evaluated several times.
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::YZ);
  ASSERT_EQ(dialogs->titles(), Strings{"Rotation error"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_EQ(dialogs->titles(), (Strings{"Rotation error", "Rotation error"}));
  EXPECT_EQ(win->reportScope, 0);

  // A new radius keeps the data cube and says nothing about the point.
  dialogs->boxes.clear();
  win->viewer->setBounds(FXRangef(-1, 1, -1, 1, -1, 1));
  win->sphereRadiusSlider->setValue(250);
  command(Orbala::ID_SPHERE_RADIUS);
  EXPECT_TRUE(dialogs->boxes.empty());
  EXPECT_DOUBLE_EQ(win->viewer->getDistance(), distanceFor(cube(5)));
}

TEST_F(ViewsTest, NormalizeAConstantAxisPutsEveryPointAtZero) {
  setRow(0, {"a", "1", "2", "7"});
  setRow(1, {"b", "3", "-2", "7"});
  setRow(2, {"c", "-5", "4", "7"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);

  clickScaling(2, 1);
  ASSERT_EQ(spheres().size(), 3u);
  for (GLSphere_zk2* sphere : spheres())
    EXPECT_EQ(centreOf(sphere).z, 0.0f);
  // The radio ran "Reset zoom": the view is refitted to the scaled data.
  EXPECT_DOUBLE_EQ(win->dataExtent, 5.0);
  EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9);

  clickScaling(2, 0);
  EXPECT_EQ(win->pointData.zValues[1], 7.0);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);
}

TEST_F(ViewsTest, ResetZoomUndoesAPanAndTheNextTurnStartsFromThere) {
  fireStartup();
  ASSERT_TRUE(openFile(testData("caffeine.xyz")));
  pump();
  const std::vector<int> centred = drawnBox(grab(win->viewer));
  // A right drag by 100 × 50 pixels, through the X server as a hand makes it.
  const int x = win->viewer->getWidth() / 2, y = win->viewer->getHeight() / 2;
  xPointAt(win->viewer, x, y);
  xButton(3, true);
  for (int step = 1; step <= 2; ++step) {
    pump();
    xPointAt(win->viewer, x + 50 * step, y + 25 * step);
  }
  pump();
  xButton(3, false);
  pump();
  EXPECT_GT(drawnBox(grab(win->viewer))[0], centred[0] + 50);
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_EQ(drawnBox(grab(win->viewer)), centred);
  // The slowest turn moves the picture by a pixel or so, not back by the pan.
  win->rotationSpeedSlider->setValue(1);
  command(Orbala::ID_ROTATE);
  send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  EXPECT_NEAR(drawnBox(grab(win->viewer))[0], centred[0], 2);
}

class PickingTest : public OrbalaTest {
protected:
  void SetUp() override {
    OrbalaTest::SetUp();
    win->position(0, 0, 1500, 1000);
    pump();
  }

  long viewerEvent(FXSelector type, int x, int y, int code = 0) {
    FXEvent ev{};
    ev.type = type;
    ev.win_x = ev.click_x = x;
    ev.win_y = ev.click_y = y;
    ev.code = code;
    return win->viewer->handle(win->viewer, FXSEL(type, 0), &ev);
  }
  std::pair<int, int> screenOf(FXGLObject* object) {
    const FXVec3f c = centreOf(object);
    int x = 0, y = 0;
    project(c.x, c.y, c.z, x, y);
    return {x, y};
  }
  FXGLObject* clickAt(std::pair<int, int> at) {
    viewerEvent(SEL_MOTION, at.first, at.second);
    viewerEvent(SEL_LEFTBUTTONPRESS, at.first, at.second);
    viewerEvent(SEL_LEFTBUTTONRELEASE, at.first, at.second);
    return win->viewer->getSelection();
  }
  // The text a tooltip would show with the pointer resting at the point.
  std::string tipAt(std::pair<int, int> at) {
    win->viewer->setCursorPosition(at.first, at.second);
    viewerEvent(SEL_MOTION, at.first, at.second);
    win->viewer->handle(win->viewer, FXSEL(SEL_TIMEOUT, FXGLViewer::ID_TIPTIMER), nullptr);
    FXToolTip tip(testApp());
    tip.setText("");
    win->viewer->handle(&tip, FXSEL(SEL_QUERY_TIP, 0), nullptr);
    return tip.getText().text();
  }
  std::vector<GLSphere_zk2*> plot(int count) {
    for (int r = 0; r < count; ++r)
      setRow(r, {"", std::to_string(r % 5 * 4), std::to_string(r / 5 * 4), std::to_string(r % 3)});
    win->readTable(true);
    grab(win->viewer);
    return objectsOf<GLSphere_zk2>(win->sceneGroup);
  }
};

TEST_F(PickingTest, PointingAndClickingPickTheSphereUnderThePointer) {
  win->sphereRadiusSlider->setValue(20); // spheres of radius 1, 4 apart
  std::vector<GLSphere_zk2*> spheres = plot(60);
  setRow(60, {"", "8", "12", "6"}); // on the line of sight of row 18 in the top view
  win->readTable(true);
  const Strings table = cells(17, 0, 9);
  spheres = objectsOf<GLSphere_zk2>(win->sceneGroup);
  ASSERT_EQ(spheres.size(), 61u);
  spheres[5]->setTipText("row 6");
  grab(win->viewer);

  EXPECT_EQ(tipAt(screenOf(spheres[5])), "row 6");
  EXPECT_EQ(tipAt({5, 5}), "");
  EXPECT_EQ(clickAt(screenOf(spheres[42])), spheres[42]);
  const bool lastNearer = win->viewer->worldToEyeZ(centreOf(spheres[60])) >
                          win->viewer->worldToEyeZ(centreOf(spheres[17]));
  EXPECT_EQ(clickAt(screenOf(spheres[17])), spheres[lastNearer ? 60 : 17]);
  EXPECT_EQ(clickAt({5, 5}), nullptr);

  // The window lives on with its table and its plot.
  EXPECT_TRUE(win->shown());
  EXPECT_EQ(cells(17, 0, 9), table);
  EXPECT_EQ(objectsOf<GLSphere_zk2>(win->sceneGroup).size(), 61u);
  EXPECT_FALSE(grab(win->viewer).pixels.empty());
}

TEST_F(PickingTest, ZoomingLeavesNoMemoryBehind) {
  const auto spheres = plot(24);
  const auto target = screenOf(spheres[12]);
  // Each notch redraws at a new scale and the resting pointer asks for a tip, which picks.
  const auto notch = [&](int code) {
    viewerEvent(SEL_MOUSEWHEEL, target.first, target.second, code);
    grab(win->viewer);
    tipAt(target);
  };
  for (int i = 0; i < 4; ++i)
    notch(i < 2 ? -120 : 120);
  const size_t before = heapInUse();
  for (int i = 0; i < 60; ++i)
    notch(i < 30 ? -120 : 120);
  EXPECT_LT(heapInUse(), before + 4 * 1024 * 1024);

  // Nor does the GL keep a mesh per scale met.
  ASSERT_TRUE(win->viewer->makeCurrent());
  int kept = 0;
  for (GLuint id = 1; id < 4096; ++id)
    kept += glIsList(id) + glIsBuffer(id);
  win->viewer->makeNonCurrent();
  EXPECT_LE(kept, 8);
}

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
