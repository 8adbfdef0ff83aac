#include "table/core/Elements.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace orbala;

namespace {

// Scans a table whose first `labels.size()` rows have coordinates, out of `rowCount` rows.
ElementScan scanLabels(const std::vector<std::string>& labels, int rowCount) {
  return scanElementRows(
      rowCount, [&](int row) { return row < static_cast<int>(labels.size()); },
      [&](int row) { return labels.at(static_cast<size_t>(row)); });
}

const char* kReportHead = "The following elements could not be mtched:\n";

} // namespace

TEST(ElementTable, HoldsNinetyFourDistinctElements) {
  const auto& table = elementTable();
  ASSERT_EQ(table.size(), 94u);
  std::set<std::string> symbols;
  std::set<int> numbers;
  std::vector<std::string> unnumbered;
  for (const auto& e : table) {
    EXPECT_TRUE(symbols.insert(e.symbol).second) << e.symbol;
    ASSERT_GE(e.symbol.size(), 1u);
    ASSERT_LE(e.symbol.size(), 2u);
    EXPECT_TRUE(e.symbol[0] >= 'A' && e.symbol[0] <= 'Z') << e.symbol;
    if (e.symbol.size() == 2) {
      EXPECT_TRUE(e.symbol[1] >= 'a' && e.symbol[1] <= 'z') << e.symbol;
    }
    EXPECT_GT(e.radius, 0.0) << e.symbol;
    if (e.atomicNumber == 0) {
      unnumbered.push_back(e.symbol);
    } else {
      EXPECT_TRUE(numbers.insert(e.atomicNumber).second) << e.symbol;
    }
    for (const Rgb& c : {e.jmolColor, e.pubchemColor}) {
      EXPECT_TRUE(c.r >= 0 && c.r <= 255 && c.g >= 0 && c.g <= 255 && c.b >= 0 && c.b <= 255);
    }
  }
  EXPECT_EQ(unnumbered, (std::vector<std::string>{"He", "Ne", "Ar", "Kr", "Xe", "At", "Rn"}));
  EXPECT_EQ(numbers.size(), 87u);
  // Lanthanides and actinides follow radium; americium closes the table.
  EXPECT_EQ(table[72].symbol, "Ra");
  EXPECT_EQ(table[73].symbol, "La");
  EXPECT_EQ(table.back().symbol, "Am");
  EXPECT_EQ(&elementTable(), &table);
}

TEST(ElementTable, SpotValues) {
  const auto& t = elementTable();
  const ElementRecord& h = t[0];
  EXPECT_EQ(h.symbol, "H");
  EXPECT_EQ(h.atomicNumber, 1);
  EXPECT_DOUBLE_EQ(h.radius, 0.25);
  EXPECT_EQ(h.jmolColor, (Rgb{0xF6, 0xF6, 0xF6}));
  EXPECT_EQ(h.pubchemColor, (Rgb{0x68, 0x8C, 0x8C}));

  const ElementRecord& c = t[5];
  EXPECT_EQ(c.symbol, "C");
  EXPECT_EQ(c.atomicNumber, 6);
  EXPECT_DOUBLE_EQ(c.radius, 0.70);
  EXPECT_EQ(c.jmolColor, (Rgb{0x66, 0x66, 0x66}));
  EXPECT_EQ(c.pubchemColor, (Rgb{0x2C, 0x4A, 0x4A}));

  const ElementRecord& o = t[7];
  EXPECT_EQ(o.symbol, "O");
  EXPECT_EQ(o.atomicNumber, 8);
  EXPECT_DOUBLE_EQ(o.radius, 0.60);
  EXPECT_EQ(o.jmolColor, (Rgb{244, 0, 0}));
  EXPECT_EQ(o.pubchemColor, (Rgb{244, 0, 0}));

  const ElementRecord& cl = t[16];
  EXPECT_EQ(cl.symbol, "Cl");
  EXPECT_EQ(cl.atomicNumber, 17);
  EXPECT_DOUBLE_EQ(cl.radius, 1.00);
  EXPECT_EQ(cl.jmolColor, (Rgb{0x50, 0xF0, 0x00}));

  const ElementRecord& fe = t[25];
  EXPECT_EQ(fe.symbol, "Fe");
  EXPECT_EQ(fe.atomicNumber, 26);
  EXPECT_DOUBLE_EQ(fe.radius, 1.40);
  EXPECT_EQ(fe.pubchemColor, (Rgb{0xF8, 0xA8, 0x00}));
}

TEST(ElementTable, SchemeColor) {
  const ElementRecord& c = elementTable()[5];
  EXPECT_EQ(schemeColor(c, ColorScheme::Jmol), c.jmolColor);
  EXPECT_EQ(schemeColor(c, ColorScheme::PubChem), c.pubchemColor);
  EXPECT_FALSE(schemeColor(c, ColorScheme::None).has_value());
  EXPECT_EQ(static_cast<int>(ColorScheme::PubChem), 0);
  EXPECT_EQ(static_cast<int>(ColorScheme::Jmol), 1);
  EXPECT_EQ(static_cast<int>(ColorScheme::None), 2);
}

