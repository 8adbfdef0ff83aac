#pragma once
// Where the border between the control panel and the view goes: the panel keeps the width the
// user gave it, but the view always keeps room to plot in.

namespace orbala {

// The panel's width when none was saved: at the default 1000-pixel window the view gets more
// than half.
constexpr int kDefaultPanelWidth = 400;
// The view keeps at least this much beside a shown panel, whatever the panel asks for.
constexpr int kMinViewWidth = 300;

// A panel width read from the settings file; the default for one no screen could show.
int panelWidthFromSettings(int stored);

// The width the panel gets in a splitter `splitterWidth` wide with a bar `bar` wide: the wanted
// width, widened to `least` (the narrowest that shows every group whole), but never so wide that
// the view gets less than kMinViewWidth; 0 when not even that fits.
int fittedPanelWidth(int wanted, int least, int splitterWidth, int bar);

} // namespace orbala
