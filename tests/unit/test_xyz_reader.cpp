#include "io/core/XyzReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "table/core/Elements.h"
#include "table/core/Numbers.h"

using namespace orbala;

namespace {

// Splits like the file reader does: CR before LF dropped, no empty line after a final LF.
std::vector<std::string> splitLines(std::string text, bool dropCarriageReturns = true) {
  if (dropCarriageReturns) text = replaceAll(text, "\r\n", "\n");
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
    lines.push_back(text.substr(start, lf - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> readDataFile(const std::string& name, bool dropCarriageReturns = true) {
  std::ifstream in(std::string(ORBALA_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return splitLines(std::string(std::istreambuf_iterator<char>(in), {}), dropCarriageReturns);
}

std::string symbolOf(const XyzAtom& atom) {
  return elementTable().at(static_cast<size_t>(atom.element)).symbol;
}

// Atom lines under a count and a comment line.
XyzResult parseAtoms(std::vector<std::string> atomLines, int tableRows = 100) {
  atomLines.insert(atomLines.begin(), {"n", "comment"});
  return parseXyzLines(atomLines, tableRows);
}

} // namespace

TEST(XyzLabel, TrimsReplacesTabsAndCuts) {
  EXPECT_EQ(xyzLineLabel("Cl 0 0 0"), "Cl");
  EXPECT_EQ(xyzLineLabel("  C\t1 2 3"), "C");
  EXPECT_EQ(xyzLineLabel("\tO\t1"), "O");
  EXPECT_EQ(xyzLineLabel("118 1 2 3"), "11");
  EXPECT_EQ(xyzLineLabel("6"), "6");
  EXPECT_EQ(xyzLineLabel("Carbon"), "Ca");
  EXPECT_EQ(xyzLineLabel(""), "");
  EXPECT_EQ(xyzLineLabel(" \t \r"), "");
}

TEST(XyzLabel, FormFromLettersOrDigits) {
  EXPECT_EQ(xyzLabelForm(""), XyzLabelForm::Symbol);
  EXPECT_EQ(xyzLabelForm("C"), XyzLabelForm::Symbol);
  EXPECT_EQ(xyzLabelForm("cL"), XyzLabelForm::Symbol);
  EXPECT_EQ(xyzLabelForm("6"), XyzLabelForm::Number);
  EXPECT_EQ(xyzLabelForm("11"), XyzLabelForm::Number);
  for (const char* label : {"C1", "-1", "#", "1.", "\xC3\xA9"})
    EXPECT_EQ(xyzLabelForm(label), XyzLabelForm::Invalid) << label;
  EXPECT_EQ(xyzLabelForm(std::string_view("\0", 1)), XyzLabelForm::Invalid);
}

TEST(XyzParse, CarbonAndOxygen) {
  const XyzResult r = parseAtoms({"C 0 0 0", "O 1.2 0 0"});
  EXPECT_EQ(r.status, XyzResult::Ok);
  ASSERT_EQ(r.atoms.size(), 2u);
  EXPECT_EQ(r.rowsFilled, 2);
  EXPECT_FALSE(r.overflow);
  EXPECT_EQ(symbolOf(r.atoms[0]), "C");
  EXPECT_EQ(symbolOf(r.atoms[1]), "O");
  EXPECT_EQ(formatFixed(r.atoms[0].x, 5), "0.00000");
  EXPECT_EQ(formatFixed(r.atoms[1].x, 5), "1.20000");
  EXPECT_DOUBLE_EQ(r.atoms[1].y, 0.0);
  EXPECT_DOUBLE_EQ(r.atoms[1].z, 0.0);
}

TEST(XyzParse, OnlyTheTableSpellingOfASymbolIsCutOut) {
  // CL and cl match chlorine, but their label stays in the line, so nothing converts.
  const XyzResult r = parseAtoms({"Cl 1 2 3", "CL 4 5 6", "cl 7 8 9", "C 0 0 2"});
  ASSERT_EQ(r.atoms.size(), 2u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "Cl");
  EXPECT_DOUBLE_EQ(r.atoms[0].z, 3.0);
  EXPECT_EQ(symbolOf(r.atoms[1]), "C");
  EXPECT_DOUBLE_EQ(r.atoms[1].z, 2.0);
}

TEST(XyzParse, TwoLetterSymbolIsNotTakenForItsFirstLetter) {
  const XyzResult r = parseAtoms({"Cl 0 0 0", "Ca 1 0 0", "Co 2 0 0", "C 3 0 0"});
  ASSERT_EQ(r.atoms.size(), 4u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "Cl");
  EXPECT_EQ(symbolOf(r.atoms[1]), "Ca");
  EXPECT_EQ(symbolOf(r.atoms[2]), "Co");
  EXPECT_EQ(symbolOf(r.atoms[3]), "C");
}

TEST(XyzParse, NumberForm) {
  const XyzResult r = parseAtoms({"6 0 0 0", "118 1 2 3", "8\t-1.5\t0\t2"});
  ASSERT_EQ(r.atoms.size(), 3u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "C");
  // Only the first two characters form the label: 118 reads as 11, sodium.
  EXPECT_EQ(symbolOf(r.atoms[1]), "Na");
  EXPECT_DOUBLE_EQ(r.atoms[1].x, 1.0);
  EXPECT_DOUBLE_EQ(r.atoms[1].z, 3.0);
  EXPECT_EQ(symbolOf(r.atoms[2]), "O");
  EXPECT_DOUBLE_EQ(r.atoms[2].x, -1.5);
}

TEST(XyzParse, NumberFormSkipsUnknownNumbersAndSymbols) {
  // He carries no atomic number; 0 is none; symbols are not read in a numbered file.
  const XyzResult r = parseAtoms({"2 0 0 0", "0 1 2 3", "C 0 0 0", "87 0 0 0", "1 5 5 5"});
  ASSERT_EQ(r.atoms.size(), 1u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "H");
  EXPECT_DOUBLE_EQ(r.atoms[0].x, 5.0);
  EXPECT_EQ(parseAtoms({"2 0 0 0"}).status, XyzResult::NoAtoms);
}

TEST(XyzParse, EmptyThirdLineSelectsSymbolForm) {
  const XyzResult r = parseAtoms({"", "O 1 2 3", "6 0 0 0"});
  EXPECT_EQ(r.status, XyzResult::Ok);
  ASSERT_EQ(r.atoms.size(), 1u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "O");
}

TEST(XyzParse, TrailingAndStrayLinesAreSkipped) {
  const XyzResult r = parseAtoms({"H 0 0 0", "Xx 1 1 1", "H 0 0", "H a b c", "", "   ", ""});
  EXPECT_EQ(r.status, XyzResult::Ok);
  EXPECT_EQ(r.rowsFilled, 1);
  EXPECT_FALSE(r.overflow);
}

TEST(XyzParse, MoreAtomsThanRowsFillsTheTableAndFlagsOverflow) {
  std::vector<std::string> lines;
  for (int i = 0; i < 150; ++i)
    lines.push_back("C " + std::to_string(i) + " 0 0");
  const XyzResult r = parseAtoms(lines, 100);
  EXPECT_EQ(r.status, XyzResult::Ok);
  EXPECT_EQ(r.rowsFilled, 100);
  ASSERT_EQ(r.atoms.size(), 100u);
  EXPECT_TRUE(r.overflow);
  EXPECT_DOUBLE_EQ(r.atoms.back().x, 99.0);

  const XyzResult exact = parseAtoms({"C 0 0 0", "C 1 0 0", "Xx 0 0 0"}, 2);
  EXPECT_EQ(exact.rowsFilled, 2);
  EXPECT_FALSE(exact.overflow); // an unknown atom after a full table is no overflow

  const XyzResult none = parseAtoms({"C 0 0 0"}, 0);
  EXPECT_EQ(none.status, XyzResult::NoAtoms);
  EXPECT_TRUE(none.overflow);
}

TEST(XyzParse, RejectedFiles) {
  EXPECT_EQ(parseXyzLines({}, 100).status, XyzResult::TooFewLines);
  EXPECT_EQ(parseXyzLines({"1", "c"}, 100).status, XyzResult::TooFewLines);
  for (const char* third : {"C1 0 0 0", "-6 0 0 0", "# C 0 0 0", "1.5 2 3"})
    EXPECT_EQ(parseAtoms({third}).status, XyzResult::BadLabelForm) << third;
  const XyzResult bad = parseAtoms({"??", "C 0 0 0"});
  EXPECT_TRUE(bad.atoms.empty());
  EXPECT_EQ(parseAtoms({"Xx 0 0 0", "Carbon 0 0 0", "O1 0 0 0"}).status, XyzResult::NoAtoms);
}

TEST(XyzParse, CoordinatesLikeScanf) {
  const XyzResult r =
      parseAtoms({"O -1.5e-1 +2 .5", "N 1-2 3", "S   1E2\t\t-0.0  7.  extra 4", "H 1.5.5 2"});
  ASSERT_EQ(r.atoms.size(), 4u);
  EXPECT_DOUBLE_EQ(r.atoms[0].x, -0.15);
  EXPECT_DOUBLE_EQ(r.atoms[0].y, 2.0);
  EXPECT_DOUBLE_EQ(r.atoms[0].z, 0.5);
  EXPECT_DOUBLE_EQ(r.atoms[1].x, 1.0);
  EXPECT_DOUBLE_EQ(r.atoms[1].y, -2.0);
  EXPECT_DOUBLE_EQ(r.atoms[2].x, 100.0);
  EXPECT_DOUBLE_EQ(r.atoms[2].z, 7.0);
  EXPECT_DOUBLE_EQ(r.atoms[3].y, 0.5);
  EXPECT_DOUBLE_EQ(r.atoms[3].z, 2.0);
}

TEST(XyzParse, UnusableNumbersSkipTheLine) {
  // Comma decimals, doubled signs, non-finite and out-of-range values are not coordinates.
  const XyzResult r = parseAtoms({"C 1,5 0 0", "C --1 0 0", "C nan 0 0", "C 0 inf 0", "C 0 0 1e999",
                                  "C 1e-999 0 0", "C 0 0 -", "C 0 0 e5"});
  EXPECT_EQ(r.status, XyzResult::NoAtoms);
  EXPECT_FALSE(r.overflow);
}

TEST(XyzFiles, WaterWithSpacedColumns) {
  const XyzResult r = parseXyzLines(readDataFile("water.xyz"), 100);
  EXPECT_EQ(r.status, XyzResult::Ok);
  ASSERT_EQ(r.atoms.size(), 3u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "O");
  EXPECT_EQ(symbolOf(r.atoms[1]), "H");
  EXPECT_DOUBLE_EQ(r.atoms[1].y, 0.75545);
  EXPECT_DOUBLE_EQ(r.atoms[2].z, -0.47116);
}

TEST(XyzFiles, BlankCommentTabsAndExtraColumns) {
  const XyzResult r = parseXyzLines(readDataFile("co.xyz"), 100);
  EXPECT_EQ(r.status, XyzResult::Ok);
  ASSERT_EQ(r.atoms.size(), 2u);
  EXPECT_EQ(symbolOf(r.atoms[0]), "C");
  EXPECT_EQ(symbolOf(r.atoms[1]), "O");
  EXPECT_DOUBLE_EQ(r.atoms[1].z, 1.128);
}

TEST(XyzFiles, WindowsLineEndings) {
  for (bool dropCarriageReturns : {true, false}) {
    const XyzResult r = parseXyzLines(readDataFile("methane_crlf.xyz", dropCarriageReturns), 100);
    EXPECT_EQ(r.status, XyzResult::Ok);
    ASSERT_EQ(r.atoms.size(), 5u);
    EXPECT_EQ(symbolOf(r.atoms[0]), "C");
    EXPECT_EQ(symbolOf(r.atoms[4]), "H");
    EXPECT_DOUBLE_EQ(r.atoms[4].y, -0.6291);
    EXPECT_DOUBLE_EQ(r.atoms[4].z, -0.6291);
  }
}

TEST(XyzFiles, JunkNeverCrashes) {
  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary.push_back(static_cast<char>((i * 131 + 7) % 256));
  const XyzResult junk = parseXyzLines(splitLines(binary), 100);
  EXPECT_TRUE(junk.status == XyzResult::BadLabelForm || junk.status == XyzResult::NoAtoms);

  const std::string huge(1 << 20, 'C');
  EXPECT_EQ(parseAtoms({huge}).status, XyzResult::NoAtoms);
  EXPECT_EQ(parseAtoms({"C " + std::string(1 << 20, '9') + " 0 0"}).status, XyzResult::NoAtoms);
  const XyzResult longTail = parseAtoms({"C 1 2 3 " + std::string(1 << 20, 'C')});
  ASSERT_EQ(longTail.atoms.size(), 1u);
  EXPECT_DOUBLE_EQ(longTail.atoms[0].z, 3.0);

  const std::string withNul("C\0 1 2 3", 8);
  EXPECT_EQ(parseAtoms({"H x", withNul}).status, XyzResult::NoAtoms);
}
