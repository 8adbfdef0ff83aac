#include "io/core/TagFormat.h"
#include "io/core/TextLines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

using namespace orbala;

namespace {

// Switches to the first installed locale that writes numbers with a comma, and back again.
class CommaLocale {
public:
  CommaLocale() {
    const char* saved = std::setlocale(LC_ALL, nullptr);
    saved_ = saved ? saved : "C";
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "es_ES.UTF-8",
          "it_IT.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"}) {
      if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
        active_ = true;
        return;
      }
    }
    std::setlocale(LC_ALL, saved_.c_str());
  }
  ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  bool active() const { return active_; }

private:
  std::string saved_;
  bool active_ = false;
};

SettingsValues sampleSettings() {
  SettingsValues s;
  s.colorPoints = true;
  s.colorIndex = 7;
  s.applyJmolColors = true;
  s.applyDefaultAtomSizes = true;
  s.showXyAxis = true;
  s.showAxisLabels = true;
  s.rotationAxis = 3;
  s.rotationDirection = 1;
  s.rotationSpeed = 50;
  s.sphereRadius = 499;
  s.backgroundColor = 100;
  s.rotationLocationIndex = 2;
  s.scaleSizeType = 4;
  s.alphaLevel = "0.5";
  s.rotationPointIndex = "1";
  s.rotationPointX = "-1.25";
  s.rotationPointY = "0";
  s.rotationPointZ = "3e2";
  s.axisScaling = {1, 0, 1};
  return s;
}

const char* const kSampleSettingsBlock = "<version>1.31\n"
                                         "<colorPoints>1\n"
                                         "<colorIndex>7\n"
                                         "<applyPubChemColors>0\n"
                                         "<applyJmolColors>1\n"
                                         "<applyDefaultAtomSizes>1\n"
                                         "<setUndefinedColorsToGray_Chk>0\n"
                                         "<show_xy_axis>1\n"
                                         "<show_z_axis>0\n"
                                         "<showAxisLabels>1\n"
                                         "<show_RGB_table_cols>0\n"
                                         "<rotationAxis>3\n"
                                         "<rotationDirection>1\n"
                                         "<rotationSpeed_Slider>50\n"
                                         "<sphereRadius_Slider>499\n"
                                         "<backgroundColor_Slider>100\n"
                                         "<rotationLocationIndex>2\n"
                                         "<scaleSizeType>4\n"
                                         "<alphaLevel>0.5\n"
                                         "<rotationPointIndex>1\n"
                                         "<rotationPoint_x>-1.25\n"
                                         "<rotationPoint_y>0\n"
                                         "<rotationPoint_z>3e2\n"
                                         "<axisScaling_type_x>1\n"
                                         "<axisScaling_type_y>0\n"
                                         "<axisScaling_type_z>1\n";

} // namespace

TEST(TagFormat, SplitsTagAndTrimmedValue) {
  TagLine t = splitTagLine("<rotationAxis>  4 \t");
  EXPECT_EQ(t.tag, "<rotationAxis>");
  EXPECT_EQ(t.value, "4");

  // Only the first '>' ends the tag; the value may hold more.
  t = splitTagLine("<data>0 0 a>b");
  EXPECT_EQ(t.tag, "<data>");
  EXPECT_EQ(t.value, "0 0 a>b");

  t = splitTagLine("no bracket at all");
  EXPECT_EQ(t.tag, "no bracket at all>");
  EXPECT_EQ(t.value, "");
  EXPECT_EQ(lookupTag(t.tag), Tag::Unknown);

  t = splitTagLine("");
  EXPECT_EQ(t.tag, ">");
  EXPECT_EQ(lookupTag(t.tag), Tag::Unknown);

  t = splitTagLine("<version>");
  EXPECT_EQ(t.value, "");
  EXPECT_EQ(lookupTag(t.tag), Tag::Version);
}

