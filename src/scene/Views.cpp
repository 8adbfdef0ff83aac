// View presets, "Reset zoom" (also run by the axis scaling radios) and the R and B sliders.
#include "app/Orbala.h"

#include "table/core/Numbers.h"

namespace {

FXRangef toRange(const orbala::Vec3f& lo, const orbala::Vec3f& hi) {
  return FXRangef(lo.x, hi.x, lo.y, hi.y, lo.z, hi.z);
}

} // namespace

Orbala::ReportScope::ReportScope(Orbala& window) : win(window) {
  if (win.reportScope++ == 0) win.rotationErrorShown = win.dataWarningShown = false;
}

Orbala::ReportScope::~ReportScope() {
  if (--win.reportScope == 0) win.rotationErrorShown = win.dataWarningShown = false;
}

bool Orbala::firstInScope(bool& shown) {
  if (reportScope == 0) return true;
  if (shown) return false;
  shown = true;
  return true;
}

long Orbala::onCmdResetZoom(FXObject*, FXSelector, void*) {
  ReportScope scope(*this);
  readTableAndRebuild(true); // one rebuild: building the same scene twice shows nothing new
  viewer->setZoom(0.9);
  computeRotationPoint(true);
  focusViewer();
  return 1;
}

long Orbala::onCmdView(FXObject*, FXSelector sel, void*) {
  static constexpr orbala::ViewPreset presets[] = {
      orbala::ViewPreset::Top, orbala::ViewPreset::Bottom, orbala::ViewPreset::XZ,
      orbala::ViewPreset::YZ, orbala::ViewPreset::XYZ};
  const int index = FXSELID(sel) - ID_VIEW_TOP;
  if (index < 0 || index > 4) return 1;

  ReportScope scope(*this);
  readTable(true);
  rotating = false;
  lastViewPreset = presets[index];
  const orbala::PresetView view = orbala::presetView(lastViewPreset, dataExtent, dataBounds.zMax,
                                                     showAxisLabelsCheck->getCheck() != FALSE);
  // With points, the refit of "Reset zoom" replaces this box by the data's cube.
  viewer->setBounds(toRange(view.boxMin, view.boxMax));
  const orbala::Quatf& q = view.orientation;
  viewer->setOrientation(FXQuatf(q.x, q.y, q.z, q.w));
  onCmdResetZoom(nullptr, 0, nullptr);
  computeRotationPoint(true);
  focusViewer();
  return 1;
}

long Orbala::onCmdSphereRadius(FXObject*, FXSelector, void*) {
  const FXint value = sphereRadiusSlider->getValue();
  sphereRadiusGroup->setText(("R=" + orbala::formatFixed(value * 0.01, 2)).c_str());
  sphereRadiusGroup->recalc();
  // The data has not changed: keep its cube without measuring it again.
  const float h = static_cast<float>(orbala::viewHalfSize(dataExtent));
  viewer->setBounds(FXRangef(-h, h, -h, h, -h, h));
  computeRotationPoint(false);
  rebuildScene();
  return 1;
}

long Orbala::onCmdBackground(FXObject*, FXSelector, void*) {
  backgroundGroup->setText(FXStringFormat("B=%d", backgroundSlider->getValue()));
  backgroundGroup->recalc();
  rebuildScene();
  return 1;
}
