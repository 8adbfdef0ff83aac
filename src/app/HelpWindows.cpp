#include "app/Orbala.h"

long Orbala::onCmdAbout(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdInstructions(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdWebSite(FXObject*, FXSelector, void*) {
  return 1;
}
