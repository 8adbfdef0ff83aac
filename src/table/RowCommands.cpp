#include "app/Orbala.h"

long Orbala::onRightReleaseTable(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdInsertRow(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdClearRows(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdDeleteRows(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdNumberOfRows(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdShowPoints(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdHidePoints(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdOpaquePoints(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdTransparentPoints(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSphereColor(FXObject*, FXSelector, void*) {
  return 1;
}
