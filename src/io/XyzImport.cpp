#include "app/Orbala.h"

bool Orbala::readAtomFile(const FXString&, const std::vector<std::string>&) {
  return false;
}
