#include "table/core/Elements.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace orbala;

namespace {

// Scans a table whose first `labels.size()` rows have coordinates, out of `rowCount` rows.
ElementScan scanLabels(const std::vector<std::string>& labels, int rowCount) {
  return scanElementRows(
      rowCount, [&](int row) { return row < static_cast<int>(labels.size()); },
      [&](int row) { return labels.at(static_cast<size_t>(row)); });
}

const std::string kReportHead = "The following elements could not be mtched:\n";

} // namespace

TEST(ElementTable, HoldsNinetyFourDistinctElements) {
  const auto& table = elementTable();
  ASSERT_EQ(table.size(), 94u);
  EXPECT_EQ(&elementTable(), &table);
  std::set<std::string> symbols;
  std::set<int> numbers;
  std::vector<std::string> unnumbered;
  const auto inRange = [](int v) { return v >= 0 && v <= 255; };
  for (const auto& e : table) {
    EXPECT_TRUE(symbols.insert(e.symbol).second) << e.symbol;
    ASSERT_TRUE(e.symbol.size() == 1 || e.symbol.size() == 2) << e.symbol;
    EXPECT_TRUE(std::isupper(e.symbol[0]) && (e.symbol.size() == 1 || std::islower(e.symbol[1])))
        << e.symbol;
    EXPECT_GT(e.radius, 0.0) << e.symbol;
    if (e.atomicNumber == 0)
      unnumbered.push_back(e.symbol);
    else
      EXPECT_TRUE(numbers.insert(e.atomicNumber).second) << e.symbol;
    for (const Rgb& c : {e.jmolColor, e.pubchemColor})
      EXPECT_TRUE(inRange(c.r) && inRange(c.g) && inRange(c.b)) << e.symbol;
  }
  EXPECT_EQ(unnumbered, (std::vector<std::string>{"He", "Ne", "Ar", "Kr", "Xe", "At", "Rn"}));
  EXPECT_EQ(numbers.size(), 87u);
  // Lanthanides and actinides follow radium; americium closes the table.
  EXPECT_EQ(table[72].symbol + table[73].symbol + table.back().symbol, "RaLaAm");
}

TEST(ElementTable, SchemesAndTheirStoredNumbers) {
  const auto& t = elementTable();
  EXPECT_EQ(schemeColor(t[5], ColorScheme::Jmol), t[5].jmolColor);
  EXPECT_EQ(schemeColor(t[5], ColorScheme::PubChem), t[5].pubchemColor);
  EXPECT_FALSE(schemeColor(t[5], ColorScheme::None).has_value());
  // The window stores the scheme as this number.
  EXPECT_EQ(std::make_tuple(static_cast<int>(ColorScheme::PubChem),
                            static_cast<int>(ColorScheme::Jmol),
                            static_cast<int>(ColorScheme::None)),
            std::make_tuple(0, 1, 2));
}

TEST(ElementMatch, LabelIgnoresCaseAndSurroundingBlanksButNothingElse) {
  for (const char* label : {"o", "O", "O ", " o\t", "\tO\r"})
    EXPECT_EQ(matchElementLabel(label), 7) << '"' << label << '"';
  for (const char* label : {"cl", "CL", "Cl"})
    EXPECT_EQ(matchElementLabel(label), 16) << label;
  EXPECT_EQ(matchElementLabel("c"), 5);
  EXPECT_EQ(matchElementLabel("am"), 93);
  for (const char* label : {"O1", "C1", "C-2", "Carbon", "", "   ", "Xx", "C l", "6", "Fr"})
    EXPECT_EQ(matchElementLabel(label), -1) << '"' << label << '"';
}

TEST(ElementMatch, AtomicNumber) {
  for (const auto& [n, index] :
       std::vector<std::pair<int, int>>{{1, 0}, {6, 5}, {11, 10}, {57, 73}, {95, 93}})
    EXPECT_EQ(matchAtomicNumber(n), index) << n;
  // He, Fr and everything past americium are not numbered here; 0 is no atomic number.
  for (int n : {2, 87, 96, 118, 0, -6})
    EXPECT_EQ(matchAtomicNumber(n), -1) << n;
}

TEST(ElementScan, ReportsUnknownLabelsUnlessAnEarlyEndMatchedNothing) {
  struct Case {
    std::vector<std::string> labels;
    int rows;
    int examined;
    bool earlyEnd;
    std::string unmatched;
    std::optional<std::string> report;
  };
  for (const Case& c : std::vector<Case>{
           {{"C", "Xx", "H"}, 100, 3, true, "Xx ", "Xx"},
           {{"A", "B1"}, 100, 2, true, "A B1 ", std::nullopt},
           {{" A ", "B1", "\tZz"}, 3, 3, false, "A B1 Zz ", "A, B1, Zz"}, // scan reached the end
           {{"C", "X y"}, 50, 2, true, "X y ", "X, y"}, // two blanks for two rows, yet C matched
           {{"o", "O", "O "}, 3, 3, false, "", std::nullopt},
           {{"Fe", "fe"}, 10, 2, true, "", std::nullopt},
           {{}, 10, 0, true, "", std::nullopt},
           {{}, 0, 0, false, "", std::nullopt}}) {
    const ElementScan scan = scanLabels(c.labels, c.rows);
    EXPECT_EQ(std::tie(scan.examined, scan.earlyEnd, scan.unmatched),
              std::tie(c.examined, c.earlyEnd, c.unmatched));
    EXPECT_EQ(unmatchedReport(scan), c.report ? std::optional(kReportHead + *c.report) : c.report);
  }
  EXPECT_EQ(scanLabels({"C", "Xx", "H"}, 100).matches,
            (std::vector<std::pair<int, int>>{{0, 5}, {2, 0}}));
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
