// The tagged file format on the window: the settings block, data files and the shared reader.
#include "app/Orbala.h"
#include "app/Text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/BusyProgress.h"
#include "app/PanelLayout.h"
#include "io/TextFile.h"
#include "io/core/AtomFrames.h"
#include "io/core/FileNames.h"
#include "io/core/ImportKind.h"
#include "io/core/TagFormat.h"
#include "platform/AtomicFile.h"
#include "platform/DebugOutput.h"
#include "table/Table_zk2.h"
#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace {

// The debugger output of one line is cut here, and one read reports at most this many lines:
// a binary file must not flood standard error.
constexpr size_t kDebugLineBytes = 4096;
constexpr int kDebugLinesPerRead = 1000;

// Control bytes of a binary file would reach a terminal as escape sequences.
std::string printable(std::string_view line) {
  std::string out(line.substr(0, kDebugLineBytes));
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return out;
}

// Leading and trailing white space off, without a copy.
std::string_view trimmed(std::string_view text) {
  const char* const blanks = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void reportUnknownLine(std::string_view line) {
  orbala::platform::debugOutput("Ini file parameter not found: \"" + printable(line) + "\"\n");
}

} // namespace

FXString Orbala::writeSettingsBlock(bool withWindowBlock) const {
  orbala::SettingsValues s;
  s.version = str(kVersion);
  s.colorPoints = colorRadio->getCheck() != FALSE;
  s.colorIndex = colorIndex;
  s.applyPubChemColors = applyPubChemCheck->getCheck() != FALSE;
  s.applyJmolColors = applyJmolCheck->getCheck() != FALSE;
  s.applyDefaultAtomSizes = applyDefaultSizesCheck->getCheck() != FALSE;
  s.setUndefinedColorsToGray = undefinedGrayCheck->getCheck() != FALSE;
  s.showXyAxis = showXYAxisCheck->getCheck() != FALSE;
  s.showZAxis = showZAxisCheck->getCheck() != FALSE;
  s.showAxisLabels = showAxisLabelsCheck->getCheck() != FALSE;
  s.showRgbTableCols = showRGBColumnsCheck->getCheck() != FALSE;
  s.rotationAxis = rotationAxis;
  s.rotationDirection = rotationDirection;
  s.rotationSpeed = rotationSpeedSlider->getValue();
  s.sphereRadius = sphereRadiusSlider->getValue();
  s.backgroundColor = backgroundSlider->getValue();
  s.rotationLocationIndex = rotationPointChoice;
  s.scaleSizeType = scaleSizeType;
  s.alphaLevel = str(opaquenessField->getText());
  s.rotationPointIndex = str(pointNumberField->getText());
  s.rotationPointX = str(rotationPointFields[0]->getText());
  s.rotationPointY = str(rotationPointFields[1]->getText());
  s.rotationPointZ = str(rotationPointFields[2]->getText());
  s.axisScaling = {axisScaling[0], axisScaling[1], axisScaling[2]};
  if (!withWindowBlock) return fx(orbala::formatSettingsBlock(s, nullptr));

  orbala::WindowValues w;
  // Where the window is now; before it exists on the screen, where it is meant to go.
  const bool onScreen = id() != 0;
  w.x = onScreen ? getX() : windowX;
  w.y = onScreen ? getY() : windowY;
  w.width = onScreen ? getWidth() : windowWidth;
  w.height = onScreen ? getHeight() : windowHeight;
  w.minimized = onScreen ? isMinimized() : wasMinimized;
  w.panelWidth = panelSplitter->getPanelWidth();
  w.numRows = table->getNumRows();
  w.userFilesDirectory = str(userFilesDirectory);
  w.lastExtension = str(lastExtension);
  for (int i = 0; i < orbala::RecentFiles::kSlots; ++i)
    w.recentFiles[i] = recentFiles.get(i);
  return fx(orbala::formatSettingsBlock(s, &w));
}

bool Orbala::saveDataFile(const FXString& path) {
  table->acceptInput(TRUE); // a value still being typed is saved too
  if (orbala::toLowerAscii(orbala::pathExtension(str(path))) == "csv") return saveCsvFile(path);
  std::string text = str(writeSettingsBlock(false));
  const FXVec3f& center = viewer->getCenter();
  const FXQuatf& rotation = viewer->getOrientation();
  const double centerXyz[3] = {center.x, center.y, center.z};
  const double orientation[4] = {rotation.x, rotation.y, rotation.z, rotation.w};
  text += orbala::formatViewBlock(viewer->getZoom(), centerXyz, orientation);
  return writeTableRows(path, std::move(text),
                        [](FXint row, const RowCells& cells, std::string& out) {
                          for (FXint c = 0; c < 10; ++c)
                            orbala::appendDataLine(out, row, c, cells[static_cast<size_t>(c)]);
                        });
}

