// View presets, "Reset zoom", the axis scaling radios and the R and B sliders.
#include "GuiHarness.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/GLObjects.h"
#include "table/Table_zk2.h"

namespace {

void expectQuat(const FXQuatf& actual, float x, float y, float z, float w, float tol = 1e-6f) {
  EXPECT_NEAR(actual.x, x, tol);
  EXPECT_NEAR(actual.y, y, tol);
  EXPECT_NEAR(actual.z, z, tol);
  EXPECT_NEAR(actual.w, w, tol);
}

std::vector<GLLine_zk2*> sceneLines(FXGLGroup* group) {
  std::vector<GLLine_zk2*> lines;
  for (FXint i = 0; i < group->no(); ++i) {
    if (auto* line = dynamic_cast<GLLine_zk2*>(group->child(i))) lines.push_back(line);
  }
  return lines;
}

std::vector<FXVec3f> sphereCentres(FXGLGroup* group) {
  std::vector<FXVec3f> centres;
  for (FXint i = 0; i < group->no(); ++i) {
    if (auto* sphere = dynamic_cast<GLSphere_zk2*>(group->child(i))) {
      FXRangef box;
      sphere->bounds(box);
      centres.push_back(box.center());
    }
  }
  return centres;
}

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
  openWindow();
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
    expectQuat(win->viewer->getOrientation(), q.x, q.y, q.z, q.w);
    EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9) << "each preset ends with \"Reset zoom\"";
  }
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ViewsTest, EmptyTableKeepsThePresetBox) {
  openWindow();
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

TEST_F(ViewsTest, ResetZoomRefitsAndCentresOnTheRotationPoint) {
  openWindow();
  setRow(0, {"a", "-4", "0", "2"});
  setRow(1, {"b", "2", "6", "8"});
  win->viewer->setZoom(3.0);
  command(Orbala::ID_ROTATION_POINT + 1);
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_EQ(win->pointData.pointCount, 2);
  EXPECT_DOUBLE_EQ(win->dataExtent, 8.0);
  EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9);
  EXPECT_EQ(win->viewer->getCenter(), FXVec3f(-1, 3, 5)) << "the geometric centre";
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ViewsTest, BadRotationPointIsReportedOncePerCommand) {
  openWindow();
  setRow(0, {"a", "1", "1", "1"});
  win->rotationPointChoice = 3;
  win->rotationPointFields[0]->setText("");
  command(Orbala::ID_VIEW_YZ);
  // The view still changes; the box comes once although the point is evaluated several times.
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::YZ);
  expectQuat(win->viewer->getOrientation(), -0.5f, -0.5f, -0.5f, 0.5f);
  ASSERT_EQ(dialogs->titles(), std::vector<std::string>{"Rotation error"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_EQ(dialogs->titles(), (std::vector<std::string>{"Rotation error", "Rotation error"}));
  EXPECT_EQ(win->rotationErrorScope, 0);
}

TEST_F(ViewsTest, SphereRadiusSlider) {
  openWindow();
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
  openWindow();
  setRow(0, {"a", "1", "1", "1"});
  command(Orbala::ID_RESET_ZOOM);
  win->backgroundSlider->setValue(0);
  command(Orbala::ID_BACKGROUND);
  EXPECT_EQ(groupTitle(win->backgroundGroup), "B=0");
  EXPECT_EQ(win->viewer->getBackgroundColor(FALSE), FXVec4f(0, 0, 0, 1));
  EXPECT_EQ(win->viewer->getBackgroundColor(TRUE), FXVec4f(0, 0, 0, 1));
  const std::vector<GLLine_zk2*> lines = sceneLines(win->sceneGroup);
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
  openWindow();
  setRow(0, {"a", "1", "2", "7"});
  setRow(1, {"b", "3", "-2", "7"});
  setRow(2, {"c", "-5", "4", "7"});
  command(Orbala::ID_RESET_ZOOM);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);

  clickScaling(2, 1);
  EXPECT_EQ(win->axisScaling[2], 1);
  ASSERT_EQ(win->pointData.pointCount, 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(win->pointData.zValues[i], 0.0);
  EXPECT_DOUBLE_EQ(win->pointData.xValues[2], -5.0);
  const std::vector<FXVec3f> centres = sphereCentres(win->sceneGroup);
  ASSERT_EQ(centres.size(), 3u);
  for (const FXVec3f& c : centres)
    EXPECT_EQ(c.z, 0.0f);
  // The radio ran "Reset zoom": the view is refitted to the scaled data.
  EXPECT_DOUBLE_EQ(win->dataExtent, 5.0);
  EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9);

  clickScaling(2, 0);
  EXPECT_EQ(win->axisScaling[2], 0);
  EXPECT_EQ(win->pointData.zValues[1], 7.0);
  EXPECT_DOUBLE_EQ(win->dataExtent, 7.0);
}

TEST_F(ViewsTest, YZViewTurnsTheLettersTowardsTheViewer) {
  openWindow();
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
