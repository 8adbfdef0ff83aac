#include "table/core/TableLimits.h"

#include <cmath>

namespace orbala {

std::string_view clipText(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = limit;
  // Step back over continuation bytes to the start of the sequence that would be cut.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

bool isPlottable(double value) {
  // The view is fitted to a few times the largest coordinate, which must fit in a float.
  return std::isfinite(value) && std::fabs(value) <= 1e30;
}

} // namespace orbala
