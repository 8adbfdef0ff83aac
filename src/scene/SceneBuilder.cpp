// Building the scene from the parsed points: axes, letters and one sphere per shown point.
#include "app/Orbala.h"
#include "app/Text.h"

#include <GL/gl.h>

#include <algorithm>
#include <string_view>

#include "app/BusyProgress.h"
#include "scene/GLObjects.h"
#include "scene/SceneGroup.h"
#include "scene/core/SceneStrokes.h"
#include "scene/core/SphereStyle.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"

namespace {

void addLine(FXGLGroup* group, const orbala::Segment& s, float grey) {
  auto* line = new GLLine_zk2;
  line->fm.pos = FXVec3f(s.from.x, s.from.y, s.from.z);
  line->to.pos = FXVec3f(s.to.x, s.to.y, s.to.z);
  line->color[0] = line->color[1] = line->color[2] = grey;
  line->width = 1.0f;
  group->append(line);
}

void addLines(FXGLGroup* group, const std::vector<orbala::Segment>& strokes, float grey) {
  for (const orbala::Segment& s : strokes)
    addLine(group, s, grey);
}

FXMaterial toMaterial(const orbala::Material& m) {
  FXMaterial out;
  out.ambient = FXVec4f(m.ambient[0], m.ambient[1], m.ambient[2], m.ambient[3]);
  out.diffuse = FXVec4f(m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3]);
  out.specular = FXVec4f(m.specular[0], m.specular[1], m.specular[2], m.specular[3]);
  out.emission = FXVec4f(m.emission[0], m.emission[1], m.emission[2], m.emission[3]);
  out.shininess = m.shininess;
  return out;
}

} // namespace

long Orbala::onCmdImageOption(FXObject* sender, FXSelector, void*) {
  if (sender == colorRadio) colorPoints = true;
  if (sender == grayRadio) colorPoints = false;
  syncSphereColorRadios();
  readTableAndRebuild(true);
  return 1;
}

void Orbala::syncSphereColorRadios() {
  colorRadio->setCheck(colorPoints);
  grayRadio->setCheck(!colorPoints);
}

void Orbala::fitViewToData() {
  const int count = pointData.pointCount;
  if (count < 1) return;
  dataBounds = orbala::measureBounds(pointData.xValues.data(), pointData.yValues.data(),
                                     pointData.zValues.data(), count);
  dataExtent = orbala::dataExtentOf(dataBounds);
  const FXfloat h = static_cast<FXfloat>(orbala::viewHalfSize(dataExtent));
  viewer->setBounds(FXRangef(-h, h, -h, h, -h, h));
  computeRotationPoint(true);
  labelSize = orbala::labelSizeFor(dataExtent);
}

double Orbala::sphereRadiusUnit() const {
  return orbala::sphereRadiusUnit(sphereRadiusSlider->getValue(), dataExtent);
}

void Orbala::addXLetter(float grey) {
  addLines(sceneGroup,
           orbala::xLetterStrokes(dataExtent, sphereRadiusUnit(), labelSize, lastViewPreset), grey);
}

void Orbala::addYLetter(float grey) {
  addLines(sceneGroup, orbala::yLetterStrokes(dataExtent, sphereRadiusUnit(), labelSize), grey);
}

void Orbala::addZLetter(float grey) {
  addLines(sceneGroup,
           orbala::zLetterStrokes(dataBounds.zMax, sphereRadiusUnit(), labelSize, lastViewPreset),
           grey);
}

void Orbala::clearScene() {
  // The viewer must not keep pointing at an object that is about to go.
  if (viewer->getSelection()) viewer->setSelection(nullptr);
  auto* group = static_cast<SceneGroup*>(sceneGroup);
  if (hidden) group->setPlainSpheres({});
  group->clearChildren();
}

bool Orbala::checkSphereColors(int count, std::vector<orbala::Rgb>& channels) {
  bool repaired = false;
  for (int i = 0; i < count; ++i) {
    if (!rowState.showFlags[i]) continue;
    const std::string_view r = table->cellText(i, 4);
    const std::string_view g = table->cellText(i, 5);
    const std::string_view b = table->cellText(i, 6);
    if (const auto colour = orbala::sphereCellColor(r, g, b)) {
      channels[i] = *colour;
      continue;
    }
    if (!undefinedGrayCheck->getCheck()) {
      dialogs->message(this, BoxKind::Error, "Color error",
                       FXStringFormat("Check your color values in row %d, they must be in the "
                                      "range of 0 - 255.\n\nYou can switch all to gray using the "
                                      "\"Image options->Gray spheres\" menu item.",
                                      i + 1));
      return false;
    }
    for (int c = 4; c <= 6; ++c)
      table->setCellText(i, c, "200");
    repaired = true;
  }
  // The swatches show the cells: the repaired rows are gray now.
  if (repaired && !swatches.empty()) buildColorSwatches();
  return true;
}

