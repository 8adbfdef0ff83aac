#include "app/Orbala.h"

long Orbala::onCmdResetZoom(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdView(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSphereRadius(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdBackground(FXObject*, FXSelector, void*) {
  return 1;
}
