#include "io/core/RecentFiles.h"

#include <utility>

namespace orbala {

void RecentFiles::add(std::string_view pathView) {
  if (pathView.empty()) {
    compact();
    return;
  }
  // The view may point into one of our own slots, which the move below overwrites.
  std::string path(pathView);
  int found = kSlots - 1; // not listed: the oldest slot is the one overwritten
  for (int i = kSlots - 1; i >= 0; --i) {
    if (slots_[i] == path) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i)
    slots_[i] = std::move(slots_[i - 1]);
  slots_[0] = std::move(path);
}

bool RecentFiles::removeFirst(std::string_view pathView) {
  const std::string path(pathView);
  bool removed = false;
  for (std::string& slot : slots_) {
    if (slot == path) {
      slot.clear();
      removed = true;
      break;
    }
  }
  compact();
  return removed;
}

void RecentFiles::clear() {
  for (std::string& slot : slots_)
    slot.clear();
}

void RecentFiles::set(int i, std::string path) {
  if (i >= 0 && i < kSlots) slots_[i] = std::move(path);
}

const std::string& RecentFiles::get(int i) const {
  static const std::string kNone;
  return i >= 0 && i < kSlots ? slots_[i] : kNone;
}

int RecentFiles::count() const {
  int n = 0;
  for (const std::string& slot : slots_)
    if (!slot.empty()) ++n;
  return n;
}

void RecentFiles::compact() {
  int next = 0;
  for (int i = 0; i < kSlots; ++i) {
    if (slots_[i].empty()) continue;
    if (i != next) {
      slots_[next] = std::move(slots_[i]);
      slots_[i].clear();
    }
    ++next;
  }
}

} // namespace orbala
