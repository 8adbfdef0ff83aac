#include "io/core/FileNames.h"

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
