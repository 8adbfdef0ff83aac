#include "table/core/Elements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace orbala;

namespace {

using Strings = std::vector<std::string>;

// Scans a table whose first `labels.size()` rows have coordinates, out of `rowCount` rows.
ElementScan scanLabels(const std::vector<std::string>& labels, int rowCount) {
  return scanElementRows(
      rowCount, [&](int row) { return row < static_cast<int>(labels.size()); },
      [&](int row) { return labels.at(static_cast<size_t>(row)); });
}

const std::string kReportHead = "The following elements could not be mtched:\n";

// The periodic table up to americium, by atomic number.
const char* const kPeriodic[] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",  "S",
    "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge",
    "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd",
    "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd",
    "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg",
    "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu", "Am"};

} // namespace

TEST(ElementTable, SymbolsNumbersAndRadiiAgreeWithChemistry) {
  const auto& table = elementTable();
  // Every element up to americium but francium; the noble gases and At carry no number.
  ASSERT_EQ(table.size(), 94u);
  std::vector<std::string> unnumbered;
  for (int z = 1; z <= 95; ++z) {
    const auto it = std::find_if(table.begin(), table.end(), [&](const ElementRecord& e) {
      return e.symbol == kPeriodic[z - 1];
    });
    ASSERT_EQ(it == table.end(), z == 87) << kPeriodic[z - 1];
    if (it == table.end()) continue;
    if (it->atomicNumber == 0) unnumbered.push_back(it->symbol);
    EXPECT_TRUE(it->atomicNumber == z || it->atomicNumber == 0) << it->symbol;
    EXPECT_GT(it->radius, 0.0) << it->symbol;
  }
  EXPECT_EQ(unnumbered, (std::vector<std::string>{"He", "Ne", "Ar", "Kr", "Xe", "At", "Rn"}));
  // Lanthanides and actinides follow radium.
  EXPECT_EQ(table[72].symbol + table[73].symbol + table.back().symbol, "RaLaAm");

  // Slater's radii (1964), in ångström, across the table.
  const std::pair<const char*, double> slater[] = {{"H", 0.25},  {"Li", 1.45}, {"Na", 1.80},
                                                   {"Cl", 1.00}, {"Fe", 1.40}, {"Cs", 2.60}};
  for (const auto& [symbol, radius] : slater) {
    const int i = matchElementLabel(symbol);
    ASSERT_GE(i, 0) << symbol;
    EXPECT_DOUBLE_EQ(table[static_cast<size_t>(i)].radius, radius) << symbol;
  }
  EXPECT_FALSE(schemeColor(table[5], ColorScheme::None).has_value());
}

TEST(ElementMatch, LabelsIgnoreCaseAndSurroundingBlanksNumbersNeedANumberedElement) {
  for (const auto& [label, symbol] : std::vector<std::pair<const char*, const char*>>{
           {"o", "O"}, {" O\t", "O"}, {"\tO\r", "O"}, {"cl", "Cl"}, {"CL", "Cl"}, {"am", "Am"}})
    EXPECT_EQ(elementTable().at(static_cast<size_t>(matchElementLabel(label))).symbol, symbol)
        << label;
  for (const char* label : {"O1", "C-2", "Carbon", "", "   ", "Xx", "C l", "6", "Fr"})
    EXPECT_EQ(matchElementLabel(label), -1) << '"' << label << '"';
  for (const auto& [n, index] :
       std::vector<std::pair<int, int>>{{1, 0}, {6, 5}, {11, 10}, {57, 73}, {95, 93}})
    EXPECT_EQ(matchAtomicNumber(n), index) << n;
  // He, Fr and everything past americium are not numbered here; 0 is no atomic number.
  for (int n : {2, 87, 96, 0, -6})
    EXPECT_EQ(matchAtomicNumber(n), -1) << n;
}

TEST(ElementScan, ReportsUnknownLabelsUnlessAnEarlyEndMatchedNothing) {
  using Case = std::tuple<Strings, int, int, bool, Strings, std::optional<std::string>>;
  for (const auto& [labels, rows, examined, earlyEnd, unmatched, report] : std::vector<Case>{
           {{"C", "Xx", "H"}, 100, 3, true, {"Xx"}, "Xx"},
           {{"A", "B1"}, 100, 2, true, {"A", "B1"}, std::nullopt},
           {{" A ", "B1", "\tZz"}, 3, 3, false, {"A", "B1", "Zz"}, "A, B1, Zz"}, // reached the end
           {{"C", "X y"}, 50, 2, true, {"X y"}, "X y"}, // a label with a blank is one label
           {{"o", "O", "O "}, 3, 3, false, {}, std::nullopt},
           {{}, 10, 0, true, {}, std::nullopt},
           {{}, 0, 0, false, {}, std::nullopt}}) {
    const ElementScan scan = scanLabels(labels, rows);
    EXPECT_EQ(std::tie(scan.examined, scan.earlyEnd, scan.unmatched),
              std::tie(examined, earlyEnd, unmatched));
    EXPECT_EQ(unmatchedReport(scan), report ? std::optional(kReportHead + *report) : report);
  }
  EXPECT_EQ(scanLabels({"C", "Xx", "H"}, 100).matches,
            (std::vector<std::pair<int, int>>{{0, 5}, {2, 0}}));
  // Rows past the first without coordinates are not even asked for their label.
  std::vector<int> asked;
  scanElementRows(
      10, [](int row) { return row != 2; },
      [&](int row) {
        asked.push_back(row);
        return std::string("O1");
      });
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
}
