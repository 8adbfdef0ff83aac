#include "app/Orbala.h"

FXString Orbala::writeSettingsBlock(bool) const {
  return FXString();
}
bool Orbala::saveDataFile(const FXString&) {
  return false;
}
bool Orbala::readDataFile(const FXString&, bool) {
  return false;
}
bool Orbala::applyTag(const FXString&, const FXString&, bool) {
  return false;
}
