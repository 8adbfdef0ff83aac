#include "app/Orbala.h"

long Orbala::onCmdElementColors(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSizeDefaults(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSlaterSizes(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdAllSameSize(FXObject*, FXSelector, void*) {
  return 1;
}
void Orbala::applyElementColors() {}
void Orbala::applyElementSizesReported() {}
void Orbala::applyElementSizes() {}
void Orbala::setAllSizesSame() {}
void Orbala::buildColorSwatches() {}
void Orbala::freeColorSwatches() {}
