#pragma once
// Reading the atoms of an XYZ molecule file: a count line and a comment line (both skipped),
// then one atom per line as an element symbol or atomic number followed by x, y and z.
// Display-free: the caller splits the file into lines and writes the atoms into the table.
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

// Title and text ("%s" is the path) of the error box for a file that is not an atom file.
inline constexpr const char* kXyzErrorTitle = "Error reading File";
inline constexpr const char* kXyzErrorText = "Unable to read this file (3): %s";

// A line's label: the line trimmed, TABs as blanks, cut to its first two characters, trimmed
// again. "Cl 0 0 0" gives "Cl", "118 0 0 0" gives "11".
std::string xyzLineLabel(std::string_view line);

// How a file names its atoms, decided once from the third line's label: only ASCII letters
// (or nothing) is Symbol, only digits is Number, anything else is not an atom file.
enum class XyzLabelForm { Symbol, Number, Invalid };
XyzLabelForm xyzLabelForm(std::string_view label);

struct XyzAtom {
  int element; // index into elementTable()
  double x, y, z;
};

struct XyzResult {
  enum Status {
    Ok,           // at least one atom read
    TooFewLines,  // fewer than three lines: show the error box, leave the table alone
    BadLabelForm, // third line's label neither letters nor digits: same as TooFewLines
    NoAtoms       // no atom line was readable: clear the table, report "could not be read"
  } status = Ok;
  std::vector<XyzAtom> atoms; // in file order; atoms[i] goes into table row i
  bool overflow = false;      // an atom was readable but the table was already full
  int rowsFilled = 0;         // atoms.size(), the number the "Data warning" shows on overflow
};

// Reads the atom lines (index 2 on) into at most `tableRows` atoms. Symbol form: the label is
// matched ignoring case and removed from the line, then "x y z" must follow. Number form: the
// label's number selects the element by atomic number and "n x y z" must follow. Coordinates
// use the dot whatever the locale; lines that do not yield an element and three finite numbers
// are skipped silently.
XyzResult parseXyzLines(const std::vector<std::string>& lines, int tableRows);
XyzResult parseXyzLineViews(const std::vector<std::string_view>& lines, int tableRows);

} // namespace orbala
