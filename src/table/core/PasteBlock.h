#pragma once
// The text side of pasting into the point table: decoding what the clipboard offers, making the
// numbers readable, measuring the block and cutting it so that it never grows the table.
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
