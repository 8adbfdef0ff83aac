#include "io/core/RecentFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace orbala;

namespace {

std::vector<std::string> slots(const RecentFiles& r) {
  std::vector<std::string> out;
  for (int i = 0; i < RecentFiles::kSlots; ++i)
    out.push_back(r.get(i));
  return out;
}

// The ten slots with these in front.
std::vector<std::string> listed(std::vector<std::string> front) {
  front.resize(RecentFiles::kSlots);
  return front;
}

RecentFiles added(std::initializer_list<const char*> paths) {
  RecentFiles r;
  for (const char* p : paths)
    r.add(p);
  return r;
}

} // namespace

TEST(RecentFiles, ReopeningMovesToTheTop) {
  RecentFiles r = added({"/d/first.qvx", "/d/second.qvx", "/d/third.qvx", "/d/first.qvx"});
  EXPECT_EQ(slots(r), listed({"/d/first.qvx", "/d/third.qvx", "/d/second.qvx"}));
  EXPECT_EQ(r.count(), 3);
  r.add("/d/first.qvx"); // already on top: nothing moves
  EXPECT_EQ(slots(r), listed({"/d/first.qvx", "/d/third.qvx", "/d/second.qvx"}));
  r.add("/d/FIRST.qvx"); // matching is exact
  EXPECT_EQ(r.count(), 4);
}

TEST(RecentFiles, EleventhPushesTheOldestOut) {
  RecentFiles r;
  for (int i = 1; i <= 11; ++i)
    r.add("/f" + std::to_string(i));
  std::vector<std::string> expected;
  for (int i = 11; i >= 2; --i)
    expected.push_back("/f" + std::to_string(i));
  EXPECT_EQ(slots(r), expected);
  // Re-adding the bottom entry keeps all ten.
  r.add("/f2");
  EXPECT_EQ(r.count(), 10);
  EXPECT_EQ(r.get(0), "/f2");
  EXPECT_EQ(r.get(9), "/f3");
}

TEST(RecentFiles, RemovalLeavesNoGap) {
  RecentFiles r = added({"/e", "/d", "/c", "/b", "/a"});
  EXPECT_TRUE(r.removeFirst("/c"));
  EXPECT_EQ(slots(r), listed({"/a", "/b", "/d", "/e"}));
  EXPECT_FALSE(r.removeFirst("/zzz"));
  EXPECT_EQ(r.count(), 4);
  // Paths taken from the list itself.
  r.add(r.get(3));
  EXPECT_EQ(slots(r), listed({"/e", "/a", "/b", "/d"}));
  EXPECT_TRUE(r.removeFirst(r.get(1)));
  EXPECT_EQ(slots(r), listed({"/e", "/b", "/d"}));
}

TEST(RecentFiles, SlotsAsReadFromAFile) {
  RecentFiles r;
  r.set(0, "/a");
  r.set(2, "/b");
  r.set(-1, "/ignored");
  r.set(10, "/ignored");
  EXPECT_EQ(r.count(), 2);
  EXPECT_EQ(r.get(10), "");
  EXPECT_EQ(r.get(-1), "");

  // A new path shifts the gap along without closing it; an empty one closes it.
  r.add("/c");
  EXPECT_EQ(slots(r), listed({"/c", "/a", "", "/b"}));
  r.add("");
  EXPECT_EQ(slots(r), listed({"/c", "/a", "/b"}));

  // With duplicates the last one is the one moved up.
  r.set(5, "/a");
  r.add("/a");
  EXPECT_EQ(slots(r), listed({"/a", "/c", "/a", "/b", "", ""}));

  r.clear();
  EXPECT_EQ(r.count(), 0);
  EXPECT_EQ(slots(r), listed({}));
}
