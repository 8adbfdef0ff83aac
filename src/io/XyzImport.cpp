// The atom branch of the file reader: XYZ molecule files into table rows.
#include "app/Orbala.h"

#include "app/BusyProgress.h"

#include "io/core/XyzReader.h"
#include "table/Table_zk2.h"
#include "table/core/Elements.h"
#include "table/core/Numbers.h"

bool Orbala::readAtomFile(const FXString& path, std::vector<std::string> lines) {
  orbala::XyzResult result = orbala::parseXyzLines(lines, table->getNumRows());
  // The atoms hold all that is needed; a big file's lines would only add to the peak.
  std::vector<std::string>().swap(lines);
  if (result.status == orbala::XyzResult::TooFewLines ||
      result.status == orbala::XyzResult::BadLabelForm) {
    // Not an atom file at all: say so and leave the table as it was.
    const std::string text = orbala::replaceAll(orbala::kXyzErrorText, "%s", path.text());
    dialogs->message(this, BoxKind::Error, orbala::kXyzErrorTitle, text.c_str());
    return false;
  }
  // Nothing readable: the caller says so, and the table the user had stays as it was.
  if (result.status == orbala::XyzResult::NoAtoms || result.atoms.empty()) return false;

  clearInputData();
  const auto& elements = orbala::elementTable();
  const FXint count = static_cast<FXint>(result.atoms.size());
  BusyProgress::stage("Filling the table", count);
  for (FXint row = 0; row < count; ++row) {
    const orbala::XyzAtom& atom = result.atoms[static_cast<size_t>(row)];
    table->setCellText(row, 0, elements[atom.element].symbol);
    table->setCellText(row, 1, orbala::formatFixed(atom.x, 5));
    table->setCellText(row, 2, orbala::formatFixed(atom.y, 5));
    table->setCellText(row, 3, orbala::formatFixed(atom.z, 5));
    BusyProgress::step(row);
  }
  rowOverflow = result.overflow;
  rowOverflowCount = result.rowsFilled;
  std::vector<orbala::XyzAtom>().swap(result.atoms);

  if (applyPubChemCheck->getCheck()) {
    colorScheme = static_cast<int>(orbala::ColorScheme::PubChem);
    applyElementColors();
  } else if (applyJmolCheck->getCheck()) {
    colorScheme = static_cast<int>(orbala::ColorScheme::Jmol);
    applyElementColors();
  }
  // The common tail of the reader reads and draws the table with the sizes.
  if (applyDefaultSizesCheck->getCheck()) applyElementSizesReported(false);
  return true;
}
