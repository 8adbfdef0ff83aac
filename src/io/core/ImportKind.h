#pragma once
// Which reader opens a file: chosen by its extension, and by its content when the extension
// does not tell. Display-free.
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

enum class ImportKind {
  Tagged,   // Orbala's own data files (.qvx, .txt and files starting with a tag)
  Xyz,      // .xyz atom files
  Csv,      // .csv and .tsv point tables
  Pdb,      // .pdb and .ent, or text that starts like one
  Cif,      // .cif and .mmcif, or text that starts with a data block
  Sdf,      // .sdf, .sd and .mol, or text with a MOL counts line
  Converter // anything else: a converter may know it
};

ImportKind importKindFor(std::string_view path, const std::vector<std::string>& lines);

// Whether a file of this kind is only ever read: Save must not write Orbala's format over it.
inline bool isReadOnlyKind(ImportKind kind) {
  return kind != ImportKind::Tagged;
}

// The Open dialog's patterns; the last entry says what to install when no converter is there.
std::string openPatterns(bool converterInstalled);

} // namespace orbala
