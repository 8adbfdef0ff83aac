// The names a dropped uri-list or a save dialog hands over.
#include <gtest/gtest.h>

#include "io/core/FileNames.h"

using Paths = std::vector<std::string>;

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
