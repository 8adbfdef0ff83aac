#include "io/core/FileNames.h"
#include "io/core/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace orbala;

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Paths = std::vector<std::string>;

TEST(FileNames, ExtensionOfAPatternForcedExtensionAndIllegalNames) {
  EXPECT_EQ(extensionFromPattern("Orbala (*.qvx)"), "qvx");
  EXPECT_EQ(extensionFromPattern("(*.Data_2)"), "Data_2");
  for (const char* bad :
       {"", "All Files (*)", "Orbala (*.qvx,*.txt)", "Archive (*.tar.gz)", "v1.0 (*.qvx)",
        "Odd (*.q-x)", "Empty (*.)", "Twice (*.a) (*.b)", "Closed before )(*.qvx", "Two (*.qvx))",
        "No close (*.qvx", "Blank (*. qvx)", "Star (*.q*)"})
    EXPECT_EQ(extensionFromPattern(bad), "") << bad;
  // A dot in a folder name or at the start of the name is no extension.
  for (const auto& [path, forced] : Pairs{{"/home/u/plot", "/home/u/plot.qvx"},
                                          {"/home/u/plot.txt", "/home/u/plot.qvx"},
                                          {"/home/u/plot.qvx", "/home/u/plot.qvx"},
                                          {"/u/plot.tar.gz", "/u/plot.tar.qvx"},
                                          {"/home/u/plot.", "/home/u/plot.qvx"},
                                          {"/home/u.v/plot", "/home/u.v/plot.qvx"},
                                          {"/home/u/.plot", "/home/u/.plot.qvx"}})
    EXPECT_EQ(forceExtension(path, "qvx"), forced) << path;
  EXPECT_EQ(forceExtension("/home/u/plot.txt", ""), "/home/u/plot.txt");

  // Illegal names.
  for (char c : std::string("\\:/*?\"<>|\t"))
    EXPECT_TRUE(isIllegalFileName(std::string("my") + c + "plot.qvx")) << int(c);
  EXPECT_TRUE(isIllegalFileName("") && isIllegalFileName("   "));
  for (const char* fine : {"my plot (2).qvx", ".qvx", "\xC3\xA4pfel.qvx", "a;b'c.qvx"})
    EXPECT_FALSE(isIllegalFileName(fine)) << fine;
}

TEST(FileNames, PreselectedPatternAndPathParts) {
  const char* open = "Orbala (*.qvx)\nXYZ (*.xyz)\nText (*.txt)\n";
  // A case-sensitive substring test; no match is the first pattern.
  for (const auto& [extension, index] : std::vector<std::pair<const char*, int>>{
           {"qvx", 0}, {"xyz", 1}, {"txt", 2}, {"TXT", 0}, {"bmp", 0}, {"x", 1}})
    EXPECT_EQ(preselectPattern(open, extension), index) << extension;
  EXPECT_EQ(preselectPattern("", "qvx"), 0);

  for (const auto& [path, extension] : Pairs{{"/home/u/Plot.XYZ", "XYZ"},
                                             {"/home/u.v/plot", ""},
                                             {"/home/u/.hidden", ""},
                                             {"plot.", ""},
                                             {"a.b.c", "c"}})
    EXPECT_EQ(pathExtension(path), extension) << path;
  for (const auto& [path, folder] : Pairs{{"/home/u/plot.qvx", "/home/u"},
                                          {"/home/u//plot.qvx", "/home/u"},
                                          {"/plot.qvx", "/"},
                                          {"plot.qvx", ""},
                                          {"/home/u/", "/home/u"}})
    EXPECT_EQ(pathDirectory(path), folder) << path;
  for (const auto& [path, name] :
       Pairs{{"/home/u/plot.qvx", "plot.qvx"}, {"plot.qvx", "plot.qvx"}, {"/home/u/", ""}})
    EXPECT_EQ(pathFileName(path), name) << path;
}

// The names a dropped uri-list hands over.
TEST(UriListTest, LocalFilesOnlyDecodedAndSaveExtensions) {
  EXPECT_EQ(orbala::localPathsFromUriList("# comment\r\nfile:///a%20b/c%25.xyz\r\n"
                                          "file://localhost/d.qvx\nFILE:/e\n"
                                          "file://server/f\nhttp://x/g\nfile:///bad%2\n"
                                          "file:///nul%00\nfile:///h%C3%A9\n"),
            (Paths{"/a b/c%.xyz", "/d.qvx", "/e", "/h\xC3\xA9"}));
  EXPECT_EQ(orbala::localPathsFromUriList(""), Paths{});

  const char* list = "Bitmap (*.bmp)\nPNG (*.png)";
  EXPECT_EQ(orbala::saveExtension(list, 0, "/d/plot"), "bmp");
  EXPECT_EQ(orbala::saveExtension(list, 1, "/d/plot.bmp"), "bmp");
  EXPECT_EQ(orbala::saveExtension(list, 0, "/d/plot.Png"), "png");
  EXPECT_EQ(orbala::saveExtension(list, 1, "/d/plot.jpg"), "png");
  EXPECT_EQ(orbala::saveExtension(list, 2, "/d/plot.png"), "");
  EXPECT_EQ(orbala::patternAt(list, 1), "PNG (*.png)");
}

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
