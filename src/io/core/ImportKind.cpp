#include "io/core/ImportKind.h"

#include "io/core/FileNames.h"
#include "io/core/SdfReader.h"
#include "io/core/StructureReader.h"
#include "table/core/Numbers.h"

namespace orbala {

ImportKind importKindFor(std::string_view path, const std::vector<std::string>& lines) {
  const std::string ext = toLowerAscii(pathExtension(std::string(path)));
  if (ext == "qvx" || ext == "txt") return ImportKind::Tagged;
  if (ext == "xyz") return ImportKind::Xyz;
  if (ext == "csv" || ext == "tsv") return ImportKind::Csv;
  if (ext == "pdb" || ext == "ent") return ImportKind::Pdb;
  if (ext == "cif" || ext == "mmcif") return ImportKind::Cif;
  if (ext == "sdf" || ext == "sd" || ext == "mol") return ImportKind::Sdf;
  std::string first;
  for (const std::string& line : lines)
    if (!(first = trim(line)).empty()) break;
  // Any other name: Orbala's own files start with a tag, as they always have been read.
  if (first.empty() || first[0] == '<') return ImportKind::Tagged;
  if (!lines.empty() && looksLikePdb(lines[0])) return ImportKind::Pdb;
  if (toLowerAscii(first.substr(0, 5)) == "data_") return ImportKind::Cif;
  if (looksLikeSdf(lines)) return ImportKind::Sdf;
  return ImportKind::Converter;
}

std::string openPatterns(bool converterInstalled) {
  return std::string("Orbala (*.qvx)\nXYZ (*.xyz)\nText (*.txt)\nCSV table (*.csv,*.tsv)\n"
                     "PDB, mmCIF, CIF (*.pdb,*.ent,*.cif,*.mmcif)\nSDF, MOL (*.sdf,*.sd,*.mol)\n") +
         (converterInstalled ? "Other chemical files, through Open Babel (*)\n"
                             : "Other chemical files: install Open Babel, package openbabel (*)\n");
}

} // namespace orbala
