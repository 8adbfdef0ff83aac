#include "io/core/XyzReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "table/core/Elements.h"
#include "table/core/Numbers.h"

namespace orbala {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void skipSpace(std::string_view s, size_t& pos) {
  while (pos < s.size() && isSpace(s[pos]))
    ++pos;
}

// One "%le" conversion: white space, optional sign, a decimal floating number. Values that are
// not finite (inf, nan, out of range) count as not converted: they would wreck the view.
bool scanDouble(std::string_view s, size_t& pos, double& value) {
  size_t i = pos;
  skipSpace(s, i);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size() || s[i] == '+' || s[i] == '-') return false;
  double v = 0.0;
  const auto res = decimalFromChars(s.data() + i, s.data() + s.size(), v);
  if (res.ec != std::errc() || !std::isfinite(v)) return false;
  value = negative ? -v : v;
  pos = static_cast<size_t>(res.ptr - s.data());
  return true;
}

// One "%d" conversion; only whether it converts matters, the value is the label's.
bool scanInt(std::string_view s, size_t& pos) {
  size_t i = pos;
  skipSpace(s, i);
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const size_t digits = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9')
    ++i;
  if (i == digits) return false;
  pos = i;
  return true;
}

// Scans "%le %le %le" or, with a leading number, "%d %le %le %le"; returns the count converted.
int scanAtomValues(std::string_view text, bool leadingNumber, double xyz[3]) {
  size_t pos = 0;
  int count = 0;
  if (leadingNumber) {
    if (!scanInt(text, pos)) return count;
    ++count;
  }
  for (int k = 0; k < 3; ++k) {
    if (!scanDouble(text, pos, xyz[k])) return count;
    ++count;
  }
  return count;
}

} // namespace

std::string xyzLineLabel(std::string_view line) {
  // Same as trimming the whole line first, without copying a possibly huge line.
  size_t start = 0;
  skipSpace(line, start);
  std::string head(line.substr(start, 2));
  for (char& c : head)
    if (c == '\t') c = ' ';
  return trim(head);
}

XyzLabelForm xyzLabelForm(std::string_view label) {
  bool letters = true;
  bool digits = !label.empty();
  for (char c : label) {
    letters = letters && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    digits = digits && c >= '0' && c <= '9';
  }
  if (letters) return XyzLabelForm::Symbol;
  if (digits) return XyzLabelForm::Number;
  return XyzLabelForm::Invalid;
}

namespace {

template <typename Line> XyzResult parseLines(const std::vector<Line>& lines, int tableRows) {
  XyzResult result;
  if (lines.size() < 3) {
    result.status = XyzResult::TooFewLines;
    return result;
  }
  const XyzLabelForm form = xyzLabelForm(xyzLineLabel(lines[2]));
  if (form == XyzLabelForm::Invalid) {
    result.status = XyzResult::BadLabelForm;
    return result;
  }
  const bool numbered = form == XyzLabelForm::Number;
  const auto& table = elementTable();
  // The symbols in capitals, made once: every line of a big file is matched against them.
  static const std::vector<std::string> upperSymbols = [&table] {
    std::vector<std::string> upper;
    for (const ElementRecord& element : table)
      upper.push_back(toUpperAscii(element.symbol));
    return upper;
  }();
  std::string text;
  // One atom per line at most, and never more rows than the table has.
  result.atoms.reserve(std::min(lines.size() - 2, static_cast<size_t>(std::max(tableRows, 0))));

  for (size_t i = 2; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string label = xyzLineLabel(line);
    const std::string upperLabel = toUpperAscii(label);
    const int number = numbered ? parseInt(label) : 0;

    for (size_t e = 0; e < table.size(); ++e) {
      const ElementRecord& element = table[e];
      const bool matches = numbered ? number > 0 && element.atomicNumber == number
                                    : !label.empty() && upperSymbols[e] == upperLabel;
      if (!matches) continue;
      // Only the symbol as the table spells it is cut out: files rely on "Cl" lines, and a
      // "CL" line keeps its label, converts nothing and is skipped like any unreadable line.
      replaceAllInto(text, line, element.symbol, " ");
      double xyz[3] = {0.0, 0.0, 0.0};
      if (scanAtomValues(text, numbered, xyz) == (numbered ? 4 : 3)) {
        if (result.rowsFilled < tableRows) {
          result.atoms.push_back({static_cast<int>(e), xyz[0], xyz[1], xyz[2]});
          ++result.rowsFilled;
        } else {
          result.overflow = true;
        }
        break;
      }
      if (result.overflow) break;
    }
  }
  if (result.rowsFilled == 0) result.status = XyzResult::NoAtoms;
  return result;
}

} // namespace

XyzResult parseXyzLines(const std::vector<std::string>& lines, int tableRows) {
  return parseLines(lines, tableRows);
}

XyzResult parseXyzLineViews(const std::vector<std::string_view>& lines, int tableRows) {
  return parseLines(lines, tableRows);
}

} // namespace orbala
