#include "table/core/SizeScale.h"

#include <algorithm>

#include "table/core/Numbers.h"

namespace orbala {

ScaleMode scaleModeFrom(int value) {
  return value >= 0 && value <= 4 ? static_cast<ScaleMode>(value) : ScaleMode::Label;
}

int sizeDecimals(double size) {
  if (size > 10.0) return 1;
  if (size >= 1.0) return 2;
  return 3;
}

std::string formatSize(double size) {
  return formatFixed(size, sizeDecimals(size));
}

double scaleStep(bool shift, bool control) {
  if (shift && control) return 0.5;
  if (shift || control) return 0.1;
  return 0.01;
}

double steppedScaleValue(double base, bool up, bool shift, bool control) {
  const double step = scaleStep(shift, control);
  return up ? base + step : base - step;
}

double steppedOpacity(double opacity, bool up) {
  const double next = up ? opacity + 0.1 : opacity - 0.1;
  // Written with one decimal; rounding first keeps 0.9 + 0.1 from reading as 0.99999.
  return std::clamp(parseNumber(formatFixed(next, 1)), 0.1, 1.0);
}

std::string scaleSelectionWarning(ScaleMode mode, int selectedRows) {
  if (mode == ScaleMode::All) return {};
  if (selectedRows <= 0) return "You must select a row to use as the reference row.";
  if (mode != ScaleMode::Selection && selectedRows > 1)
    return "You can only select 1 row for this type of selection method.";
  return {};
}

bool scaleRowMatches(ScaleMode mode, const ScaleRowTexts& reference, const ScaleRowTexts& row) {
  switch (mode) {
  case ScaleMode::Label:
    return toUpperAscii(row.label) == toUpperAscii(reference.label);
  case ScaleMode::Color:
    return row.r == reference.r && row.g == reference.g && row.b == reference.b;
  case ScaleMode::Size:
    return row.size == reference.size;
  case ScaleMode::Selection:
  case ScaleMode::All:
    break;
  }
  return false;
}

std::vector<std::string> loadedSizePieces(std::string_view loaded) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t bar = loaded.find('|'); bar != std::string_view::npos;
       bar = loaded.find('|', start)) {
    pieces.emplace_back(loaded.substr(start, bar - start));
    start = bar + 1;
  }
  return pieces;
}

} // namespace orbala
