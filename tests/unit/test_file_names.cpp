#include "io/core/FileNames.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

using namespace orbala;

TEST(FileNames, ExtensionOfAPattern) {
  EXPECT_EQ(extensionFromPattern("Orbala (*.qvx)"), "qvx");
  EXPECT_EQ(extensionFromPattern("Bitmap (*.bmp)"), "bmp");
  EXPECT_EQ(extensionFromPattern("(*.Data_2)"), "Data_2");
  for (const char* bad :
       {"", "All Files (*)", "Orbala (*.qvx,*.txt)", "Archive (*.tar.gz)", "v1.0 (*.qvx)",
        "Odd (*.q-x)", "Empty (*.)", "Twice (*.a) (*.b)", "Closed before )(*.qvx", "Two (*.qvx))",
        "No close (*.qvx", "Blank (*. qvx)", "Star (*.q*)"})
    EXPECT_EQ(extensionFromPattern(bad), "") << bad;
}

TEST(FileNames, ForcedExtension) {
  EXPECT_EQ(forceExtension("/home/u/plot", "qvx"), "/home/u/plot.qvx");
  EXPECT_EQ(forceExtension("/home/u/plot.txt", "qvx"), "/home/u/plot.qvx");
  EXPECT_EQ(forceExtension("/home/u/plot.qvx", "qvx"), "/home/u/plot.qvx");
  EXPECT_EQ(forceExtension("/home/u/plot.tar.gz", "qvx"), "/home/u/plot.tar.qvx");
  EXPECT_EQ(forceExtension("/home/u/plot.", "qvx"), "/home/u/plot.qvx");
  // A dot in a directory name or at the start of the name is no extension.
  EXPECT_EQ(forceExtension("/home/u.v/plot", "bmp"), "/home/u.v/plot.bmp");
  EXPECT_EQ(forceExtension("/home/u/.plot", "bmp"), "/home/u/.plot.bmp");
  EXPECT_EQ(forceExtension("plot.TXT", "qvx"), "plot.qvx");
  EXPECT_EQ(forceExtension("/home/u/plot.txt", ""), "/home/u/plot.txt");
}

TEST(FileNames, IllegalNames) {
  const std::string chars = kIllegalFileNameChars;
  ASSERT_EQ(chars, "\\:/*?\"<>|\t");
  for (char c : chars) {
    EXPECT_TRUE(isIllegalFileName(std::string("my") + c + "plot.qvx")) << int(c);
  }
  EXPECT_TRUE(isIllegalFileName(""));
  EXPECT_TRUE(isIllegalFileName("   "));
  EXPECT_FALSE(isIllegalFileName("my plot (2).qvx"));
  EXPECT_FALSE(isIllegalFileName(".qvx"));
  EXPECT_FALSE(isIllegalFileName("\xC3\xA4pfel.qvx"));

  // The dialog's checks in order: forced extension, then the name part.
  const std::string chosen = forceExtension("/home/u/what?.txt", extensionFromPattern("(*.qvx)"));
  EXPECT_EQ(pathFileName(chosen), "what?.qvx");
  EXPECT_TRUE(isIllegalFileName(pathFileName(chosen)));
}

TEST(FileNames, PreselectedPattern) {
  const char* open = "Orbala (*.qvx)\nXYZ (*.xyz)\nText (*.txt)\n";
  EXPECT_EQ(preselectPattern(open, "qvx"), 0);
  EXPECT_EQ(preselectPattern(open, "xyz"), 1);
  EXPECT_EQ(preselectPattern(open, "txt"), 2);
  EXPECT_EQ(preselectPattern(open, "TXT"), 0); // case-sensitive
  EXPECT_EQ(preselectPattern(open, "bmp"), 0);
  EXPECT_EQ(preselectPattern(open, "x"), 1); // a substring test
  EXPECT_EQ(preselectPattern("", "qvx"), 0);
}

TEST(FileNames, PathParts) {
  EXPECT_EQ(pathExtension("/home/u/Plot.XYZ"), "XYZ");
  EXPECT_EQ(pathExtension("/home/u.v/plot"), "");
  EXPECT_EQ(pathExtension("/home/u/.hidden"), "");
  EXPECT_EQ(pathExtension("plot."), "");
  EXPECT_EQ(pathExtension("a.b.c"), "c");

  EXPECT_EQ(pathDirectory("/home/u/plot.qvx"), "/home/u");
  EXPECT_EQ(pathDirectory("/home/u//plot.qvx"), "/home/u");
  EXPECT_EQ(pathDirectory("/plot.qvx"), "/");
  EXPECT_EQ(pathDirectory("plot.qvx"), "");
  EXPECT_EQ(pathDirectory("/home/u/"), "/home/u");

  EXPECT_EQ(pathFileName("/home/u/plot.qvx"), "plot.qvx");
  EXPECT_EQ(pathFileName("plot.qvx"), "plot.qvx");
  EXPECT_EQ(pathFileName("/home/u/"), "");
}
