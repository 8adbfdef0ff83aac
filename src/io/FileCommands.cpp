#include "app/Orbala.h"

long Orbala::onCmdOpen(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSave(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdSaveAs(FXObject*, FXSelector, void*) {
  return 1;
}
void Orbala::setCurrentFile(const FXString&) {}
bool Orbala::runSaveDialog(const FXString&, const FXString&, const FXString&, FXString&) {
  return false;
}
