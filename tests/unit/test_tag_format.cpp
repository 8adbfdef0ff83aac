#include "io/core/TagFormat.h"
#include "io/core/TextLines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

using namespace orbala;

namespace {

// Switches to the German locale, whose decimal point is a comma, and back again.
struct CommaLocale {
  std::string saved = std::setlocale(LC_ALL, nullptr);
  bool active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  ~CommaLocale() { std::setlocale(LC_ALL, saved.c_str()); }
};

std::string joinLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

// Every field differs from its default; in block order.
const SettingsValues kSample{"1.31", true, 7,     false, true,    true, false, true,
                             false,  true, false, 3,     1,       50,   499,   100,
                             2,      4,    "0.5", "1",   "-1.25", "0",  "3e2", {1, 0, 1}};

const std::string kSampleBlock =
    "<version>1.31\n<colorPoints>1\n<colorIndex>7\n<applyPubChemColors>0\n<applyJmolColors>1\n"
    "<applyDefaultAtomSizes>1\n<setUndefinedColorsToGray_Chk>0\n<show_xy_axis>1\n"
    "<show_z_axis>0\n<showAxisLabels>1\n<show_RGB_table_cols>0\n<rotationAxis>3\n"
    "<rotationDirection>1\n<rotationSpeed_Slider>50\n<sphereRadius_Slider>499\n"
    "<backgroundColor_Slider>100\n<rotationLocationIndex>2\n<scaleSizeType>4\n<alphaLevel>0.5\n"
    "<rotationPointIndex>1\n<rotationPoint_x>-1.25\n<rotationPoint_y>0\n<rotationPoint_z>3e2\n"
    "<axisScaling_type_x>1\n<axisScaling_type_y>0\n<axisScaling_type_z>1\n";

} // namespace

TEST(TagFormat, SplitAndLookUp) {
  for (const auto& [line, tag, value, known] : {
           std::tuple{"<rotationAxis>  4 \t", "<rotationAxis>", "4", Tag::RotationAxis},
           {"<data>0 0 a>b", "<data>", "0 0 a>b", Tag::Data}, // only the first '>' ends it
           {"no bracket at all", "no bracket at all>", "", Tag::Unknown},
           {"", ">", "", Tag::Unknown},
           {"<version>", "<version>", "", Tag::Version},
           {"<_version>1.31", "<version>", "1.31", Tag::Version},
           {"<__colorIndex>5", "<_colorIndex>", "5", Tag::Unknown}, // one underscore goes
           {" <version>1.31", " <version>", "1.31", Tag::Unknown},
           {"\xEF\xBB\xBF<version>1.31", "\xEF\xBB\xBF<version>", "1.31", Tag::Unknown},
       }) {
    const TagLine t = splitTagLine(line);
    EXPECT_EQ(t.tag, tag);
    EXPECT_EQ(t.value, value) << line;
    EXPECT_EQ(lookupTag(t.tag), known) << line;
  }
  for (const char* bad : {"<Version>", "<version", ""})
    EXPECT_EQ(lookupTag(bad), Tag::Unknown) << bad;
  for (int i = 0; i < static_cast<int>(Tag::Unknown); ++i) {
    const Tag tag = static_cast<Tag>(i);
    ASSERT_FALSE(tagText(tag).empty());
    EXPECT_EQ(lookupTag(tagText(tag)), tag) << tagText(tag);
  }
  EXPECT_TRUE(tagText(Tag::Unknown).empty());
}

TEST(TagFormat, FlagAndDataLineRowColumnAndText) {
  // A flag is set only by the integer one.
  for (const char* on : {"1", "1abc", " +1"})
    EXPECT_TRUE(parseFlag(on)) << on;
  // The last would wrap to 1 in 32 bits.
  for (const char* off : {"2", "0", "-1", "yes", "", "4294967297"})
    EXPECT_FALSE(parseFlag(off)) << off;

  // The text starts after the second blank, whatever the blanks separate; negative numbers
  // scan (the caller drops them) and huge ones saturate.
  for (const auto& [value, row, column, text] : {std::tuple{"3 0 two words", 3, 0, "two words"},
                                                 {"3 2 ", 3, 2, ""},
                                                 {"12 9", 12, 9, ""},
                                                 {"3 2  padded", 3, 2, " padded"},
                                                 {"3 2x rest", 3, 2, "rest"},
                                                 {"-1 -4 x", -1, -4, "x"},
                                                 {"99999999999 1 x", 2147483647, 1, "x"}}) {
    const DataLine d = parseDataLine(value);
    EXPECT_TRUE(d.valid) << value;
    EXPECT_EQ(std::tie(d.row, d.column, d.text), std::make_tuple(row, column, std::string(text)))
        << value;
  }
  for (const char* bad : {"", "3", "3 ", "x 1 y", "3 x", "3,2 a", "- 1 2", "+ 3 4"})
    EXPECT_FALSE(parseDataLine(bad).valid) << '"' << bad << '"';
}

