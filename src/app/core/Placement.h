#pragma once
// Where the main window goes when the start-up timer fires: the saved geometry, pulled back onto
// the visible screen so the window can always be reached.

namespace orbala {

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowRect& a, const WindowRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
  friend bool operator!=(const WindowRect& a, const WindowRect& b) { return !(a == b); }
};

struct ScreenInfo {
  int width = 0;       // root window width W
  int height = 0;      // root window height H
  int monitors = 1;    // monitor count M (values below 1 count as 1)
  int virtualLeft = 0; // left edge V of the virtual screen
};

struct StartupPlacement {
  WindowRect first;        // the geometry of the first FXWindow::position call
  bool placeAgain = false; // the screen check changed something: position a second time
  WindowRect settled;      // the geometry the window ends with (== first when !placeAgain)
};

// Default geometry when nothing was saved.
constexpr WindowRect defaultWindowRect{50, 50, 1000, 800};
// The narrowest window placed: the view keeps its room beside the panel and the sliders.
constexpr int kMinWindowWidth = 400;

// The start-up placement rules. A saved width or height below 1 (a damaged settings file) is
// replaced by the default size, since the toolkit cannot show a window of that size; any other
// width below kMinWindowWidth is widened to it.
StartupPlacement startupPlacement(const ScreenInfo& screen, const WindowRect& saved,
                                  bool wasMinimized);

} // namespace orbala
