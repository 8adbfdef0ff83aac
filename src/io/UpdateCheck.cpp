#include "app/Orbala.h"

long Orbala::onCmdCheckUpdate(FXObject*, FXSelector, void*) {
  return 1;
}