TEST(TagFormat, ScanDoublesStopsAtTheFirstFailure) {
  const double inf = INFINITY;
  using Case = std::tuple<std::string, int, std::vector<double>>;
  for (const auto& [text, max, want] : std::vector<Case>{
           {"1.5 -2e3 +.25 4", 4, {1.5, -2000, 0.25, 4}},
           {"1 2 3 4 5", 3, {1, 2, 3}},
           {"1,5 2", 4, {1}},   // the comma ends the first number
           {"1-2", 4, {1, -2}}, // no blank needed before a sign
           {"", 4, {}},
           {"--1", 4, {}},
           {"1 2", 0, {}},
           {"1e999 -1e999 1e-999 0.000000001e-400", 4, {inf, -inf, 0, 0}},
           {"inf -infinity", 4, {inf, -inf}},
           {"0x10 0x.8p1", 4, {16, 1}},
           {"0xg 1", 4, {0}}, // "0x" without hex digits reads as 0 and stops at the x
           {std::string(400, '9') + "e-5", 1, {inf}}, // overflow by digit count, not exponent
       }) {
    double v[4] = {9, 9, 9, 9};
    ASSERT_EQ(scanDoubles(text, v, max), static_cast<int>(want.size())) << text;
    EXPECT_EQ(std::vector<double>(v, v + want.size()), want) << text;
  }
  double v[2] = {};
  ASSERT_EQ(scanDoubles("nan x", v, 2), 1);
  EXPECT_TRUE(std::isnan(v[0]));
}

TEST(TagFormat, ViewAndDataLinesUseADotUnderACommaLocale) {
  CommaLocale locale;
  ASSERT_TRUE(locale.active) << "install-deps.sh generates de_DE.UTF-8";
  // Settings, window, view and data lines, exactly and all with a dot.
  WindowValues w{-8, 40, 1000, 800, true, 350, 100, "/home/u/my data", "qvx", {}};
  w.recentFiles[0] = "/home/u/first.qvx";
  w.recentFiles[2] = "/home/u/third.qvx";
  w.recentFiles[9] = "/home/u/last.xyz";
  EXPECT_EQ(
      formatSettingsBlock(kSample, &w),
      kSampleBlock +
          joinLines({"<window_x>-8", "<window_y>40", "<main_width>1000", "<main_height>800",
                     "<isMinimized>1", "<panelWidth>350", "<numRowsIni>100",
                     "<pathUserFilesDirectory>/home/u/my data", "<lastFileExtensionSelected>qvx",
                     "<recentlyUsedFiles>/home/u/first.qvx", "<recentlyUsedFiles>/home/u/third.qvx",
                     "<recentlyUsedFiles>/home/u/last.xyz"}));
  const double center[3] = {0, -1.5, 123456.789};
  const double orientation[4] = {0, 0.5, -0.5, 0.70710678118654757};
  EXPECT_EQ(formatViewBlock(0.9, center, orientation),
            "<Viewer_Zoom>9.000000e-01\n"
            "<Viewer_center_xyz>0.000000e+00 -1.500000e+00 1.234568e+05\n"
            "<Viewer_orientation>0.000000e+00 5.000000e-01 -5.000000e-01 7.071068e-01\n");
  EXPECT_EQ(formatDataLine(3, 2, ""), "<data>3 2 \n");
  EXPECT_EQ(formatDataLine(0, 8, "show"), "<data>0 8 show\n");

  // Scanning ignores the locale too: the comma ends the number.
  double v[2];
  ASSERT_EQ(scanDoubles("1.5 2,5", v, 2), 2);
  EXPECT_EQ(std::vector<double>(v, v + 2), (std::vector<double>{1.5, 2}));
}

TEST(TagFormat, ValuesCannotSmuggleInExtraLines) {
  SettingsValues s;
  s.alphaLevel = "0.5\n<version>0";
  WindowValues w;
  w.recentFiles[0] = "/tmp/evil\n<numRowsIni>5";
  w.recentFiles[1] = "/tmp/fine.qvx";
  const std::vector<std::string> lines = splitTextLines(formatSettingsBlock(s, &w));
  ASSERT_EQ(lines.size(), 26u + 9u + 1u);
  EXPECT_EQ(lines[18], "<alphaLevel>0.5 <version>0");
  EXPECT_EQ(lines.back(), "<recentlyUsedFiles>/tmp/fine.qvx");
  EXPECT_EQ(formatDataLine(1, 0, "a\r\nb"), "<data>1 0 a  b\n");
}
