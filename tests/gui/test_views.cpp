// View presets, "Reset zoom", the axis scaling radios and the R slider.
#include "GuiHarness.h"

#include <cmath>

#include "table/Table_zk2.h"

namespace {

float gap(const FXQuatf& a, const orbala::Quatf& b) {
  return (a - FXQuatf(b.x, b.y, b.z, b.w)).length();
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