// The rows a data file keeps are those with a coordinate. They are handed to the file a megabyte
// at a time (a million rows make some 200 MB of text), written beside the old file and renamed
// over it: a failed save never destroys it.
bool Orbala::writeTableRows(const FXString& path, std::string text, const RowWriter& appendRow) {
  BusyProgress busy(this);
  const FXint rows = table->getNumRows();
  constexpr size_t piece = 1 << 20;
  const auto produce = [&](const orbala::platform::ContentSink& put) {
    text.reserve(piece + 16384);
    BusyProgress::stage("Writing the file", rows);
    RowCells cells;
    for (FXint r = 0; r < rows; ++r) {
      BusyProgress::step(r);
      if (table->cellText(r, 1).empty() && table->cellText(r, 2).empty() &&
          table->cellText(r, 3).empty())
        continue;
      for (FXint c = 0; c < 10; ++c)
        cells[static_cast<size_t>(c)] =
            c >= 8 ? (table->getItemIcon(r, c) ? "show" : "hide") : trimmed(table->cellText(r, c));
      appendRow(r, cells, text);
      if (text.size() >= piece) {
        if (!put(text)) return false;
        text.clear();
      }
    }
    return put(text);
  };
  if (!orbala::platform::replaceFileWith(str(path), produce)) {
    dialogs->message(this, BoxKind::Error, "File error",
                     FXStringFormat("File \"%s\" could not be written.", path.text()));
    return false;
  }
  addRecentFile(path);
  return true;
}

bool Orbala::readDataFile(const FXString& path, bool isSettingsFile) {
  growTableTo = 0;
  if (!readDataFileOnce(path, isSettingsFile)) return false;
  if (growTableTo > 0) {
    // The user chose to grow the table to what the file needs: read it into the larger one.
    setUpTable(growTableTo);
    growTableTo = 0;
    return readDataFileOnce(path, isSettingsFile);
  }
  return true;
}

bool Orbala::readDataFileOnce(const FXString& path, bool isSettingsFile) {
  BusyProgress busy(this);
  BusyProgress::stage("Reading the file", 1);
  recentLineCount = 0;
  viewZoomRead = viewCenterRead = viewOrientationRead = false;
  rowOverflow = false;
  rowOverflowCount = 0;
  rowsNeeded = 0;
  readTextWasCut = false;

  if (!isSettingsFile) {
    lastExtension = fx(orbala::toUpperAscii(orbala::pathExtension(str(path))));
    // Atom files are read from the file itself: a trajectory may be far bigger than any text.
    if (lastExtension == "XYZ") {
      if (!readXyzFile(path)) return false;
      importedPath = path;
      return true;
    }
  }

  std::vector<std::string> lines;
  std::string whyNot;
  if (!orbala::readTextLines(str(path), lines, &whyNot)) {
    if (isSettingsFile) return false;
    FXString text = FXStringFormat("Unable to open file (2): %s", path.text());
    // A file that is there and not empty was refused for a reason worth telling.
    if (FXStat::isFile(path) && FXStat::size(path) > 0) text += fx("\n\n" + whyNot);
    dialogs->message(this, BoxKind::Error, "Error Loading File", text);
    return false;
  }
  if (lines.empty()) return false;

  if (!isSettingsFile) {
    const orbala::ImportKind kind = orbala::importKindFor(str(path), lines);
    if (kind != orbala::ImportKind::Tagged) {
      if (!readImportedFile(path, kind, std::move(lines))) return false;
      importedPath = path;
      return true;
    }
  }

  // A data file that will be refused must not wipe the table the user has typed.
  if (!isSettingsFile && !passesTaggedCheck(lines)) return false;
  clearInputData();
  int found = 0, unknown = 0;
  BusyProgress::stage("Reading the file", static_cast<FXint>(lines.size()));
  for (const std::string& line : lines) {
    BusyProgress::step(found + unknown);
    // applyTag turns "<_" into "<" itself; doing it twice would accept "<__version>".
    const size_t close = line.find('>');
    const std::string tag = close == std::string::npos ? line + ">" : line.substr(0, close + 1);
    if (applyTag(fx(tag), fx(orbala::splitTagLine(line).value), isSettingsFile)) {
      ++found;
    } else if (++unknown <= kDebugLinesPerRead) {
      reportUnknownLine(line);
    }
  }
  if (unknown > kDebugLinesPerRead)
    orbala::platform::debugOutput("... and " + std::to_string(unknown - kDebugLinesPerRead) +
                                  " more unrecognised lines\n");
  if (found < 10 || fileVersion < 0.1) {
    // The settings lines already applied stay: let the controls show them.
    if (isSettingsFile) syncReadControls();
    return false;
  }
  if (!isSettingsFile) {
    dropFrames(); // a data file has no frames
    importedPath = FXString();
  }
  finishRead(isSettingsFile);
  return true;
}

