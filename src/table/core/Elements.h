#pragma once
// The chemical elements Orbala knows (symbol, atomic number, Slater radius, two colour schemes),
// the rule that turns a "Label" cell into an element, and the scan behind the colour and size
// commands with its "unknown element" report. Display-free: the table glue feeds rows in and
// writes the results back into cells.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table/core/Rgb.h"

namespace orbala {

struct ElementRecord {
  std::string symbol; // as written, e.g. "Cl"
  int atomicNumber;   // 0 for the noble gases and At, which the table leaves unnumbered
  double radius;      // used directly as the relative size
  Rgb jmolColor;
  Rgb pubchemColor;
};

// The 94 elements in display order (periods, then La..Yb and Ac..Am after Ra). Built once.
const std::vector<ElementRecord>& elementTable();

enum class ColorScheme { PubChem = 0, Jmol = 1, None = 2 };

// The colour of `element` in `scheme`; nullopt for ColorScheme::None.
std::optional<Rgb> schemeColor(const ElementRecord& element, ColorScheme scheme);

// Index into elementTable() of the first element whose upper-cased symbol equals `label` with
// surrounding white space removed and upper-cased; -1 when none. "c", " C " match carbon;
// "C1", "Carbon" match nothing.
int matchElementLabel(std::string_view label);

// Index of the first element with atomic number `n`; -1 when none or when n <= 0 (the
// unnumbered elements carry 0, which is not a real atomic number).
int matchAtomicNumber(int n);

// Outcome of walking the leading data rows of the table.
struct ElementScan {
  std::vector<std::pair<int, int>> matches; // (row, element index) for each matched row
  int examined = 0;                         // rows with coordinates that were looked at
  bool earlyEnd = false;                    // stopped at a row without coordinates
  std::vector<std::string> unmatched; // the first kListedUnknownLabels trimmed unmatched labels
  int unmatchedCount = 0;             // all of them
};

// A report box must fit the screen whatever the table holds: it names this many labels, each cut
// to kUnknownLabelWidth bytes, in lines of about kUnknownLineWidth, then how many more there are.
inline constexpr int kListedUnknownLabels = 20;
inline constexpr size_t kUnknownLabelWidth = 40;
inline constexpr size_t kUnknownLineWidth = 60;

// Walks rows 0, 1, ... below `rowCount` until `rowHasCoordinates` is false for one (early end).
// Each examined row's `label` is matched with matchElementLabel.
ElementScan scanElementRows(int rowCount, const std::function<bool(int)>& rowHasCoordinates,
                            const std::function<std::string(int)>& label);

// Title of the box that shows unmatchedReport's text (a warning with an OK button).
inline constexpr const char* kUnknownElementsTitle = "Unknown element(s)";

// The warning text for a finished scan, or nullopt when no warning is due: nothing unmatched,
// or an early end in a table where no examined label matched (that table holds no atoms).
std::optional<std::string> unmatchedReport(const ElementScan& scan);

} // namespace orbala
