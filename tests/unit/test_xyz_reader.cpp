#include "io/core/XyzReader.h"
#include "io/TextFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <tuple>
#include <vector>

#include "table/core/Elements.h"

using namespace orbala;
using namespace std::string_view_literals;

namespace {

using Strings = std::vector<std::string>;

Strings readDataFile(const std::string& name) {
  Strings lines;
  EXPECT_TRUE(readTextLines(std::string(ORBALA_TEST_DATA) + "/" + name, lines)) << name;
  return lines;
}

// Each atom as "symbol x y z", each number in the shortest text that reads back as exactly it.
Strings atoms(const XyzResult& r) {
  Strings out;
  for (const XyzAtom& a : r.atoms) {
    std::string text = elementTable().at(static_cast<size_t>(a.element)).symbol;
    for (double v : {a.x, a.y, a.z}) {
      char buf[32];
      text += ' ' + std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    out.push_back(text);
  }
  return out;
}

// Atom lines under a count and a comment line.
XyzResult parseAtoms(Strings atomLines, int tableRows = 100) {
  atomLines.insert(atomLines.begin(), {"n", "comment"});
  return parseXyzLines(atomLines, tableRows);
}

} // namespace

TEST(XyzLabel, CutAndForm) {
  const auto cut = [](std::string_view line) { return xyzLineLabel(line); };
  EXPECT_EQ(cut("Cl 0 0 0") + "|" + cut("  C\t1 2 3") + "|" + cut("\tO\t1"), "Cl|C|O");
  EXPECT_EQ(cut("118 1 2 3") + "|" + cut("6") + "|" + cut("Carbon"), "11|6|Ca");
  EXPECT_EQ(cut("") + "|" + cut(" \t \r"), "|");
  for (const char* label : {"", "C", "cL"})
    EXPECT_EQ(xyzLabelForm(label), XyzLabelForm::Symbol) << label;
  for (const char* label : {"6", "11"})
    EXPECT_EQ(xyzLabelForm(label), XyzLabelForm::Number) << label;
  for (std::string_view label : {"C1"sv, "-1"sv, "#"sv, "1."sv, "\xC3\xA9"sv, "\0"sv})
    EXPECT_EQ(xyzLabelForm(label), XyzLabelForm::Invalid) << label;
}

TEST(XyzParse, SymbolAndNumberFormsAndRejectedFiles) {
  const XyzResult co = parseAtoms({"C 0 0 0", "O 1.2 0 0"});
  EXPECT_EQ(std::make_tuple(co.status, co.rowsFilled, co.overflow),
            std::make_tuple(XyzResult::Ok, 2, false));
  EXPECT_EQ(atoms(co), (Strings{"C 0 0 0", "O 1.2 0 0"}));
  // CL and cl match chlorine, but their label stays in the line, so nothing converts; a
  // two-letter symbol is not taken for its first letter.
  EXPECT_EQ(atoms(parseAtoms({"Cl 1 2 3", "CL 4 5 6", "cl 7 8 9", "Ca 1 0 0", "Co 2 0 0"})),
            (Strings{"Cl 1 2 3", "Ca 1 0 0", "Co 2 0 0"}));
  // An empty third line selects the symbol form; stray and trailing lines are skipped.
  EXPECT_EQ(atoms(parseAtoms({"", "O 1 2 3", "6 0 0 0", "Xx 1 1 1", "H 0 0", "H a b c", " "})),
            Strings{"O 1 2 3"});

  // Only two characters form the label: 118 reads as 11, sodium. He carries no atomic number,
  // 0 is none, and symbols are not read in a numbered file.
  EXPECT_EQ(atoms(parseAtoms({"6 0 0 0", "118 1 2 3", "8\t-1.5\t0\t2", "2 0 0 0", "0 1 2 3",
                              "C 0 0 0", "87 0 0 0", "1 5 5 5"})),
            (Strings{"C 0 0 0", "Na 1 2 3", "O -1.5 0 2", "H 5 5 5"}));
  EXPECT_EQ(parseAtoms({"2 0 0 0"}).status, XyzResult::NoAtoms);

  // Files refused as a whole.
  EXPECT_EQ(parseXyzLines({"1", "c"}, 100).status, XyzResult::TooFewLines);
  for (const char* third : {"C1 0 0 0", "-6 0 0 0", "# C 0 0 0", "1.5 2 3"})
    EXPECT_EQ(parseAtoms({third}).status, XyzResult::BadLabelForm) << third;
  EXPECT_TRUE(parseAtoms({"??", "C 0 0 0"}).atoms.empty());
  EXPECT_EQ(parseAtoms({"Xx 0 0 0", "Carbon 0 0 0", "O1 0 0 0"}).status, XyzResult::NoAtoms);
}

TEST(XyzParse, CoordinatesLikeScanfAndUnusableNumbersSkipTheLine) {
  EXPECT_EQ(atoms(parseAtoms(
                {"O -1.5e-1 +2 .5", "N 1-2 3", "S   1E2\t\t-0.0  7.  extra 4", "H 1.5.5 2"})),
            (Strings{"O -0.15 2 0.5", "N 1 -2 3", "S 100 -0 7", "H 1.5 0.5 2"}));
  // Comma decimals, doubled signs, non-finite and out-of-range values are not coordinates.
  const XyzResult r = parseAtoms({"C 1,5 0 0", "C --1 0 0", "C nan 0 0", "C 0 inf 0", "C 0 0 1e999",
                                  "C 1e-999 0 0", "C 0 0 -", "C 0 0 e5"});
  EXPECT_EQ(r.status, XyzResult::NoAtoms);
  EXPECT_FALSE(r.overflow);
}

TEST(XyzParse, MoreAtomsThanRowsFillsTheTableAndFlagsOverflow) {
  Strings lines;
  for (int i = 0; i < 150; ++i)
    lines.push_back("C " + std::to_string(i) + " 0 0");
  const XyzResult r = parseAtoms(lines, 100);
  EXPECT_EQ(std::make_tuple(r.status, r.rowsFilled, r.overflow, r.atoms.size()),
            std::make_tuple(XyzResult::Ok, 100, true, size_t(100)));
  EXPECT_DOUBLE_EQ(r.atoms.back().x, 99.0);
  // Exactly full is no overflow, nor is an unknown atom after a full table.
  const XyzResult exact = parseAtoms({"C 0 0 0", "C 1 0 0", "Xx 0 0 0"}, 2);
  EXPECT_EQ(std::make_tuple(exact.rowsFilled, exact.overflow), std::make_tuple(2, false));
  const XyzResult none = parseAtoms({"C 0 0 0"}, 0);
  EXPECT_EQ(std::make_tuple(none.status, none.overflow), std::make_tuple(XyzResult::NoAtoms, true));
}

TEST(XyzFiles, SpacedTabbedWindowsAndHugeLines) {
  // Spaced columns; a blank comment with tabs and extra columns; CR LF.
  EXPECT_EQ(atoms(parseXyzLines(readDataFile("co.xyz"), 100)), (Strings{"C 0 0 0", "O 0 0 1.128"}));
  const Strings methane = atoms(parseXyzLines(readDataFile("methane_crlf.xyz"), 100));
  ASSERT_EQ(methane.size(), 5u);
  EXPECT_EQ(methane.front(), "C 0 0 0");
  EXPECT_EQ(methane.back(), "H 0.6291 -0.6291 -0.6291");

  // Binary junk is the fuzzer's part.
  EXPECT_EQ(parseAtoms({std::string(1 << 20, 'C')}).status, XyzResult::NoAtoms);
  EXPECT_EQ(parseAtoms({"C " + std::string(1 << 20, '9') + " 0 0"}).status, XyzResult::NoAtoms);
  EXPECT_EQ(atoms(parseAtoms({"C 1 2 3 " + std::string(1 << 20, 'C')})), Strings{"C 1 2 3"});
  EXPECT_EQ(parseAtoms({"H x", std::string("C\0 1 2 3", 8)}).status, XyzResult::NoAtoms);
}