// Whether reading the lines would end with ten known tags and a version of 0.1 or more.
bool Orbala::passesTaggedCheck(const std::vector<std::string>& lines) const {
  int found = 0;
  double version = fileVersion;
  for (const std::string& line : lines) {
    const orbala::TagLine split = orbala::splitTagLine(line);
    const orbala::Tag tag = orbala::lookupTag(split.tag);
    if (tag == orbala::Tag::Unknown) continue;
    ++found;
    if (tag == orbala::Tag::Version) version = orbala::parseNumber(split.value);
  }
  if (found >= 10 && version >= 0.1) return true;
  int shown = 0;
  for (const std::string& line : lines)
    if (orbala::lookupTag(orbala::splitTagLine(line).tag) == orbala::Tag::Unknown &&
        ++shown <= kDebugLinesPerRead)
      reportUnknownLine(line);
  return false;
}

// The radio groups and slider captions follow the values a read has set.
void Orbala::syncReadControls() {
  colorRadio->setCheck(colorPoints);
  grayRadio->setCheck(!colorPoints);
  syncRotationDirectionControls();
  syncRotationAxisControls();
  syncScaleModeRadios();
  for (int i = 0; i < 4; ++i)
    rotationPointRadios[i]->setCheck(i == rotationPointChoice);
  sphereRadiusGroup->setText(
      fx("R=" + orbala::formatFixed(sphereRadiusSlider->getValue() * 0.01, 2)));
  sphereRadiusGroup->recalc();
  // The B slider may have moved too; its caption would otherwise show the old value.
  backgroundGroup->setText(FXStringFormat("B=%d", backgroundSlider->getValue()));
  backgroundGroup->recalc();
}

// The work after every successful read: controls, scene and view follow what was read.
void Orbala::finishRead(bool isSettingsFile) {
  syncReadControls();
  const float r = static_cast<float>(std::sqrt(3.0 * (2.0 * dataExtent) * (2.0 * dataExtent)));
  viewer->setBounds(FXRangef(FXVec3f(-r, -r, -r), FXVec3f(r, r, r)));
  computeRotationPoint(false);
  rebuildScene();

  std::string sizes;
  const FXint rows = table->getNumRows();
  for (FXint row = 0; row < rows; ++row) {
    sizes += table->cellText(row, 7);
    sizes += '|';
  }
  loadedSizes = fx(sizes);
  restoreButton->enable();
  updateRgbColumns();
  buildColorSwatches();

  if (!isSettingsFile && rowOverflow) askToGrowTable();
  if (!isSettingsFile && readTextWasCut)
    dialogs->message(this, BoxKind::Warning, "Data warning",
                     "Some texts in the file were too long and were shortened.");
  selectRotationPoint(false);
  if (isSettingsFile) return;

  onCmdResetZoom(nullptr, 0, nullptr);
  if (viewZoomRead) viewer->setZoom(viewZoom);
  if (viewCenterRead)
    viewer->setCenter(FXVec3f(static_cast<float>(viewCenter[0]), static_cast<float>(viewCenter[1]),
                              static_cast<float>(viewCenter[2])));
  if (viewOrientationRead)
    viewer->setOrientation(
        FXQuatf(static_cast<float>(viewOrientation[0]), static_cast<float>(viewOrientation[1]),
                static_cast<float>(viewOrientation[2]), static_cast<float>(viewOrientation[3])));
}

// More rows in the file than in the table: say how many it needs and offer to grow the table.
void Orbala::askToGrowTable() {
  const FXint holds = table->getNumRows();
  const long long limit = orbala::kMaxTableRows;
  const FXint need = static_cast<FXint>(std::min(rowsNeeded, limit + 1));
  const FXString head = "Your file has more rows of data than the table can hold.\n\n";
  if (holds >= orbala::kMaxTableRows) {
    dialogs->message(this, BoxKind::Warning, "Data warning",
                     head + FXStringFormat("It needs more than %d rows, the most a table can have; "
                                           "only the first %d rows were read.",
                                           orbala::kMaxTableRows, holds));
    return;
  }
  const FXint grow = static_cast<FXint>(std::min<long long>(need, limit));
  const FXString needs =
      need > orbala::kMaxTableRows
          ? FXStringFormat("It needs more than %d rows, the most a table can have.",
                           orbala::kMaxTableRows)
          : FXStringFormat("It needs %d rows; the table has %d.", need, holds);
  if (dialogs->question(
          this, "Data warning",
          head + needs +
              FXStringFormat("\n\nGrow the table to %d rows and read the file again?", grow)))
    growTableTo = grow;
}
