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

std::vector<std::string> listed(std::vector<std::string> front) {
  front.resize(RecentFiles::kSlots);
  return front;
}

} // namespace

TEST(RecentFiles, ReopeningMovesToTheTop) {
  RecentFiles r;
  r.add("/d/first.qvx");
  r.add("/d/second.qvx");
  r.add("/d/third.qvx");
  r.add("/d/first.qvx");
  EXPECT_EQ(slots(r), listed({"/d/first.qvx", "/d/third.qvx", "/d/second.qvx"}));
  EXPECT_EQ(r.count(), 3);

  // Already on top: nothing moves.
  r.add("/d/first.qvx");
  EXPECT_EQ(slots(r), listed({"/d/first.qvx", "/d/third.qvx", "/d/second.qvx"}));
  // Matching is exact.
  r.add("/d/FIRST.qvx");
  EXPECT_EQ(r.count(), 4);
}

TEST(RecentFiles, EleventhPushesTheOldestOut) {
  RecentFiles r;
  for (int i = 1; i <= 11; ++i)
    r.add("/f" + std::to_string(i));
  EXPECT_EQ(r.count(), 10);
  EXPECT_EQ(r.get(0), "/f11");
  EXPECT_EQ(r.get(9), "/f2");
  for (int i = 0; i < RecentFiles::kSlots; ++i)
    EXPECT_NE(r.get(i), "/f1");
  // Re-adding the bottom entry keeps all ten.
  r.add("/f2");
  EXPECT_EQ(r.count(), 10);
  EXPECT_EQ(r.get(0), "/f2");
  EXPECT_EQ(r.get(9), "/f3");
}

TEST(RecentFiles, RemovalLeavesNoGap) {
  RecentFiles r;
  for (const char* p : {"/e", "/d", "/c", "/b", "/a"})
    r.add(p);
  EXPECT_TRUE(r.removeFirst("/c"));
  EXPECT_EQ(slots(r), listed({"/a", "/b", "/d", "/e"}));
  EXPECT_FALSE(r.removeFirst("/zzz"));
  EXPECT_EQ(r.count(), 4);
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

TEST(RecentFiles, ReAddingAPathTakenFromTheListItself) {
  RecentFiles r;
  for (const char* p : {"/d", "/c", "/b", "/a"})
    r.add(p);
  r.add(r.get(3));
  EXPECT_EQ(slots(r), listed({"/d", "/a", "/b", "/c"}));
  EXPECT_TRUE(r.removeFirst(r.get(1)));
  EXPECT_EQ(slots(r), listed({"/d", "/b", "/c"}));
}
