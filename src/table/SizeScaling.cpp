#include "app/Orbala.h"

long Orbala::onCmdScaleMode(FXObject*, FXSelector sel, void*) {
  scaleSizeType = FXSELID(sel) - ID_SCALE_MODE;
  syncScaleModeRadios();
  return 1;
}

void Orbala::syncScaleModeRadios() {
  if (scaleSizeType < 0 || scaleSizeType > 4) scaleSizeType = 0;
  for (int i = 0; i < 5; ++i)
    scaleModeRadios[i]->setCheck(i == scaleSizeType);
}

long Orbala::onWheelScaleSize(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onKeyScaleSize(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onWheelOpaqueness(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdRestoreSizes(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSizesToOne(FXObject*, FXSelector, void*) {
  return 1;
}
