#pragma once
// Display-free side of the "Scale size" and "Opaqueness" fields: the wheel step, the precision
// of written sizes, which rows a step changes, and the sizes kept for "Restore".
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

// Which rows a wheel step on the scale field changes; the order of the scale-mode radios.
enum class ScaleMode { Label = 0, Selection = 1, Color = 2, Size = 3, All = 4 };

// A stored mode outside the five known ones reads as Label.
ScaleMode scaleModeFrom(int value);

// Sizes are written with 1 decimal above 10, 2 from 1 to 10 and 3 below 1.
int sizeDecimals(double size);
std::string formatSize(double size);

// One notch: 0.01, 0.1 with Shift or Control held, 0.5 with both.
double scaleStep(bool shift, bool control);

// The scale value after one notch from `base`; no bound either way.
double steppedScaleValue(double base, bool up, bool shift, bool control);

// The opacity after one notch: 0.1 up or down, kept within 0.1 to 1.0.
double steppedOpacity(double opacity, bool up);

inline constexpr const char* kSelectionWarningTitle = "Selection warning";

// The warning due before a step in `mode` with `selectedRows` rows selected (0: nothing
// selected); empty when the selection suits the mode.
std::string scaleSelectionWarning(ScaleMode mode, int selectedRows);

// The texts of one row that the reference modes compare.
struct ScaleRowTexts {
  std::string label;
  std::string r, g, b;
  std::string size;
};

// Whether `row` is scaled with `reference` in mode Label (labels equal ignoring case, blanks
// kept), Color (the three colour texts equal) or Size (size texts equal: "1.0" is not "1.00").
// Other modes do not compare rows: false.
bool scaleRowMatches(ScaleMode mode, const ScaleRowTexts& reference, const ScaleRowTexts& row);

// The sizes recorded after a file was read: the pieces each closed by "|"; text after the last
// "|" is not a recorded size.
std::vector<std::string> loadedSizePieces(std::string_view loaded);

} // namespace orbala
