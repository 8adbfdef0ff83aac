#include "io/core/CsvTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "table/core/Numbers.h"

namespace orbala {

namespace {

// A stray quote must not swallow the rest of a file: a record may span this many lines at most.
constexpr size_t kMaxRecordLines = 100;
constexpr size_t kDelimiterSampleLines = 20;

enum Column { Label, X, Y, Z, Red, Green, Blue, Size, Show, Opaque, ColumnCount };

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

int columnFromName(std::string_view name) {
  const std::string n = toLowerAscii(trim(name));
  if (n == "label" || n == "name" || n == "element" || n == "symbol" || n == "atom") return Label;
  if (n == "x") return X;
  if (n == "y") return Y;
  if (n == "z") return Z;
  if (n == "r" || n == "red") return Red;
  if (n == "g" || n == "green") return Green;
  if (n == "b" || n == "blue") return Blue;
  // The table's own header reads "Relative size" on two lines.
  if (n == "size" || n == "radius" || n == "relative size" || n == "relative\nsize") return Size;
  if (n == "show") return Show;
  if (n == "opaque") return Opaque;
  return -1;
}

// Splits a record into fields a line at a time, so that a quoted field may go on in the next.
struct RecordSplitter {
  std::vector<std::string> fields;
  std::string field;
  bool inQuotes = false, wasQuoted = false;

  // Feeds the record's first line (continuing false) or the next one; true once it is whole.
  bool feed(std::string_view text, char delimiter, bool continuing) {
    size_t i = 0;
    if (continuing) {
      field += '\n';
    } else {
      fields.clear();
      field.clear();
      inQuotes = wasQuoted = false;
      if (delimiter == ' ')
        while (i < text.size() && isBlank(text[i]))
          ++i;
    }
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (inQuotes) {
        if (c != '"') {
          field += c;
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          inQuotes = false;
        }
      } else if (c == '"' && !wasQuoted && trim(field).empty()) {
        inQuotes = wasQuoted = true;
        field.clear();
      } else if (c == delimiter || (delimiter == ' ' && isBlank(c))) {
        fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
        if (delimiter == ' ') {
          while (i + 1 < text.size() && isBlank(text[i + 1]))
            ++i;
          if (i + 1 == text.size()) return true; // blanks at the end start no field
        }
      } else if (!wasQuoted || !isBlank(c)) {
        field += c;
      }
    }
    if (inQuotes) return false;
    fields.push_back(std::move(field));
    field.clear();
    return true;
  }
};

// Whether a delimiter stands outside quotes on the line; the quote state carries over lines.
bool hasOutsideQuotes(std::string_view line, char delimiter, bool& inQuotes) {
  bool found = false;
  for (char c : line) {
    if (c == '"') inQuotes = !inQuotes;
    if (!inQuotes && c == delimiter) found = true;
  }
  return found;
}

// A number as the table will hold it: trimmed, decimal comma as dot where allowed.
bool readNumber(std::string_view field, bool decimalComma, std::string& text) {
  text = trim(field);
  if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  if (first != last && *first == '+') return false;
  double value = 0;
  const auto res = decimalFromChars(first, last, value);
  return res.ec == std::errc() && res.ptr == last && std::isfinite(value);
}

bool readMark(std::string_view field) {
  const std::string v = toLowerAscii(trim(field));
  return !(v == "0" || v == "no" || v == "n" || v == "false" || v == "hide" || v == "off" ||
           v == "hidden" || v == "transparent");
}

// Fills `row` from the fields; false when a number cannot be read.
bool fillRow(const std::vector<std::string>& fields, const std::vector<int>& columns,
             bool decimalComma, CsvRow& row) {
  std::array<bool, ColumnCount> given{};
  for (size_t f = 0; f < fields.size() && f < columns.size(); ++f) {
    const int c = columns[f];
    if (c < 0 || given[static_cast<size_t>(c)]) continue;
    given[static_cast<size_t>(c)] = true;
    if (c == Show || c == Opaque) {
      (c == Show ? row.show : row.opaque) = readMark(fields[f]);
    } else if (c == Label) {
      row.cells[Label] = trim(fields[f]);
    } else if (!trim(fields[f]).empty() || c <= Z) {
      if (!readNumber(fields[f], decimalComma, row.cells[static_cast<size_t>(c)])) return false;
    }
  }
  if (!given[X] || !given[Y] || !given[Z]) return false;
  if (row.cells[Size].empty()) row.cells[Size] = "1.0";
  return true;
}

bool allEmpty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& f) { return trim(f).empty(); });
}

