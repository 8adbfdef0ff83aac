#include "app/Orbala.h"

long Orbala::onCmdRecentFile(FXObject*, FXSelector, void*) {
  return 1;
}
long Orbala::onCmdClearRecent(FXObject*, FXSelector, void*) {
  return 1;
}
void Orbala::readSettingsFile() {}
void Orbala::writeSettingsFile() {}
void Orbala::addRecentFile(const FXString&) {}
void Orbala::showRecentFiles() {}
