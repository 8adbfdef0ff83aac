#include "io/core/TextLines.h"

#include <algorithm>

namespace orbala {

TextEncoding detectEncoding(std::string_view firstBytes) {
  unsigned char b[4] = {'0', '0', '0', '0'};
  for (size_t i = 0; i < 4 && i < firstBytes.size(); ++i)
    b[i] = static_cast<unsigned char>(firstBytes[i]);
  if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF) return TextEncoding::Utf32BE;
  if (b[0] == 0xFF && b[1] == 0xFE && b[2] == 0x00 && b[3] == 0x00) return TextEncoding::Utf32LE;
  if (b[0] == 0xFF && b[1] == 0xFE) return TextEncoding::Utf16LE;
  if (b[0] == 0xFE && b[1] == 0xFF) return TextEncoding::Utf16BE;
  return TextEncoding::Bytes;
}

size_t byteOrderMarkLength(TextEncoding encoding) {
  switch (encoding) {
  case TextEncoding::Utf16LE:
  case TextEncoding::Utf16BE:
    return 2;
  case TextEncoding::Utf32LE:
  case TextEncoding::Utf32BE:
    return 4;
  case TextEncoding::Bytes:
    break;
  }
  return 0;
}

std::vector<std::string_view> splitLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    // Text (even a lone CR) after the last line feed still makes a line.
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> splitTextLines(std::string_view text) {
  // Sized once and each line made in one piece: a big file has millions of lines.
  std::vector<std::string> lines;
  const std::vector<std::string_view> views = splitLineViews(text);
  lines.reserve(views.size());
  for (const std::string_view segment : views) {
    std::string& line = lines.emplace_back(segment);
    if (segment.find('\r') != std::string_view::npos)
      line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
  }
  return lines;
}

} // namespace orbala