void appendField(std::string& out, std::string_view text) {
  // Quoted too: anything another delimiter could be taken from.
  const bool quote = text.find_first_of(",;\t\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (isBlank(text.front()) || isBlank(text.back())));
  if (!quote) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

} // namespace

char detectCsvDelimiter(const std::vector<std::string>& lines) {
  const char candidates[] = {'\t', ';', ','};
  size_t best = 0;
  char chosen = ' ';
  for (char d : candidates) {
    size_t linesWith = 0, sampled = 0;
    bool inQuotes = false;
    for (size_t i = 0; i < lines.size() && sampled < kDelimiterSampleLines; ++i) {
      if (trim(lines[i]).empty()) continue;
      ++sampled;
      if (hasOutsideQuotes(lines[i], d, inQuotes)) ++linesWith;
    }
    if (linesWith > best) {
      best = linesWith;
      chosen = d;
    }
  }
  return chosen;
}

CsvResult parseCsvLines(const std::vector<std::string>& lines, int tableRows) {
  CsvResult result;
  result.delimiter = detectCsvDelimiter(lines);
  const char delimiter = result.delimiter;
  const bool decimalComma = delimiter != ',';
  std::vector<int> columns;
  bool columnsKnown = false;
  RecordSplitter splitter;
  const std::vector<std::string>& fields = splitter.fields;

  for (size_t start = 0; start < lines.size();) {
    // A record is one line, or several while a quoted field is open.
    std::string_view first = lines[start];
    if (start == 0 && first.substr(0, 3) == "\xEF\xBB\xBF") first.remove_prefix(3);
    size_t used = 1;
    bool closed = splitter.feed(first, delimiter, false);
    for (; !closed && used < kMaxRecordLines && start + used < lines.size(); ++used)
      closed = splitter.feed(lines[start + used], delimiter, true);
    if (!closed) {
      ++result.skippedRows;
      ++start;
      continue;
    }
    start += used;
    if (allEmpty(fields)) continue;

    if (!columnsKnown) {
      columnsKnown = true;
      for (const std::string& f : fields)
        columns.push_back(columnFromName(f));
      if (std::any_of(columns.begin(), columns.end(), [](int c) { return c >= 0; })) {
        for (size_t f = 0; f < fields.size(); ++f) {
          const bool repeated = std::find(columns.begin(), columns.begin() + static_cast<long>(f),
                                          columns[f]) != columns.begin() + static_cast<long>(f);
          if (columns[f] < 0 || repeated) {
            const std::string name = trim(fields[f]);
            result.unknownColumns.push_back(name.empty() ? "column " + std::to_string(f + 1)
                                                         : name);
            columns[f] = -1;
          }
        }
        continue;
      }
      // No header: table order, with the label first when the first field is not a number.
      std::string ignored;
      const int firstColumn = readNumber(fields[0], decimalComma, ignored) ? X : Label;
      columns.clear();
      for (int c = firstColumn; c < ColumnCount; ++c)
        columns.push_back(c);
    }
    CsvRow row;
    if (!fillRow(fields, columns, decimalComma, row)) {
      ++result.skippedRows;
      continue;
    }
    ++result.readableRows;
    if (static_cast<int>(result.rows.size()) < tableRows)
      result.rows.push_back(std::move(row));
    else
      result.overflow = true;
  }
  return result;
}

std::optional<std::string> csvWarning(const CsvResult& result) {
  std::string text;
  if (!result.unknownColumns.empty()) {
    text = "These columns are not table columns and were left out: ";
    for (size_t i = 0; i < result.unknownColumns.size(); ++i)
      text += (i ? ", " : "") + result.unknownColumns[i];
    text += ".";
  }
  if (result.skippedRows > 0) {
    if (!text.empty()) text += "\n\n";
    text += result.skippedRows == 1
                ? std::string("1 row could not be read and was skipped.")
                : std::to_string(result.skippedRows) + " rows could not be read and were skipped.";
  }
  if (text.empty()) return std::nullopt;
  return text;
}

std::string csvHeaderLine() {
  return "Label,x,y,z,R,G,B,Size,Show,Opaque\r\n";
}

void appendCsvRow(std::string& out, const std::array<std::string_view, 8>& cells, bool show,
                  bool opaque) {
  for (const std::string_view& cell : cells) {
    appendField(out, cell);
    out += ',';
  }
  out += show ? "1," : "0,";
  out += opaque ? "1\r\n" : "0\r\n";
}

} // namespace orbala
