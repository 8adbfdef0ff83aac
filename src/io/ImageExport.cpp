#include "app/Orbala.h"

long Orbala::onCmdSaveImage(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdCopyImage(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onTimeoutSaveImage(FXObject*, FXSelector, void*) {
  return 1;
}
