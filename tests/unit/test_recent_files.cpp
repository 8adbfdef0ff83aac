#include "io/core/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orbala;

namespace {

using Slots = std::vector<std::string>;

// The ten slots, the empty ones at the end left out.
Slots slots(const RecentFiles& r) {
  Slots out;
  for (int i = 0; i < RecentFiles::kSlots; ++i)
    out.push_back(r.get(i));
  while (!out.empty() && out.back().empty())
    out.pop_back();
  return out;
}

} // namespace

TEST(RecentFiles, ReopeningMovesToTheTopAndAnEleventhPushesTheOldestOut) {
  RecentFiles r;
  for (const char* p : {"/d/first", "/d/second", "/d/third", "/d/first", "/d/first", "/d/FIRST"})
    r.add(p); // matching is exact
  EXPECT_EQ(slots(r), (Slots{"/d/FIRST", "/d/first", "/d/third", "/d/second"}));
  EXPECT_EQ(r.count(), 4);
  r.clear();
  for (int i = 1; i <= 11; ++i)
    r.add("/f" + std::to_string(i));
  EXPECT_EQ(slots(r),
            (Slots{"/f11", "/f10", "/f9", "/f8", "/f7", "/f6", "/f5", "/f4", "/f3", "/f2"}));
  // Re-adding the bottom entry, taken from the list itself, keeps all ten.
  r.add(r.get(9));
  EXPECT_EQ(r.count(), 10);
  EXPECT_EQ(r.get(0) + r.get(9), "/f2/f3");
  EXPECT_EQ(r.get(10) + r.get(-1), "");
}

TEST(RecentFiles, RemovalLeavesNoGapAndSlotsAsReadFromAFile) {
  RecentFiles r;
  for (const char* p : {"/e", "/d", "/c", "/b", "/a"})
    r.add(p);
  EXPECT_TRUE(r.removeFirst("/c"));
  EXPECT_EQ(slots(r), (Slots{"/a", "/b", "/d", "/e"}));
  EXPECT_FALSE(r.removeFirst("/zzz"));
  EXPECT_TRUE(r.removeFirst(r.get(1)));
  EXPECT_EQ(slots(r), (Slots{"/a", "/d", "/e"}));
  // Of two equal entries (as a file may hold) only the first goes.
  r.set(5, "/a");
  EXPECT_TRUE(r.removeFirst("/a"));
  EXPECT_EQ(slots(r), (Slots{"/d", "/e", "/a"}));

  // Slots as read from a file.
  r = RecentFiles();
  r.set(0, "/a");
  r.set(2, "/b");
  r.set(-1, "/ignored");
  r.set(10, "/ignored");
  EXPECT_EQ(r.count(), 2);
  // A new path shifts the gap along without closing it; an empty one closes it.
  r.add("/c");
  EXPECT_EQ(slots(r), (Slots{"/c", "/a", "", "/b"}));
  r.add("");
  EXPECT_EQ(slots(r), (Slots{"/c", "/a", "/b"}));
  // With duplicates the last one is the one moved up.
  r.set(5, "/a");
  r.add("/a");
  EXPECT_EQ(slots(r), (Slots{"/a", "/c", "/a", "/b"}));
}
