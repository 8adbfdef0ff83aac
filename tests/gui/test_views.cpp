// View presets, "Reset zoom", the axis scaling radios and the R and B sliders.
#include "GuiHarness.h"

#include <cmath>

#include "scene/GLObjects.h"
#include "table/Table_zk2.h"

namespace {

float gap(const FXQuatf& a, float x, float y, float z, float w) {
  return (a - FXQuatf(x, y, z, w)).length();
}
const auto sceneLines = &objectsOf<GLLine_zk2>;

} // namespace

class ViewsTest : public OrbalaTest {
protected:
  std::string groupTitle(FXGroupBox* group) const { return group->getText().text(); }
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
};

TEST_F(ViewsTest, PresetsSetTheOrientationAndTheLastPreset) {
  setRow(0, {"a", "1", "2", "3"});
  using orbala::ViewPreset;
  for (const auto& [id, preset] : {std::pair{Orbala::ID_VIEW_XZ, ViewPreset::XZ},
                                   {Orbala::ID_VIEW_YZ, ViewPreset::YZ},
                                   {Orbala::ID_VIEW_XYZ, ViewPreset::XYZ},
                                   {Orbala::ID_VIEW_BOTTOM, ViewPreset::Bottom},
                                   {Orbala::ID_VIEW_TOP, ViewPreset::Top}}) {
    win->viewer->setZoom(3.0);
    command(id);
    EXPECT_EQ(win->lastViewPreset, preset);
    const orbala::Quatf q = orbala::presetView(preset, 1, 1, false).orientation;
    EXPECT_LT(gap(win->viewer->getOrientation(), q.x, q.y, q.z, q.w), 1e-6f);
    EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9) << "each preset ends with \"Reset zoom\"";
  }
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ViewsTest, EmptyTableKeepsThePresetBox) {
  ASSERT_TRUE(win->showAxisLabelsCheck->getCheck());
  command(Orbala::ID_VIEW_TOP);
  EXPECT_EQ(win->pointData.pointCount, 0);
  // E is still the initial 100; the letters widen the box by 3.
  const double presetDistance = win->viewer->getDistance();
  EXPECT_DOUBLE_EQ(presetDistance, distanceFor(FXRangef(-100, 103, -100, 103, 0, 0)));
  const float h = static_cast<float>(2 * std::sqrt(3.0) * 100);
  EXPECT_NE(presetDistance, distanceFor(FXRangef(-h, h, -h, h, -h, h)));

  // With points the refit replaces the box by the data's cube.
  setRow(0, {"a", "10", "0", "0"});
  command(Orbala::ID_VIEW_TOP);
  EXPECT_DOUBLE_EQ(win->dataExtent, 10.0);
  const float h10 = static_cast<float>(2 * std::sqrt(3.0) * 10);
  EXPECT_DOUBLE_EQ(win->viewer->getDistance(),
                   distanceFor(FXRangef(-h10, h10, -h10, h10, -h10, h10)));
}

