// Files of other programs on the window: CSV point tables into table rows, molecules of the
// chemistry formats into atoms (directly or through Open Babel), and CSV writing for Save as.
#include "app/Orbala.h"
#include "app/Text.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/BusyProgress.h"
#include "io/TextFile.h"
#include "io/core/AtomFrames.h"
#include "io/core/ConvertedXyz.h"
#include "io/core/CsvTable.h"
#include "io/core/ImportKind.h"
#include "io/core/SdfReader.h"
#include "io/core/StructureReader.h"
#include "io/core/XyzReader.h"
#include "platform/AtomicFile.h"
#include "platform/Converter.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"

namespace {

// Long enough for a big file, short enough that a stuck converter does not hold the window.
constexpr int kConverterTimeoutMs = 60000;

std::string joinLines(std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines)
    size += line.size() + 1;
  std::string text;
  text.reserve(size);
  for (std::string& line : lines) {
    text += line;
    text += '\n';
    std::string().swap(line);
  }
  return text;
}

std::string countText(int count, const char* one, const char* many) {
  return count == 1 ? std::string("1 ") + one : std::to_string(count) + " " + many;
}

} // namespace

FXString Orbala::openPatterns() const {
  return fx(orbala::openPatterns(!orbala::platform::findProgram("obabel").empty()));
}

void Orbala::showReadError(const FXString& path, const std::string& why) {
  dialogs->message(this, BoxKind::Error, orbala::kXyzErrorTitle,
                   fx(orbala::replaceAll(orbala::kXyzErrorText, "%s", path.text()) + "\n\n" + why));
}

bool Orbala::readImportedFile(const FXString& path, orbala::ImportKind kind,
                              std::vector<std::string> lines) {
  using orbala::ImportKind;
  if (kind == ImportKind::Csv) return readCsvFile(lines);
  std::unique_ptr<orbala::FrameSource> frames;
  std::string why, warning;
  if (kind == ImportKind::Pdb || kind == ImportKind::Cif) {
    const std::string text = joinLines(lines);
    orbala::StructureFrames read;
    const bool ok = kind == ImportKind::Pdb ? orbala::readPdbFrames(text, read, why)
                                            : orbala::readCifFrames(text, read, why);
    if (!ok) {
      showReadError(path, why);
      return false;
    }
    frames = std::make_unique<orbala::MemoryFrames>(std::move(read.frames));
    if (read.skippedAtoms > 0)
      warning = countText(read.skippedAtoms, "atom was", "atoms were") +
                " left out: an element Orbala does not know, or a line cut short.";
  } else if (kind == ImportKind::Sdf) {
    orbala::SdfFrames read;
    if (!orbala::readSdfFrames(lines, read, why)) {
      showReadError(path, why);
      return false;
    }
    frames = std::make_unique<orbala::MemoryFrames>(std::move(read.frames));
    if (read.skippedRecords > 0)
      warning =
          countText(read.skippedRecords, "record", "records") + " of the file could not be read.";
    if (read.skippedAtoms > 0)
      warning += (warning.empty() ? "" : "\n\n") +
                 countText(read.skippedAtoms, "atom of an element", "atoms of elements") +
                 " Orbala does not know left out.";
  } else {
    std::vector<std::string>().swap(lines);
    frames = convertWithOpenBabel(path);
    if (!frames) return false;
  }
  if (!readAtomFrames(path, std::move(frames))) return false;
  if (!warning.empty()) dialogs->message(this, BoxKind::Warning, "Data warning", fx(warning));
  return true;
}

std::unique_ptr<orbala::FrameSource> Orbala::convertWithOpenBabel(const FXString& path) {
  const std::string program = orbala::platform::findProgram("obabel");
  if (program.empty()) {
    showReadError(path, "Orbala reads this kind of file through Open Babel, which is not "
                        "installed. Install it (on Debian and Ubuntu: the package openbabel) and "
                        "open the file again.");
    return nullptr;
  }
  // A name starting with "-" would be taken for an option.
  std::string input = str(path);
  if (!input.empty() && input[0] == '-') input = "./" + input;
  const orbala::platform::ConverterRun run = orbala::platform::runConverter(
      program, {input, "-oxyz"}, kConverterTimeoutMs, orbala::kMaxTextFileBytes);
  std::vector<orbala::MemoryFrames::Frame> frames;
  std::string why;
  if (!run.started) {
    why = "Open Babel could not be started.";
  } else if (run.timedOut) {
    why = "Open Babel took longer than " + std::to_string(kConverterTimeoutMs / 1000) +
          " seconds and was stopped.";
  } else if (run.tooLarge) {
    why = "Open Babel's output is too large.";
  } else if (!orbala::framesFromXyzText(run.output, frames)) {
    why = orbala::converterErrorLine(run.errors);
    if (why.empty()) why = "Open Babel found no molecule in this file.";
    why = "Open Babel: " + why;
  }
  if (why.empty()) return std::make_unique<orbala::MemoryFrames>(std::move(frames));
  showReadError(path, why);
  return nullptr;
}

bool Orbala::readCsvFile(const std::vector<std::string>& lines) {
  const FXint tableRows = table->getNumRows();
  orbala::CsvResult result = orbala::parseCsvLines(lines, tableRows);
  const std::optional<std::string> warning = orbala::csvWarning(result);
  if (result.rows.empty()) {
    // Nothing to show: say why, and leave the table the user had.
    if (warning) dialogs->message(this, BoxKind::Warning, "Data warning", fx(*warning));
    return false;
  }
  clearInputData();
  const FXint count = static_cast<FXint>(result.rows.size());
  BusyProgress::stage("Filling the table", count);
  for (FXint r = 0; r < count; ++r) {
    const orbala::CsvRow& row = result.rows[static_cast<size_t>(r)];
    for (FXint c = 0; c < 8; ++c)
      if (!row.cells[static_cast<size_t>(c)].empty() || c == 7)
        table->setCellText(r, c, row.cells[static_cast<size_t>(c)]);
    if (!row.show) {
      table->setItemIcon(r, 8, nullptr);
      rowState.showFlags[static_cast<size_t>(r)] = 0;
    }
    if (!row.opaque) {
      table->setItemIcon(r, 9, nullptr);
      rowState.opaqueFlags[static_cast<size_t>(r)] = 0;
    }
    BusyProgress::step(r);
  }
  // Colours in the file are meant to be seen.
  for (const orbala::CsvRow& row : result.rows)
    if (!row.cells[4].empty() || !row.cells[5].empty() || !row.cells[6].empty()) {
      colorPoints = true;
      break;
    }
  rowOverflow = result.overflow;
  rowOverflowCount = count;
  rowsNeeded = result.readableRows;
  dropFrames(); // a table has no frames
  finishRead(false);
  // Shown once: when the table grows, the file is read again.
  if (warning && growTableTo <= 0)
    dialogs->message(this, BoxKind::Warning, "Data warning", fx(*warning));
  return true;
}

bool Orbala::saveCsvFile(const FXString& path) {
  return writeTableRows(path, orbala::csvHeaderLine(),
                        [](FXint, const RowCells& cells, std::string& out) {
                          std::array<std::string_view, 8> values;
                          std::copy(cells.begin(), cells.begin() + 8, values.begin());
                          orbala::appendCsvRow(out, values, cells[8] == "show", cells[9] == "show");
                        });
}
