#pragma once
// Molecules from chemistry toolkits and PubChem: MOL files and SDF files of several records,
// with V2000 or V3000 atom blocks. Every record is a frame.
// Display-free: the caller splits the file into lines and shows the reason when nothing is read.
#include <string>
#include <vector>

#include "io/core/AtomFrames.h"

namespace orbala {

struct SdfFrames {
  std::vector<MemoryFrames::Frame> frames; // one per readable record, titled by its name line
  int skippedRecords = 0;                  // records whose atom block could not be read
  int skippedAtoms = 0;                    // atoms of elements the table does not know
};

// Records end at a "$$$$" line. A record's fourth line is its counts line; "V3000" there means
// the atoms stand between "M  V30 BEGIN ATOM" and "M  V30 END ATOM".
bool readSdfFrames(const std::vector<std::string>& lines, SdfFrames& out, std::string& why);

// Whether the lines look like a MOL or SDF record: a counts line ending in V2000 or V3000.
bool looksLikeSdf(const std::vector<std::string>& lines);

} // namespace orbala
