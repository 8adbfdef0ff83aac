#include "app/Orbala.h"

long Orbala::onCmdImageOption(FXObject*, FXSelector, void*) {
  return 1;
}
void Orbala::fitViewToData() {}
double Orbala::sphereRadiusUnit() const {
  return 1.0;
}
void Orbala::rebuildScene() {}
void Orbala::addXLetter(float) {}
void Orbala::addYLetter(float) {}
void Orbala::addZLetter(float) {}
void Orbala::syncSphereColorRadios() {}
