// The atom branch of the file reader: XYZ molecule files, and the frames of any atom file, into
// table rows.
#include "app/Orbala.h"
#include "app/Text.h"

#include <climits>

#include "app/BusyProgress.h"
#include "io/TextFile.h"
#include "io/core/PrefetchedFrames.h"
#include "io/core/XyzFrames.h"
#include "io/core/XyzReader.h"
#include "table/Table_zk2.h"
#include "table/core/Elements.h"
#include "table/core/Numbers.h"

bool Orbala::readXyzFile(const FXString& path) {
  std::string why;
  std::unique_ptr<orbala::XyzFrames> trajectory = orbala::XyzFrames::openFile(str(path), why);
  if (trajectory && trajectory->frameIndex().trajectory) {
    const std::string leftOut = trajectory->leftOutWarning();
    if (!readAtomFrames(path, std::move(trajectory))) return false;
    if (!leftOut.empty()) dialogs->message(this, BoxKind::Warning, "Data warning", fx(leftOut));
    return true;
  }
  trajectory.reset();

  // One set of atoms: read as it always was, whatever its first lines say.
  std::vector<std::string> lines;
  if (!orbala::readTextLines(str(path), lines, &why)) {
    FXString text = FXStringFormat("Unable to open file (2): %s", path.text());
    if (FXStat::isFile(path) && FXStat::size(path) > 0) text += fx("\n\n" + why);
    dialogs->message(this, BoxKind::Error, "Error Loading File", text);
    return false;
  }
  orbala::XyzResult result = orbala::parseXyzLines(lines, INT_MAX);
  // The atoms hold all that is needed; a big file's lines would only add to the peak.
  std::vector<std::string>().swap(lines);
  if (result.status == orbala::XyzResult::TooFewLines ||
      result.status == orbala::XyzResult::BadLabelForm) {
    // Not an atom file at all: say so and leave the table as it was.
    const std::string text = orbala::replaceAll(orbala::kXyzErrorText, "%s", path.text());
    dialogs->message(this, BoxKind::Error, orbala::kXyzErrorTitle, text.c_str());
    return false;
  }
  std::vector<orbala::MemoryFrames::Frame> frames(1);
  frames[0].atoms = std::move(result.atoms);
  return readAtomFrames(path, std::make_unique<orbala::MemoryFrames>(std::move(frames)));
}

bool Orbala::readAtomFrames(const FXString& path, std::unique_ptr<orbala::FrameSource> frames) {
  viewZoomRead = viewCenterRead = viewOrientationRead = false;
  readTextWasCut = false;
  std::vector<orbala::XyzAtom> atoms;
  std::string why;
  // Nothing readable: the caller says so, and the table the user had stays as it was.
  if (!frames || frames->frameCount() == 0 || !frames->readFrame(0, atoms, why) || atoms.empty())
    return false;
  stopFrames();
  for (int attempt = 0; attempt < 2; ++attempt) {
    fillTableWithAtoms(atoms);
    finishRead(false);
    if (growTableTo <= 0) break;
    // The user chose to grow the table: the same atoms go into the larger one.
    setUpTable(growTableTo);
    growTableTo = 0;
  }
  growTableTo = 0;
  currentFrame = 0;
  // Several frames are stepped through: the next one is read while this one is drawn.
  if (frames->frameCount() > 1)
    frameSource = std::make_unique<orbala::PrefetchedFrames>(std::move(frames));
  else
    frameSource = std::move(frames);
  framePath = path;
  showFrameControl();
  return true;
}

void Orbala::fillTableWithAtoms(const std::vector<orbala::XyzAtom>& atoms) {
  clearInputData();
  const auto& elements = orbala::elementTable();
  const FXint rows = table->getNumRows();
  const FXint count = static_cast<FXint>(std::min<size_t>(atoms.size(), rows));
  BusyProgress::stage("Filling the table", count);
  for (FXint row = 0; row < count; ++row) {
    const orbala::XyzAtom& atom = atoms[static_cast<size_t>(row)];
    table->setCellText(row, 0, elements[atom.element].symbol);
    table->setCellText(row, 1, orbala::formatFixed(atom.x, 5));
    table->setCellText(row, 2, orbala::formatFixed(atom.y, 5));
    table->setCellText(row, 3, orbala::formatFixed(atom.z, 5));
    BusyProgress::step(row);
  }
  frameRows = count;
  rowOverflow = atoms.size() > static_cast<size_t>(rows);
  rowOverflowCount = count;
  rowsNeeded = static_cast<long long>(atoms.size());

  if (applyPubChemCheck->getCheck()) {
    colorScheme = static_cast<int>(orbala::ColorScheme::PubChem);
    applyElementColors();
  } else if (applyJmolCheck->getCheck()) {
    colorScheme = static_cast<int>(orbala::ColorScheme::Jmol);
    applyElementColors();
  }
  // The common tail of the reader reads and draws the table with the sizes.
  if (applyDefaultSizesCheck->getCheck()) applyElementSizesReported(false);
}
