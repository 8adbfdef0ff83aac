#pragma once
// A row of the table's row header. A million rows are a million of these: they come from large
// blocks backed by huge pages where the system has them, rather than from a million small
// allocations that each touch fresh memory page by page.
#include <fx.h>

#include <cstddef>

class RowHeaderItem : public FXHeaderItem {
public:
  // `position`: where the row starts, for items added to the header all at once.
  RowHeaderItem(FXint size, FXint position) : FXHeaderItem(FXString::null, nullptr, size, nullptr) {
    pos = position;
  }

  static void* operator new(size_t size);
  static void operator delete(void* item) noexcept;
};
