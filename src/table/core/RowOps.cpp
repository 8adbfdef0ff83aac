#include "table/core/RowOps.h"

#include <algorithm>
#include <unordered_map>

#include "table/core/Numbers.h"

namespace orbala {

std::vector<int> autoColorByLabel(const std::vector<std::string>& labels,
                                  const std::vector<bool>& hasCoordinates) {
  constexpr int black = kNamedColorCount - 1;
  std::unordered_map<std::string, int> order;
  for (const std::string& label : labels) {
    if (!label.empty()) order.emplace(label, static_cast<int>(order.size()));
  }
  std::vector<int> out(labels.size(), -1);
  for (size_t r = 0; r < labels.size(); ++r) {
    if (r >= hasCoordinates.size() || !hasCoordinates[r]) continue;
    const auto it = labels[r].empty() ? order.end() : order.find(labels[r]);
    out[r] = it != order.end() && it->second < black ? it->second : black;
  }
  return out;
}

Rgb cellColor(std::string_view r, std::string_view g, std::string_view b) {
  return Rgb{parseInt(r), parseInt(g), parseInt(b)};
}

RowSpan rowsInTable(int first, int last, int rows) {
  const int from = std::max(first, 0);
  const int to = std::min(last, rows - 1);
  if (from > to) return RowSpan{};
  return RowSpan{from, to - from + 1};
}

} // namespace orbala
