#pragma once
// What a converter hands back: molecules as XYZ text, one after another, and its error output.
// Display-free: the window runs the converter and shows the reason when nothing can be read.
#include <string>
#include <string_view>
#include <vector>

#include "io/core/AtomFrames.h"

namespace orbala {

// Splits XYZ text of one or more molecules (each an atom count line, a comment line and that
// many atom lines) into frames, read as an .xyz file's atoms are. A molecule without readable
// atoms is left out; false when none is left.
bool framesFromXyzText(std::string_view text, std::vector<MemoryFrames::Frame>& frames);

// The line of a converter's error output that says what went wrong: the first line that is not
// a rule of "=" signs, a "*** ... Error in ..." heading or a count of converted molecules.
std::string converterErrorLine(std::string_view errors);

} // namespace orbala
