#include "app/core/PanelSplit.h"

#include <algorithm>

namespace orbala {

int panelWidthFromSettings(int stored) {
  return stored >= 100 && stored <= 10000 ? stored : kDefaultPanelWidth;
}

int fittedPanelWidth(int wanted, int least, int splitterWidth, int bar) {
  const int room = splitterWidth - bar - kMinViewWidth;
  return std::max(0, std::min(std::max(wanted, least), room));
}

} // namespace orbala