TEST(TagFormat, UnderscoreAfterBracketIsIgnoredButLeadingBlankIsNot) {
  EXPECT_EQ(lookupTag(splitTagLine("<_version>1.31").tag), Tag::Version);
  EXPECT_EQ(lookupTag(splitTagLine("<_show_z_axis>1").tag), Tag::ShowZAxis);
  // Underscores inside the name are part of it.
  EXPECT_EQ(lookupTag(splitTagLine("<show_z_axis>1").tag), Tag::ShowZAxis);
  EXPECT_EQ(lookupTag(splitTagLine(" <version>1.31").tag), Tag::Unknown);
  EXPECT_EQ(lookupTag(splitTagLine("\xEF\xBB\xBF<version>1.31").tag), Tag::Unknown);
  EXPECT_EQ(lookupTag("<Version>"), Tag::Unknown);
  EXPECT_EQ(lookupTag("<version"), Tag::Unknown);
}

TEST(TagFormat, EveryTagTextLooksUpToItself) {
  for (int i = 0; i < static_cast<int>(Tag::Unknown); ++i) {
    const Tag tag = static_cast<Tag>(i);
    ASSERT_FALSE(tagText(tag).empty());
    EXPECT_EQ(lookupTag(tagText(tag)), tag) << tagText(tag);
  }
  EXPECT_TRUE(tagText(Tag::Unknown).empty());
  EXPECT_EQ(lookupTag(""), Tag::Unknown);
}

TEST(TagFormat, SettingsFileOnlyTags) {
  for (Tag t : {Tag::WindowX, Tag::WindowY, Tag::MainWidth, Tag::MainHeight, Tag::IsMinimized,
                Tag::PathUserFilesDirectory, Tag::LastFileExtensionSelected})
    EXPECT_TRUE(isWindowBlockTag(t)) << tagText(t);
  for (Tag t : {Tag::NumRowsIni, Tag::RecentlyUsedFiles, Tag::Version, Tag::Data, Tag::ViewerZoom,
                Tag::Unknown})
    EXPECT_FALSE(isWindowBlockTag(t)) << tagText(t);
}

TEST(TagFormat, FlagIsSetOnlyByTheIntegerOne) {
  EXPECT_TRUE(parseFlag("1"));
  EXPECT_TRUE(parseFlag("1abc"));
  EXPECT_TRUE(parseFlag(" +1"));
  EXPECT_FALSE(parseFlag("2"));
  EXPECT_FALSE(parseFlag("0"));
  EXPECT_FALSE(parseFlag("-1"));
  EXPECT_FALSE(parseFlag("yes"));
  EXPECT_FALSE(parseFlag(""));
  EXPECT_FALSE(parseFlag("4294967297")); // would wrap to 1 in 32 bits
}

TEST(TagFormat, DataLineRowColumnAndText) {
  DataLine d = parseDataLine("3 0 two words");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.row, 3);
  EXPECT_EQ(d.column, 0);
  EXPECT_EQ(d.text, "two words");

  d = parseDataLine("3 2 ");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.column, 2);
  EXPECT_EQ(d.text, "");

  d = parseDataLine("12 9");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.text, "");

  // The text starts after the second blank, whatever the blanks separate.
  d = parseDataLine("3 2  padded");
  EXPECT_EQ(d.text, " padded");
  d = parseDataLine("3 2x rest");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.column, 2);
  EXPECT_EQ(d.text, "rest");

  // Negative numbers scan; the caller drops them.
  d = parseDataLine("-1 -4 x");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.row, -1);
  EXPECT_EQ(d.column, -4);

  d = parseDataLine("99999999999 1 x");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.row, 2147483647);
}

TEST(TagFormat, DataLineWithoutTwoIntegersIsInvalid) {
  for (const char* bad : {"", "3", "3 ", "x 1 y", "3 x", "3,2 a", "- 1 2", "+ 3 4"})
    EXPECT_FALSE(parseDataLine(bad).valid) << '"' << bad << '"';
}

