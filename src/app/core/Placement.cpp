#include "app/core/Placement.h"

#include <algorithm>

namespace orbala {

namespace {
// W - 100 on a screen narrower than 100 pixels would be no window at all.
int reducedSize(int screenSize) {
  return screenSize > 100 ? screenSize - 100 : screenSize;
}
} // namespace

StartupPlacement startupPlacement(const ScreenInfo& screen, const WindowRect& saved,
                                  bool wasMinimized) {
  WindowRect r = saved;
  if (r.width < 1) r.width = defaultWindowRect.width;
  if (r.height < 1) r.height = defaultWindowRect.height;
  if (r.width < kMinWindowWidth) r.width = kMinWindowWidth;

  // 64-bit sums: a hand-edited settings file may hold values near the int limits.
  const long long left = static_cast<long long>(screen.virtualLeft) + 50;
  if (wasMinimized) {
    r.x = static_cast<int>(left);
    r.y = 50;
  }
  if (r.x < left) r.x = static_cast<int>(left);
  if (r.y < 0) r.y = 50;

  StartupPlacement out;
  out.first = r;

  bool changed = false;
  if (screen.width > 1) {
    const long long total = static_cast<long long>(screen.width) * std::max(screen.monitors, 1);
    if (r.x > total + left) {
      r.x = static_cast<int>(left);
      changed = true;
    }
    if (r.width > total) {
      r.width = reducedSize(screen.width);
      changed = true;
    }
  }
  if (screen.height > 1) {
    if (r.y > screen.height) {
      r.y = 50;
      changed = true;
    }
    if (r.height > screen.height) {
      r.height = reducedSize(screen.height);
      changed = true;
    }
  }
  out.placeAgain = changed;
  out.settled = r;
  return out;
}

} // namespace orbala