FXGLObject* Orbala::makeSphere(int row, double unit, float alpha, const orbala::Rgb& channels) {
  BusyProgress::step(row);
  const double r = unit * rowState.relativeSizes[row];
  auto* sphere =
      static_cast<SceneGroup*>(sceneGroup)
          ->takeSphere(static_cast<FXfloat>(pointData.xValues[row]),
                       static_cast<FXfloat>(pointData.yValues[row]),
                       static_cast<FXfloat>(pointData.zValues[row]), static_cast<FXfloat>(r));
  const float a = rowState.opaqueFlags[row] ? 1.0f : alpha;
  sphere->setMaterial(0, toMaterial(orbala::sphereMaterial(channels, a)));
  return sphere;
}

// What makeSphere makes, as the renderer takes it, in the same order.
orbala::render::SphereArrays Orbala::plainSpheres(int count, double unit, float alpha,
                                                  const std::vector<orbala::Rgb>& channels) const {
  orbala::render::SphereArrays arrays;
  arrays.reserve(static_cast<size_t>(count));
  for (const bool opaque : {true, false})
    for (int i = 0; i < count; ++i) {
      if (!rowState.showFlags[i] || (rowState.opaqueFlags[i] != 0) != opaque) continue;
      const float centre[3] = {static_cast<float>(pointData.xValues[i]),
                               static_cast<float>(pointData.yValues[i]),
                               static_cast<float>(pointData.zValues[i])};
      const orbala::Material m = orbala::sphereMaterial(channels[i], opaque ? 1.0f : alpha);
      arrays.add(centre, static_cast<float>(unit * rowState.relativeSizes[i]), m.diffuse,
                 m.diffuse[3]);
    }
  return arrays;
}

void Orbala::rebuildScene() {
  const FXint bValue = backgroundSlider->getValue();
  FXint bMin = 0;
  FXint bMax = 100;
  backgroundSlider->getRange(bMin, bMax);
  clearScene();
  // The spheres are made again from those of the scene before; what is left goes at the end.
  struct DropSpare {
    SceneGroup* group;
    ~DropSpare() { group->dropSpareSpheres(); }
  } dropSpare{static_cast<SceneGroup*>(sceneGroup)};
  const double u = sphereRadiusUnit();
  const float grey = orbala::axisGrey(bValue, bMax);
  const float b = orbala::backgroundGrey(bValue);
  const FXVec4f background(b, b, b, 1.0f);
  // The point data may be older than the table's last set-up; never read past either.
  const int count = std::min({pointData.pointCount, rowState.size(), table->getNumRows(),
                              static_cast<int>(pointData.xValues.size())});
  if (count >= 1) {
    if (showXYAxisCheck->getCheck()) {
      addLine(sceneGroup, orbala::xAxis(dataExtent, u), grey);
      addLine(sceneGroup, orbala::yAxis(dataExtent, u), grey);
      if (showAxisLabelsCheck->getCheck()) {
        addXLetter(grey);
        addYLetter(grey);
      }
    }
    if (showZAxisCheck->getCheck()) {
      addLine(sceneGroup, orbala::zAxis(dataBounds.zMin, dataBounds.zMax, u), grey);
      if (showAxisLabelsCheck->getCheck()) addZLetter(grey);
    }
    // Gray spheres, and rows repaired to gray, are 200 in each channel.
    const orbala::Rgb gray{orbala::sphereGreyChannel, orbala::sphereGreyChannel,
                           orbala::sphereGreyChannel};
    std::vector<orbala::Rgb> channels(static_cast<size_t>(count), gray);
    if (colorPoints && !checkSphereColors(count, channels)) return;
    const float alpha = static_cast<float>(orbala::parseNumber(opaquenessField->getText().text()));
    if (viewer->id() && viewer->makeCurrent()) {
      glClearColor(b, b, b, 1.0f);
      viewer->makeNonCurrent();
    }
    if (hidden) {
      // A picture from the shell: the same spheres as arrays, without a pickable object each.
      static_cast<SceneGroup*>(sceneGroup)
          ->setPlainSpheres(plainSpheres(count, u, alpha, channels));
    } else {
      BusyProgress::stage("Building the picture", count);
      // Opaque spheres first, so the translucent ones blend over what lies behind them.
      std::vector<FXObject*> spheres;
      spheres.reserve(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) {
        if (rowState.showFlags[i] && rowState.opaqueFlags[i])
          spheres.push_back(makeSphere(i, u, alpha, channels[i]));
      }
      for (int i = 0; i < count; ++i) {
        if (rowState.showFlags[i] && !rowState.opaqueFlags[i])
          spheres.push_back(makeSphere(i, u, alpha, channels[i]));
      }
      // In one go: the group's list grows by a few entries per append, copied each time.
      sceneGroup->getList().append(spheres.data(), static_cast<FXint>(spheres.size()));
    }
  }
  viewer->setScene(sceneGroup);
  viewer->setBackgroundColor(background);
}
