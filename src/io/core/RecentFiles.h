#pragma once
// The ten most recently used data files, slot 0 the most recent; an empty string is a free slot.
#include <array>
#include <string>
#include <string_view>

namespace orbala {

class RecentFiles {
public:
  static constexpr int kSlots = 10;

  // Puts path into slot 0. If it is already listed (the last slot holding it counts), the slots
  // above it move down one place; otherwise every slot moves down and slot 9 drops out.
  // An empty path only compacts: the used slots move to the front in their order.
  void add(std::string_view path);

  // Empties the first slot holding path, then compacts. Returns whether a slot held it.
  bool removeFirst(std::string_view path);

  // Empties every slot.
  void clear();

  // Stores path in slot i as it is (no move, no compaction); slots outside 0..9 are ignored.
  void set(int i, std::string path);

  // The path in slot i; empty for a free slot or an index outside 0..9.
  const std::string& get(int i) const;

  // The number of used slots.
  int count() const;

private:
  void compact();

  std::array<std::string, kSlots> slots_;
};

} // namespace orbala
