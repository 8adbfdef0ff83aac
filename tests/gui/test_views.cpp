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

// The strokes of the X: beyond the origin on the x side, and slanted.
std::vector<GLLine_zk2*> xLetter(FXGLGroup* group) {
  std::vector<GLLine_zk2*> strokes;
  for (GLLine_zk2* l : sceneLines(group)) {
    if (l->fm.pos.x > 0 && l->to.pos.x > 0 && l->fm.pos.z != l->to.pos.z) strokes.push_back(l);
  }
  return strokes;
}

// The strokes of the Z: wholly above the highest point.
std::vector<GLLine_zk2*> zLetter(FXGLGroup* group, float zMax) {
  std::vector<GLLine_zk2*> strokes;
  for (GLLine_zk2* l : sceneLines(group)) {
    if (l->fm.pos.z > zMax && l->to.pos.z > zMax) strokes.push_back(l);
  }
  return strokes;
}

float letterHeight(const std::vector<GLLine_zk2*>& strokes) {
  float lo = 1e30f, hi = -1e30f;
  for (const GLLine_zk2* l : strokes) {
    lo = std::min({lo, l->fm.pos.z, l->to.pos.z});
    hi = std::max({hi, l->fm.pos.z, l->to.pos.z});
  }
  return hi - lo;
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
  command(Orbala::ID_VIEW_XZ);
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::XZ);
  expectQuat(win->viewer->getOrientation(), -0.7071068f, 0, 0, 0.7071068f);
  command(Orbala::ID_VIEW_YZ);
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::YZ);
  expectQuat(win->viewer->getOrientation(), -0.5f, -0.5f, -0.5f, 0.5f);
  command(Orbala::ID_VIEW_XYZ);
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::XYZ);
  expectQuat(win->viewer->getOrientation(), -0.2460217f, 0.3886360f, 0.1917373f, -0.8669904f);
  command(Orbala::ID_VIEW_BOTTOM);
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::Bottom);
  expectQuat(win->viewer->getOrientation(), 0, 1, 0, 0);
  command(Orbala::ID_VIEW_TOP);
  EXPECT_EQ(win->lastViewPreset, orbala::ViewPreset::Top);
  expectQuat(win->viewer->getOrientation(), 0, 0, 0, 1);
  // Each preset ends with "Reset zoom".
  EXPECT_DOUBLE_EQ(win->viewer->getZoom(), 0.9);
  EXPECT_TRUE(dialogs->boxes.empty());
}

TEST_F(ViewsTest, PresetStopsTheAnimation) {
  openWindow();
  command(Orbala::ID_ROTATE);
  ASSERT_TRUE(testApp()->hasTimeout(win, Orbala::ID_ROTATE_TIMER));
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  EXPECT_EQ(std::string(win->rotateButton->getText().text()), "Stop");

  command(Orbala::ID_VIEW_XZ);
  EXPECT_FALSE(win->rotating);
  // The pending tick puts the label back and does not turn the view.
  ASSERT_TRUE(testApp()->hasTimeout(win, Orbala::ID_ROTATE_TIMER));
  testApp()->removeTimeout(win, Orbala::ID_ROTATE_TIMER);
  send(SEL_TIMEOUT, Orbala::ID_ROTATE_TIMER);
  EXPECT_EQ(std::string(win->rotateButton->getText().text()), "Rotate");
  EXPECT_FALSE(testApp()->hasTimeout(win, Orbala::ID_ROTATE_TIMER));
  expectQuat(win->viewer->getOrientation(), -0.7071068f, 0, 0, 0.7071068f);
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
  const FXVec3f c = win->viewer->getCenter();
  EXPECT_FLOAT_EQ(c.x, -1);
  EXPECT_FLOAT_EQ(c.y, 3);
  EXPECT_FLOAT_EQ(c.z, 5);
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

TEST_F(ViewsTest, SphereRadiusSliderTitle) {
  openWindow();
  command(Orbala::ID_SPHERE_RADIUS);
  EXPECT_EQ(groupTitle(win->sphereRadiusGroup), "R=4.99");
  win->sphereRadiusSlider->setValue(1000);
  command(Orbala::ID_SPHERE_RADIUS);
  EXPECT_EQ(groupTitle(win->sphereRadiusGroup), "R=10.00");
  win->sphereRadiusSlider->setValue(1);
  command(Orbala::ID_SPHERE_RADIUS);
  EXPECT_EQ(groupTitle(win->sphereRadiusGroup), "R=0.01");
}

TEST_F(ViewsTest, SphereRadiusKeepsTheDataCubeAndIsQuietAboutTheRotationPoint) {
  openWindow();
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
  // White background, black axes at first.
  EXPECT_EQ(win->viewer->getBackgroundColor(FALSE).x, 1.0f);
  EXPECT_EQ(sceneLines(win->sceneGroup).front()->color[0], 0.0f);

  win->backgroundSlider->setValue(0);
  command(Orbala::ID_BACKGROUND);
  EXPECT_EQ(groupTitle(win->backgroundGroup), "B=0");
  for (FXbool bottom : {FALSE, TRUE}) {
    const FXVec4f bg = win->viewer->getBackgroundColor(bottom);
    EXPECT_EQ(bg.x, 0.0f);
    EXPECT_EQ(bg.y, 0.0f);
    EXPECT_EQ(bg.z, 0.0f);
  }
  const std::vector<GLLine_zk2*> lines = sceneLines(win->sceneGroup);
  ASSERT_EQ(lines.size(), 11u); // three axes and the X, Y and Z
  for (const GLLine_zk2* l : lines) {
    EXPECT_EQ(l->color[0], 0.8f);
    EXPECT_EQ(l->color[1], 0.8f);
    EXPECT_EQ(l->color[2], 0.8f);
  }

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
  command(Orbala::ID_VIEW_TOP);
  ASSERT_TRUE(win->showAxisLabelsCheck->getCheck());
  const std::vector<GLLine_zk2*> topX = xLetter(win->sceneGroup);
  ASSERT_EQ(topX.size(), 2u);
  const float topHeight = letterHeight(topX);
  const std::vector<GLLine_zk2*> topZ = zLetter(win->sceneGroup, 5);
  ASSERT_EQ(topZ.size(), 3u);
  EXPECT_TRUE(std::all_of(topZ.begin(), topZ.end(),
                          [](GLLine_zk2* l) { return l->fm.pos.y == 0 && l->to.pos.y == 0; }));

  command(Orbala::ID_VIEW_YZ);
  const std::vector<GLLine_zk2*> z = zLetter(win->sceneGroup, 5);
  ASSERT_EQ(z.size(), 3u);
  for (const GLLine_zk2* l : z) {
    EXPECT_EQ(l->fm.pos.x, 0.0f);
    EXPECT_EQ(l->to.pos.x, 0.0f);
  }
  const std::vector<GLLine_zk2*> x = xLetter(win->sceneGroup);
  ASSERT_EQ(x.size(), 2u);
  // The taller X of the side views: 2.4a instead of 2a, a = 0.03 E.
  EXPECT_NEAR(topHeight, 2 * 0.3f, 1e-5f);
  EXPECT_NEAR(letterHeight(x), 2.4f * 0.3f, 1e-5f);
}
