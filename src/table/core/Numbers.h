#pragma once
// Number reading and writing for cells, files and fields: always with a dot, whatever the locale.
#include <charconv>
#include <string>
#include <string_view>

namespace orbala {

// std::from_chars for a double (general format), with its results to the bit, but reading
// plain decimals of up to 15 digits such as "-12.34567" itself: exactly, by one division, and
// several times faster than the library, which files and tables of a million numbers feel.
std::from_chars_result decimalFromChars(const char* first, const char* last, double& value);

// Longest numeric prefix after leading blanks, 0 when there is none; "," is read as ".".
double parseNumber(std::string_view text);

// Base-10 integer prefix after leading blanks (optional sign), 0 when there is none.
// Values beyond the int range saturate rather than wrap.
int parseInt(std::string_view text);

// Fixed notation with the given decimals ("%.*lf"), dot as decimal point.
std::string formatFixed(double value, int decimals);

// Scientific notation like "%.6le", dot as decimal point.
std::string formatScientific(double value, int decimals = 6);

// Leading and trailing white space (blank, tab, CR, LF, VT, FF) removed.
std::string trim(std::string_view text);

// ASCII letters changed case; other bytes (UTF-8 included) stay as they are.
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);

// Every occurrence of `from` replaced by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
// The same into `out`, whose storage is reused: for loops over many lines.
void replaceAllInto(std::string& out, std::string_view text, std::string_view from,
                    std::string_view to);

} // namespace orbala