TEST(TagFormat, ScanDoublesStopsAtTheFirstFailure) {
  double v[4] = {9, 9, 9, 9};
  EXPECT_EQ(scanDoubles("1.5 -2e3 +.25 4", v, 4), 4);
  EXPECT_DOUBLE_EQ(v[0], 1.5);
  EXPECT_DOUBLE_EQ(v[1], -2000);
  EXPECT_DOUBLE_EQ(v[2], 0.25);
  EXPECT_DOUBLE_EQ(v[3], 4);

  EXPECT_EQ(scanDoubles("  7\t8\n", v, 4), 2);
  EXPECT_EQ(scanDoubles("1 2 3 4 5", v, 3), 3);
  EXPECT_EQ(scanDoubles("1,5 2", v, 4), 1); // the comma ends the first number
  EXPECT_DOUBLE_EQ(v[0], 1);
  EXPECT_EQ(scanDoubles("1-2", v, 4), 2); // no blank needed before a sign
  EXPECT_DOUBLE_EQ(v[1], -2);
  EXPECT_EQ(scanDoubles("", v, 4), 0);
  EXPECT_EQ(scanDoubles("abc 1", v, 4), 0);
  EXPECT_EQ(scanDoubles("--1", v, 4), 0);
  EXPECT_EQ(scanDoubles("1 2", v, 0), 0);
}

TEST(TagFormat, ScanDoublesSpecialValues) {
  double v[4] = {};
  ASSERT_EQ(scanDoubles("1e999 -1e999 1e-999 0.000000001e-400", v, 4), 4);
  EXPECT_EQ(v[0], INFINITY);
  EXPECT_EQ(v[1], -INFINITY);
  EXPECT_EQ(v[2], 0.0);
  EXPECT_EQ(v[3], 0.0);
  ASSERT_EQ(scanDoubles("inf -infinity nan", v, 4), 3);
  EXPECT_EQ(v[1], -INFINITY);
  EXPECT_TRUE(std::isnan(v[2]));
  ASSERT_EQ(scanDoubles("0x10 0x.8p1", v, 4), 2);
  EXPECT_DOUBLE_EQ(v[0], 16);
  EXPECT_DOUBLE_EQ(v[1], 1);
  // "0x" without hex digits reads as 0 and stops at the x.
  EXPECT_EQ(scanDoubles("0xg 1", v, 4), 1);
  EXPECT_EQ(v[0], 0.0);
  // Hundreds of digits overflow by their count, not by their exponent.
  ASSERT_EQ(scanDoubles(std::string(400, '9') + "e-5", v, 1), 1);
  EXPECT_EQ(v[0], INFINITY);
}

TEST(TagFormat, SettingsBlockExactLinesInOrder) {
  EXPECT_EQ(formatSettingsBlock(sampleSettings(), nullptr), kSampleSettingsBlock);

  WindowValues w;
  w.x = -8;
  w.y = 40;
  w.width = 1000;
  w.height = 800;
  w.minimized = true;
  w.numRows = 100;
  w.userFilesDirectory = "/home/u/my data";
  w.lastExtension = "qvx";
  w.recentFiles[0] = "/home/u/first.qvx";
  w.recentFiles[2] = "/home/u/third.qvx";
  w.recentFiles[9] = "/home/u/last.xyz";
  EXPECT_EQ(formatSettingsBlock(sampleSettings(), &w),
            std::string(kSampleSettingsBlock) + "<window_x>-8\n"
                                                "<window_y>40\n"
                                                "<main_width>1000\n"
                                                "<main_height>800\n"
                                                "<isMinimized>1\n"
                                                "<numRowsIni>100\n"
                                                "<pathUserFilesDirectory>/home/u/my data\n"
                                                "<lastFileExtensionSelected>qvx\n"
                                                "<recentlyUsedFiles>/home/u/first.qvx\n"
                                                "<recentlyUsedFiles>/home/u/third.qvx\n"
                                                "<recentlyUsedFiles>/home/u/last.xyz\n");
}

