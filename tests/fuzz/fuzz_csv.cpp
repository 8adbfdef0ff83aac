// Feeds arbitrary bytes to the CSV reader, then writes what it read and reads that back: the
// reader must never crash, and a written table must read back the same.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/core/CsvTable.h"
#include "io/core/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const orbala::CsvResult result = orbala::parseCsvLines(orbala::splitTextLines(text), 50);
  if (result.rows.size() > 50 || static_cast<int>(result.rows.size()) > result.readableRows)
    __builtin_trap();
  if (result.overflow != (result.readableRows > 50)) __builtin_trap();

  std::string written = orbala::csvHeaderLine();
  for (const orbala::CsvRow& row : result.rows) {
    std::array<std::string_view, 8> cells;
    for (size_t c = 0; c < 8; ++c)
      cells[c] = row.cells[c];
    orbala::appendCsvRow(written, cells, row.show, row.opaque);
  }
  const orbala::CsvResult again = orbala::parseCsvLines(orbala::splitTextLines(written), 50);
  if (again.rows.size() != result.rows.size() || again.skippedRows != 0) __builtin_trap();
  for (size_t r = 0; r < again.rows.size(); ++r)
    if (again.rows[r].cells != result.rows[r].cells || again.rows[r].show != result.rows[r].show ||
        again.rows[r].opaque != result.rows[r].opaque)
      __builtin_trap();
  return 0;
}
