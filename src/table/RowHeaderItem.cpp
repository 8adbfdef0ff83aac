#include "table/RowHeaderItem.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

// Two huge pages per block; a block goes back to the system when its last item is deleted.
constexpr size_t kBlockBytes = size_t(4) << 20;

struct Block {
  size_t used = 0; // bytes handed out, this header included
  size_t live = 0; // items not yet deleted
};

constexpr size_t kFirst = (sizeof(Block) + 15) & ~size_t(15);

Block* current = nullptr; // the block new items come from

Block* blockOf(void* item) {
  return reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(item) & ~(kBlockBytes - 1));
}

// A block aligned to its size, so that an item finds its block from its own address.
Block* newBlock() {
  void* area =
      mmap(nullptr, 2 * kBlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(area);
  const std::uintptr_t aligned = (start + kBlockBytes - 1) & ~(kBlockBytes - 1);
  if (aligned > start) munmap(area, aligned - start);
  munmap(reinterpret_cast<void*>(aligned + kBlockBytes), start + kBlockBytes - aligned);
  auto* block = reinterpret_cast<void*>(aligned);
  madvise(block, kBlockBytes, MADV_HUGEPAGE);
  return new (block) Block{kFirst, 0};
}

} // namespace

void* RowHeaderItem::operator new(size_t size) {
  const size_t slot = (size + 15) & ~size_t(15);
  if (!current || current->used + slot > kBlockBytes) current = newBlock();
  void* item = reinterpret_cast<char*>(current) + current->used;
  current->used += slot;
  ++current->live;
  return item;
}

void RowHeaderItem::operator delete(void* item) noexcept {
  if (!item) return;
  Block* block = blockOf(item);
  if (--block->live > 0) return;
  if (block == current) {
    block->used = kFirst; // empty again: new items start over at its beginning
  } else {
    munmap(block, kBlockBytes);
  }
}
