#pragma once
// The text side of pasting into the point table: decoding what the clipboard offers, making the
// numbers readable, measuring the block and cutting it so that it never grows the table.
#include <algorithm>
#include <string>
#include <string_view>

namespace orbala {

// Clipboard text in ISO 8859-1, as UTF-8.
std::string latin1ToUtf8(std::string_view bytes);

// Clipboard text in UTF-16 little-endian, as UTF-8. A stray surrogate or a dangling odd byte
// becomes U+FFFD rather than being dropped silently; a leading byte-order mark is skipped.
std::string utf16LeToUtf8(std::string_view bytes);

// Every "," becomes "." and every CR LF becomes LF, so that the cells parse as numbers.
std::string normalizePasteText(std::string_view text);

struct BlockSize {
  int rows = 0;
  int cols = 0;
};

// Rows and columns of a block the way the table counts them: rows end at LF (a last row
// without LF still counts), columns are separated by tab or comma, an empty row has one column.
BlockSize countBlock(std::string_view text);

// The block with at most maxRows rows and maxCols columns per row; the rest is dropped.
std::string cutBlock(std::string_view text, int maxRows, int maxCols);

// Lays a block over `rows` × `cols` cells the way the toolkit's overlay does: field j of line i
// goes to cell (i, j) through put(i, j, field). Every line puts at least its first field (an empty
// line empties its first cell); cells right of a short line, and below the last line, are left
// alone.
template <class Put> void overlayBlock(std::string_view text, int rows, int cols, Put&& put) {
  size_t p = 0;
  for (int i = 0; i < rows && p <= text.size(); ++i) {
    const size_t lineEnd = std::min(text.find('\n', p), text.size());
    for (int j = 0; j < cols && p <= lineEnd; ++j) {
      size_t end = p;
      while (end < lineEnd && text[end] != '\t' && text[end] != ',')
        ++end;
      put(i, j, text.substr(p, end - p));
      p = end + 1; // past the separator; past lineEnd once the line has no more fields
    }
    p = lineEnd + 1;
  }
}

// What to lay over the table: the (possibly cut) text and its size.
struct PastePlan {
  std::string text;
  BlockSize size;
  bool wasCut = false; // rows or columns of the clipboard block were dropped
};

// Fits a normalised block into a table of tableRows × tableCols cells pasted at the origin:
// whatever would fall below the last row or right of the last column is cut off.
PastePlan planPaste(std::string_view text, int tableRows, int tableCols, int originRow,
                    int originCol);

} // namespace orbala
