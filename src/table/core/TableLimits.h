#pragma once
// Limits on what the program builds or shows, so that no file, paste or dialog can make it
// allocate or draw without bound.
#include <cstddef>
#include <string>
#include <string_view>

namespace orbala {

// The largest point table the program builds. Each row holds ten cells, so a million rows is
// already far more than can be plotted; a row count or row index from a file or a dialog beyond
// it is refused instead of being allocated.
constexpr int kMaxTableRows = 1000000;

// X cannot draw a text of a few hundred thousand characters in one request (the program is
// aborted), and no cell, field or menu entry is read at such a length anyway.
constexpr size_t kMaxCellText = 1024; // a table cell
constexpr size_t kMaxFieldText = 256; // a value field (opaqueness, rotation point, ...)
constexpr size_t kMaxPathText = 4096; // a path: longer ones cannot be opened (PATH_MAX)

// The text cut to at most `limit` bytes, never inside a UTF-8 sequence.
std::string_view clipText(std::string_view text, size_t limit);

// Whether a number can stand in the plot: finite, and small enough to stay finite in the
// single-precision geometry of the scene and its fitted view.
bool isPlottable(double value);

} // namespace orbala
