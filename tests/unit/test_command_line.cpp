#include "app/core/CommandLine.h"

#include <gtest/gtest.h>

#include "app/Orbala.h"

using orbala::CommandLine;
using orbala::parseCommandLine;
using Mode = CommandLine::Mode;

TEST(CommandLineTest, WindowExportHelpVersionFramesAndNumberedPictures) {
  EXPECT_EQ(parseCommandLine({}).mode, Mode::Window);
  EXPECT_EQ(parseCommandLine({"a.qvx"}).file, "a.qvx");
  EXPECT_EQ(parseCommandLine({"--", "--odd.xyz"}).file, "--odd.xyz");
  EXPECT_EQ(parseCommandLine({"-"}).file, "-");
  // Help and version win wherever they stand, as GNU programs do.
  EXPECT_EQ(parseCommandLine({"--bogus", "--help"}).mode, Mode::Error);
  EXPECT_EQ(parseCommandLine({"x.qvx", "--help"}).mode, Mode::Help);
  EXPECT_EQ(parseCommandLine({"--version"}).mode, Mode::Version);
  EXPECT_NE(orbala::versionText().find(kVersion.text()), std::string::npos);

  const CommandLine a = parseCommandLine({"--export", "o.PNG", "m.xyz"});
  EXPECT_EQ(a.mode, Mode::Export);
  EXPECT_EQ(std::make_tuple(a.output, a.file, a.width, a.height, a.view),
            std::make_tuple(std::string("o.PNG"), std::string("m.xyz"), 800, 600, std::string()));
  const CommandLine b =
      parseCommandLine({"m.xyz", "--size=16384x1", "--view", "xz", "--export=o.bmp"});
  EXPECT_EQ(std::make_tuple(b.mode, b.width, b.height, b.view),
            std::make_tuple(Mode::Export, 16384, 1, std::string("xz")));
  // The last --background holds.
  const CommandLine c = parseCommandLine(
      {"--export", "o.png", "--background", "transparent", "--background=0", "m.xyz"});
  EXPECT_EQ(std::make_tuple(c.background, c.transparent), std::make_tuple(0, false));
  const CommandLine d = parseCommandLine(
      {"--export", "o.png", "--background=100", "--background", "transparent", "m.xyz"});
  EXPECT_EQ(std::make_tuple(d.background, d.transparent), std::make_tuple(-1, true));
  EXPECT_EQ(a.background, -1);
  EXPECT_FALSE(a.transparent);

  // Frames and numbered pictures.
  const CommandLine one = parseCommandLine({"--export", "o.png", "--frame", "7", "t.xyz"});
  EXPECT_EQ(std::make_tuple(one.mode, one.frame, one.sequence),
            std::make_tuple(Mode::Export, 7, false));
  const CommandLine all = parseCommandLine({"--export", "f_%04d.png", "t.xyz"});
  EXPECT_EQ(std::make_tuple(all.sequence, all.firstFrame, all.lastFrame),
            std::make_tuple(true, 1, 0));
  const CommandLine some = parseCommandLine({"--export=s%d.bmp", "--frames=3-12", "t.xyz"});
  EXPECT_EQ(std::make_tuple(some.sequence, some.firstFrame, some.lastFrame),
            std::make_tuple(true, 3, 12));
  EXPECT_EQ(orbala::numberedName("f_%04d.png", 7), "f_0007.png");
  EXPECT_EQ(orbala::numberedName("100%%/%3d%%.png", 12345), "100%/12345%.png");
  EXPECT_EQ(orbala::numberedName("a%2db.png", 3), "a 3b.png");
  for (const char* plain : {"o.png", "100%%.png", "%s.png", "%d%d.png", "%-4d.png", "%04x.png"})
    EXPECT_FALSE(orbala::isNumberedName(plain)) << plain;
}

TEST(CommandLineTest, EveryMistakeIsOneLine) {
  // Cases end at ';', arguments at '|'.
  const std::string cases =
      "--frobnicate;-x;--export;--export|o.png;--export|o.jpg|m.xyz;"
      "--export|o.png|--size|0x10|m.xyz;--export|o.png|--size|16385x10|m.xyz;"
      "--export|o.png|--size|80x|m.xyz;--export|o.png|--size|8 0x60|m.xyz;"
      "--export|o.png|--view|side|m.xyz;--export|o.png|--background|101|m.xyz;"
      "--export|o.png|--background|-1|m.xyz;--export|o.png|--background|grey|m.xyz;"
      "--export|o.bmp|--background|transparent|m.xyz;--background|50|m.xyz;--size|80x60|m.xyz;"
      "a.qvx|b.qvx;--export|f%d.png|--frame|2|t.xyz;--export|o.png|--frames|1-2|t.xyz;"
      "--export|o.png|--frame|0|t.xyz;--export|f%d.png|--frames|5-4|t.xyz;"
      "--export|f%d.png|--frames|0-4|t.xyz;--export|f%d.png|--frames|1-x|t.xyz;--frame|2|t.xyz;";
  std::vector<std::string> args{""};
  for (char ch : cases) {
    if (ch != ';') {
      ch == '|' ? void(args.emplace_back()) : args.back().push_back(ch);
      continue;
    }
    const CommandLine c = parseCommandLine(args);
    EXPECT_EQ(c.mode, Mode::Error) << args[0] << " " << args.size();
    EXPECT_EQ(c.error.rfind("orbala: ", 0), 0u);
    EXPECT_EQ(c.error.find('\n'), std::string::npos);
    args = {""};
  }
}
