// The rotation animation, its axis and direction, and the point the plot spins about.
#include "app/Orbala.h"

#include <fxkeys.h>

#include "scene/core/RotationPoint.h"
#include "table/Table_zk2.h"

namespace {

constexpr FXuint kRotateTickMs = 1;

orbala::Quatf fromFox(const FXQuatf& q) {
  return orbala::Quatf{q.x, q.y, q.z, q.w};
}

FXQuatf toFox(const orbala::Quatf& q) {
  return FXQuatf(q.x, q.y, q.z, q.w);
}

// The viewer's own view transform, reached without a subclass: the viewer belongs to the layout.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::updateTransform;
};

// Puts `point` in the middle of the view. A pan (right drag) shifts the view without moving its
// centre, so setting the same centre again would leave the pan in place until the next turn.
void centreView(FXGLViewer* viewer, const FXVec3f& point) {
  viewer->setCenter(point);
  void (FXGLViewer::*rebuild)() = &ViewerAccess::updateTransform;
  (viewer->*rebuild)();
  viewer->update();
}

} // namespace

bool Orbala::computeRotationPoint(bool showErrors) {
  const orbala::RowCoordinates rowCoordinates = [this](int row, orbala::Vec3d& out) {
    return parseRowCoordinates(row, out.x, out.y, out.z);
  };
  const std::optional<orbala::Vec3d> point = orbala::rotationPoint(
      orbala::rotationPointChoiceFromIndex(rotationPointChoice), dataBounds,
      pointNumberField->getText().text(), table->getNumRows(), rowCoordinates,
      rotationPointFields[0]->getText().text(), rotationPointFields[1]->getText().text(),
      rotationPointFields[2]->getText().text());
  if (!point) {
    if (showErrors && firstInScope(rotationErrorShown)) {
      dialogs->message(this, BoxKind::Error, "Rotation error",
                       "Check the definition of your rotation point.");
    }
    return false;
  }
  const orbala::Vec3f center = orbala::toVec3f(*point);
  centreView(viewer, FXVec3f(center.x, center.y, center.z));
  return true;
}

void Orbala::selectRotationPoint(bool showErrors) {
  if (rotationPointChoice < 0 || rotationPointChoice > 3) rotationPointChoice = 0;
  for (int i = 0; i < 4; ++i)
    rotationPointRadios[i]->setCheck(i == rotationPointChoice);
  computeRotationPoint(showErrors);
}

void Orbala::syncRotationAxisControls() {
  for (int i = 0; i < 7; ++i) {
    rotationAxisItems[i]->setCheck(FALSE);
    rotationAxisRadios[i]->setCheck(FALSE);
  }
  if (rotationAxis < 0 || rotationAxis > 6) rotationAxis = 0;
  rotationAxisItems[rotationAxis]->setCheck(TRUE);
  rotationAxisRadios[rotationAxis]->setCheck(TRUE);
}

void Orbala::syncRotationDirectionControls() {
  clockwiseRadio->setCheck(rotationDirection == 0);
  counterClockwiseRadio->setCheck(rotationDirection != 0);
}

long Orbala::onCmdRotationAxis(FXObject*, FXSelector sel, void*) {
  rotationAxis = FXSELID(sel) - ID_ROTATION_AXIS;
  syncRotationAxisControls();
  return 1;
}

long Orbala::onCmdRotationDirection(FXObject* sender, FXSelector, void*) {
  rotationDirection = sender == clockwiseRadio ? 0 : 1;
  syncRotationDirectionControls();
  return 1;
}

long Orbala::onCmdRotate(FXObject*, FXSelector, void*) {
  if (!rotating) {
    // Arming the same target and message again reschedules the pending tick, so a quick
    // stop-and-restart still leaves one chain.
    if (computeRotationPoint(true)) {
      getApp()->addTimeout(this, ID_ROTATE_TIMER, kRotateTickMs);
      rotating = true;
    }
  } else {
    // The pending tick sees the flag, restores the label and ends the chain.
    rotating = false;
  }
  focusViewer();
  return 1;
}

long Orbala::onTimeoutRotate(FXObject*, FXSelector, void*) {
  if (!rotating) {
    rotateButton->setText("Rotate");
    return 1;
  }
  rotateButton->setText("Stop");
  const orbala::Quatf next =
      orbala::rotationTick(fromFox(viewer->getOrientation()), rotationAxis,
                           rotationSpeedSlider->getValue(), rotationDirection);
  viewer->setOrientation(toFox(next));
  // Let the viewer repaint before the next step; the user may close the window meanwhile.
  const std::weak_ptr<bool> alive = lifeToken;
  getApp()->runWhileEvents();
  if (alive.expired()) return 1;
  getApp()->addTimeout(this, ID_ROTATE_TIMER, kRotateTickMs);
  return 1;
}

long Orbala::onCmdRotationPoint(FXObject*, FXSelector sel, void*) {
  rotationPointChoice = FXSELID(sel) - ID_ROTATION_POINT;
  selectRotationPoint(true);
  return 1;
}

long Orbala::onKeyRotationPoint(FXObject*, FXSelector, void* data) {
  const auto* event = static_cast<const FXEvent*>(data);
  if (event && (event->code == KEY_Return || event->code == KEY_KP_Enter)) {
    selectRotationPoint(true);
  }
  return 1;
}

long Orbala::onCmdRotationPointFromRow(FXObject*, FXSelector, void*) {
  const FXint row = table->getCurrentRow();
  if (row < 0 || row >= table->getNumRows()) return 1;
  pointNumberField->setText(FXStringFormat("%d", row + 1));
  rotationPointChoice = static_cast<FXint>(orbala::RotationPointChoice::PointNumber);
  syncRotationAxisControls();
  selectRotationPoint(true);
  return 1;
}

long Orbala::onRightPressViewer(FXObject*, FXSelector, void*) {
  // The viewer ignores the right button while the plot spins.
  return rotating ? 1 : 0;
}