TEST(ElementMatch, LabelIgnoresCaseAndSurroundingBlanks) {
  for (const char* label : {"o", "O", "O ", " o\t", "\tO\r"})
    EXPECT_EQ(matchElementLabel(label), 7) << '"' << label << '"';
  EXPECT_EQ(matchElementLabel("cl"), 16);
  EXPECT_EQ(matchElementLabel("CL"), 16);
  EXPECT_EQ(matchElementLabel("Cl"), 16);
  EXPECT_EQ(matchElementLabel("c"), 5);
  EXPECT_EQ(matchElementLabel("am"), 93);
}

TEST(ElementMatch, LabelsWithAnythingElseDoNotMatch) {
  for (const char* label : {"O1", "C1", "C-2", "Carbon", "", "   ", "Xx", "C l", "6", "Fr"})
    EXPECT_EQ(matchElementLabel(label), -1) << '"' << label << '"';
}

TEST(ElementMatch, AtomicNumber) {
  EXPECT_EQ(matchAtomicNumber(1), 0);
  EXPECT_EQ(matchAtomicNumber(6), 5);
  EXPECT_EQ(matchAtomicNumber(11), 10);
  EXPECT_EQ(matchAtomicNumber(57), 73);
  EXPECT_EQ(matchAtomicNumber(95), 93);
  // He, Fr and everything past americium are not numbered here; 0 is no atomic number.
  for (int n : {2, 87, 96, 118, 0, -6})
    EXPECT_EQ(matchAtomicNumber(n), -1) << n;
}

TEST(ElementScan, EarlyEndWithAnUnknownLabelIsReported) {
  const ElementScan scan = scanLabels({"C", "Xx", "H"}, 100);
  EXPECT_EQ(scan.matches, (std::vector<std::pair<int, int>>{{0, 5}, {2, 0}}));
  EXPECT_EQ(scan.examined, 3);
  EXPECT_TRUE(scan.earlyEnd);
  EXPECT_EQ(scan.unmatched, "Xx ");
  EXPECT_EQ(unmatchedReport(scan), std::string(kReportHead) + "Xx");
}

TEST(ElementScan, EarlyEndWithoutAnyElementIsQuiet) {
  const ElementScan scan = scanLabels({"A", "B1"}, 100);
  EXPECT_TRUE(scan.matches.empty());
  EXPECT_EQ(scan.examined, 2);
  EXPECT_TRUE(scan.earlyEnd);
  EXPECT_EQ(scan.unmatched, "A B1 ");
  EXPECT_FALSE(unmatchedReport(scan).has_value());
}

TEST(ElementScan, FullTableReportsEveryUnknownLabel) {
  const ElementScan scan = scanLabels({" A ", "B1", "\tZz"}, 3);
  EXPECT_FALSE(scan.earlyEnd);
  EXPECT_EQ(scan.examined, 3);
  EXPECT_EQ(scan.unmatched, "A B1 Zz ");
  EXPECT_EQ(unmatchedReport(scan), std::string(kReportHead) + "A, B1, Zz");
}

TEST(ElementScan, NothingUnmatchedMeansNoReport) {
  EXPECT_FALSE(unmatchedReport(scanLabels({"o", "O", "O "}, 3)).has_value());
  EXPECT_FALSE(unmatchedReport(scanLabels({"Fe", "fe"}, 10)).has_value());
  const ElementScan empty = scanLabels({}, 10);
  EXPECT_EQ(empty.examined, 0);
  EXPECT_TRUE(empty.earlyEnd);
  EXPECT_FALSE(unmatchedReport(empty).has_value());
  const ElementScan noRows = scanLabels({}, 0);
  EXPECT_FALSE(noRows.earlyEnd);
  EXPECT_FALSE(unmatchedReport(noRows).has_value());
}

TEST(ElementScan, LabelWithInnerBlankStillReportedAfterAMatch) {
  // Two blanks in the list for two examined rows, yet carbon matched: the warning is due.
  const ElementScan scan = scanLabels({"C", "X y"}, 50);
  EXPECT_EQ(scan.unmatched, "X y ");
  EXPECT_EQ(unmatchedReport(scan), std::string(kReportHead) + "X, y");
}

TEST(ElementScan, StopsAtFirstRowWithoutCoordinates) {
  std::vector<int> asked;
  const ElementScan scan = scanElementRows(
      10, [](int row) { return row != 2; },
      [&](int row) {
        asked.push_back(row);
        return std::string("O1");
      });
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  EXPECT_EQ(scan.examined, 2);
  EXPECT_TRUE(scan.earlyEnd);
}
