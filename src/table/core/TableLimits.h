#pragma once
// The largest point table the program builds. Each row holds ten cells, so a million rows is
// already far more than can be plotted; a row count or row index from a file or a dialog beyond
// it is refused instead of being allocated.
namespace orbala {
constexpr int kMaxTableRows = 1000000;
} // namespace orbala
