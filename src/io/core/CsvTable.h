#pragma once
// Point tables as spreadsheets, loggers and scripts write them: CSV and TSV, read into table rows
// and written back with a header so that every value survives a round trip.
// Display-free: the caller splits the file into lines and writes the rows into the table.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

// One table row: the texts of "Label" to "Relative\nsize" (columns 0 to 7), and the two marks.
struct CsvRow {
  std::array<std::string, 8> cells;
  bool show = true;
  bool opaque = true;
};

struct CsvResult {
  std::vector<CsvRow> rows;                // at most the table's rows, in file order
  int readableRows = 0;                    // all readable rows, those beyond the table too
  bool overflow = false;                   // readableRows > the table's rows
  int skippedRows = 0;                     // rows whose coordinates or numbers could not be read
  std::vector<std::string> unknownColumns; // header names that match no table column
  char delimiter = ',';                    // ',', ';', '\t', or ' ' for runs of blanks
};

// The delimiter of a table, found from its first lines: the one of TAB, ";" and "," that occurs
// (outside quotes) in the most lines, TAB first on a tie; ' ' (runs of blanks) when none does.
char detectCsvDelimiter(const std::vector<std::string>& lines);

// Reads the lines of a CSV or TSV file (a UTF-8 mark is dropped; quoted fields may span lines).
// A first row naming at least one column (without regard to case: label, name, element, symbol,
// atom, x, y, z, r, red, g, green, b, blue, size, radius, relative size, show, opaque) is a
// header; otherwise columns go in table order, the label first when the first field is not a
// number. x, y and z must be numbers, R, G, B and size numbers or empty; a file delimited by
// anything but "," may use decimal commas. Empty rows are passed over.
CsvResult parseCsvLines(const std::vector<std::string>& lines, int tableRows);

// The "Data warning" text for columns left out and rows skipped; nullopt when there are none.
std::optional<std::string> csvWarning(const CsvResult& result);

// Writing: the header line, then one line per row (fields quoted where they must be, CRLF ends).
std::string csvHeaderLine();
void appendCsvRow(std::string& out, const std::array<std::string_view, 8>& cells, bool show,
                  bool opaque);

} // namespace orbala
