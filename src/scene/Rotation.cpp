#include "app/Orbala.h"

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

bool Orbala::computeRotationPoint(bool) {
  return false;
}
void Orbala::selectRotationPoint(bool) {}
long Orbala::onCmdRotate(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onTimeoutRotate(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdRotationPoint(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onKeyRotationPoint(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdRotationPointFromRow(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onRightPressViewer(FXObject*, FXSelector, void*) {
  return 0;
}
