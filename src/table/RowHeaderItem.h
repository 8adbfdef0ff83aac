#pragma once
// A row of the table's row header. A million rows are a million of these: they come from large
// blocks backed by huge pages where the system has them, rather than from a million small
// allocations that each touch fresh memory page by page.
#include <fx.h>

#include <cstddef>

class RowHeaderItem : public FXHeaderItem {
public:
  explicit RowHeaderItem(FXint size) : FXHeaderItem(FXString::null, nullptr, size, nullptr) {}

  static void* operator new(size_t size);
  static void operator delete(void* item) noexcept;
};