TEST_F(ViewsTest, BadRotationPointIsReportedOncePerCommand) {
  setRow(0, {"a", "1", "1", "1"});
  win->rotationPointChoice = 3;
  win->rotationPointFields[0]->setText("");
  command(Orbala::ID_VIEW_YZ);
  // The view still changes; the box comes once although the point is evaluated several times.
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::YZ);
  EXPECT_LT(gap(win->viewer->getOrientation(), -0.5f, -0.5f, -0.5f, 0.5f), 1e-6f);
  ASSERT_EQ(dialogs->titles(), Strings{"Rotation error"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_EQ(dialogs->titles(), (Strings{"Rotation error", "Rotation error"}));
  EXPECT_EQ(win->rotationErrorScope, 0);
}

TEST_F(ViewsTest, SphereRadiusSlider) {
  for (const auto& [value, title] : {std::pair{499, "R=4.99"}, {1000, "R=10.00"}, {1, "R=0.01"}}) {
    win->sphereRadiusSlider->setValue(value);
    command(Orbala::ID_SPHERE_RADIUS);
    EXPECT_EQ(groupTitle(win->sphereRadiusGroup), title);
  }
  // A new radius keeps the data cube and says nothing about a bad rotation point.
  setRow(0, {"a", "5", "0", "0"});
  command(Orbala::ID_RESET_ZOOM);
  win->rotationPointChoice = 2;
  win->pointNumberField->setText("");
  win->viewer->setBounds(FXRangef(-1, 1, -1, 1, -1, 1));
  win->viewer->setCenter(FXVec3f(1, 2, 3));
  command(Orbala::ID_SPHERE_RADIUS);
  EXPECT_TRUE(dialogs->boxes.empty());
  const float h = static_cast<float>(2 * std::sqrt(3.0) * 5);
  EXPECT_DOUBLE_EQ(win->viewer->getDistance(), distanceFor(FXRangef(-h, h, -h, h, -h, h)));
}

TEST_F(ViewsTest, BlackBackgroundWithLightGreyAxes) {
  setRow(0, {"a", "1", "1", "1"});
  command(Orbala::ID_RESET_ZOOM);
  win->backgroundSlider->setValue(0);
  command(Orbala::ID_BACKGROUND);
  EXPECT_EQ(groupTitle(win->backgroundGroup), "B=0");
  EXPECT_EQ(win->viewer->getBackgroundColor(FALSE), FXVec4f(0, 0, 0, 1));
  const auto lines = sceneLines(win->sceneGroup);
  ASSERT_EQ(lines.size(), 11u); // three axes and the X, Y and Z
  for (const GLLine_zk2* l : lines)
    EXPECT_TRUE(l->color[0] == 0.8f && l->color[1] == 0.8f && l->color[2] == 0.8f);

  win->backgroundSlider->setValue(73);
  command(Orbala::ID_BACKGROUND);
  EXPECT_EQ(groupTitle(win->backgroundGroup), "B=73");
  EXPECT_FLOAT_EQ(win->viewer->getBackgroundColor(TRUE).x, 0.73f);
  EXPECT_EQ(sceneLines(win->sceneGroup).back()->color[0], 0.0f);
}

TEST_F(ViewsTest, NormalizeAConstantAxisPutsEveryPointAtZero) {
  setRow(0, {"a", "1", "2", "7"});
  setRow(1, {"b", "3", "-2", "7"});
  setRow(2, {"c", "-5", "4", "7"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);

  clickScaling(2, 1);
  EXPECT_EQ(win->axisScaling[2], 1);
  const auto spheres = objectsOf<GLSphere_zk2>(win->sceneGroup);
  ASSERT_EQ(spheres.size(), 3u);
  for (GLSphere_zk2* sphere : spheres)
    EXPECT_EQ(centreOf(sphere).z, 0.0f);
  EXPECT_DOUBLE_EQ(win->pointData.xValues[2], -5.0);
  // The radio ran "Reset zoom": the view is refitted to the scaled data.
  EXPECT_DOUBLE_EQ(win->dataExtent, 5.0);
  EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9);

  clickScaling(2, 0);
  EXPECT_EQ(win->pointData.zValues[1], 7.0);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);
}

TEST_F(ViewsTest, YZViewTurnsTheLettersTowardsTheViewer) {
  setRow(0, {"a", "10", "0", "0"});
  setRow(1, {"b", "0", "10", "5"});
  ASSERT_TRUE(win->showAxisLabelsCheck->getCheck());
  // Scene order: x, y, X (2 strokes), Y (3), z, Z (3). The letter size a is 0.03 E.
  for (const auto& [id, side] :
       {std::pair{Orbala::ID_VIEW_TOP, false}, {Orbala::ID_VIEW_YZ, true}}) {
    command(id);
    const std::vector<GLLine_zk2*> lines = sceneLines(win->sceneGroup);
    ASSERT_EQ(lines.size(), 11u);
    // The Z faces the viewer: in the plane x = 0 after y-z, y = 0 from the top.
    float FXVec3f::*across = side ? &FXVec3f::x : &FXVec3f::y;
    for (int i = 8; i < 11; ++i)
      EXPECT_TRUE(lines[i]->fm.pos.*across == 0 && lines[i]->to.pos.*across == 0) << i;
    // The X of the side views is taller: 2.4a instead of 2a.
    EXPECT_NEAR(std::fabs(lines[2]->to.pos.z - lines[2]->fm.pos.z), (side ? 2.4f : 2.0f) * 0.3f,
                1e-5f);
  }
}