TEST(TagFormat, WrittenBlocksReadBackLineByLine) {
  SettingsValues s = sampleSettings();
  WindowValues w;
  w.recentFiles[0] = "/a.qvx";
  w.recentFiles[1] = "/b.qvx";
  const double center[3] = {1.5, -2.25, 1e-7};
  const double orientation[4] = {0, 0.5, -0.5, 0.70710678118654757};
  const std::string text = formatSettingsBlock(s, &w) + formatViewBlock(0.9, center, orientation) +
                           formatDataLine(0, 0, "C 12") + formatDataLine(0, 1, "");
  const std::vector<std::string> lines = splitTextLines(text);
  ASSERT_EQ(lines.size(), 26u + 8u + 2u + 3u + 2u);
  for (const std::string& line : lines)
    EXPECT_NE(lookupTag(splitTagLine(line).tag), Tag::Unknown) << line;

  double v[4];
  ASSERT_EQ(scanDoubles(splitTagLine(lines[37]).value, v, 3), 3);
  EXPECT_DOUBLE_EQ(v[0], 1.5);
  EXPECT_DOUBLE_EQ(v[1], -2.25);
  EXPECT_DOUBLE_EQ(v[2], 1e-7);
  ASSERT_EQ(scanDoubles(splitTagLine(lines[38]).value, v, 4), 4);
  EXPECT_NEAR(v[3], orientation[3], 1e-6);

  DataLine d = parseDataLine(splitTagLine(lines[39]).value);
  EXPECT_EQ(d.text, "C 12");
  d = parseDataLine(splitTagLine(lines[40]).value);
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.column, 1);
  EXPECT_EQ(d.text, "");
}

TEST(TagFormat, ViewAndDataLineFormats) {
  const double center[3] = {0, -1.5, 123456.789};
  const double orientation[4] = {0, 0, 0, 1};
  EXPECT_EQ(formatViewBlock(0.9, center, orientation),
            "<Viewer_Zoom>9.000000e-01\n"
            "<Viewer_center_xyz>0.000000e+00 -1.500000e+00 1.234568e+05\n"
            "<Viewer_orientation>0.000000e+00 0.000000e+00 0.000000e+00 1.000000e+00\n");
  EXPECT_EQ(formatDataLine(3, 2, ""), "<data>3 2 \n");
  EXPECT_EQ(formatDataLine(0, 8, "show"), "<data>0 8 show\n");
}

TEST(TagFormat, ValuesCannotSmuggleInExtraLines) {
  SettingsValues s;
  s.alphaLevel = "0.5\n<version>0";
  WindowValues w;
  w.recentFiles[0] = "/tmp/evil\n<numRowsIni>5";
  w.recentFiles[1] = "/tmp/fine.qvx";
  const std::vector<std::string> lines = splitTextLines(formatSettingsBlock(s, &w));
  ASSERT_EQ(lines.size(), 26u + 8u + 1u);
  EXPECT_EQ(lines[18], "<alphaLevel>0.5 <version>0");
  EXPECT_EQ(lines.back(), "<recentlyUsedFiles>/tmp/fine.qvx");
  EXPECT_EQ(formatDataLine(1, 0, "a\r\nb"), "<data>1 0 a  b\n");
}

TEST(TagFormat, NumbersUseADotUnderACommaLocale) {
  CommaLocale locale;
  if (!locale.active())
    GTEST_SKIP() << "no comma-decimal locale is installed (locale -a); generate de_DE.UTF-8 to "
                    "run this check";
  const double center[3] = {0.5, -1.25, 2};
  const double orientation[4] = {0.125, 0, 0, 1};
  EXPECT_EQ(formatViewBlock(1.5, center, orientation),
            "<Viewer_Zoom>1.500000e+00\n"
            "<Viewer_center_xyz>5.000000e-01 -1.250000e+00 2.000000e+00\n"
            "<Viewer_orientation>1.250000e-01 0.000000e+00 0.000000e+00 1.000000e+00\n");
  EXPECT_EQ(formatSettingsBlock(sampleSettings(), nullptr), kSampleSettingsBlock);
  double v[2] = {};
  ASSERT_EQ(scanDoubles("1.5 2,5", v, 2), 2);
  EXPECT_DOUBLE_EQ(v[0], 1.5);
  EXPECT_DOUBLE_EQ(v[1], 2);
}
