#pragma once
// Molecules from the Protein Data Bank's formats (PDB, mmCIF) and from crystal structure files
// (small-molecule CIF): every model is a frame, every atom site an atom of the table.
// Display-free: the caller hands the file's text and shows the reason when nothing can be read.
#include <string>
#include <string_view>
#include <vector>

#include "io/core/AtomFrames.h"

namespace orbala {

struct StructureFrames {
  std::vector<MemoryFrames::Frame> frames; // one per model (PDB, mmCIF) or data block (CIF)
  int skippedAtoms = 0; // atoms of elements the table does not know, and truncated atom lines
};

// PDB text (.pdb, .ent): ATOM and HETATM records, the element from its own columns or, when
// those are empty, from the atom name; of alternate locations only the first; MODEL by MODEL.
// Atom lines cut off before their coordinates end are skipped and counted.
bool readPdbFrames(std::string_view text, StructureFrames& out, std::string& why);

// CIF text: a macromolecule's atom sites (mmCIF) as for PDB; otherwise the atom sites of each
// data block that has a unit cell, turned from fractional into Cartesian coordinates. Values
// may carry a standard uncertainty, "1.234(5)".
bool readCifFrames(std::string_view text, StructureFrames& out, std::string& why);

// Whether the text starts like a PDB file (a record name the format knows on its first line).
bool looksLikePdb(std::string_view text);

} // namespace orbala
