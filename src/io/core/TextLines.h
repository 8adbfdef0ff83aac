#pragma once
// Byte-level pieces of reading a text file into lines: the encoding guess and the line split.
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

enum class TextEncoding { Bytes, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// Guesses the encoding from the first (up to four) bytes of a file by its byte-order mark:
// 00 00 FE FF UTF-32BE, FF FE 00 00 UTF-32LE, other FF FE UTF-16LE, FE FF UTF-16BE.
// Everything else, a UTF-8 mark included, is Bytes. Bytes a short file lacks count as '0'.
TextEncoding detectEncoding(std::string_view firstBytes);

// Length of the byte-order mark that detectEncoding recognised (0 for Bytes).
size_t byteOrderMarkLength(TextEncoding encoding);

// Splits text into lines at line feeds. A CR right before a LF goes with it; a final LF ends the
// last line rather than starting an empty one; any other CR is dropped.
std::vector<std::string> splitTextLines(std::string_view text);
// The same lines as views into the text, CRs and all: for text known to hold none.
std::vector<std::string_view> splitLineViews(std::string_view text);

} // namespace orbala
