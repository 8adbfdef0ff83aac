#pragma once
// Reading a whole text file into lines, decoding the Unicode forms that carry a byte-order mark.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbala {

// Larger files are refused rather than loaded: no data or settings file comes near this.
constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{256} << 20;

// Turns the raw bytes of a file into UTF-8. UTF-16 and UTF-32 with a byte-order mark are decoded
// (the mark dropped); anything else is kept byte for byte, a UTF-8 mark included. Fails on a
// Unicode text that is truncated, holds an invalid code unit sequence, or decodes to nothing.
bool decodeText(std::string_view raw, std::string& utf8, std::string* whyNot = nullptr);

// Reads the regular file at path, decodes it and splits it into lines (see splitTextLines).
// Fails, leaving lines empty, for an empty path, a missing, empty, unreadable or oversized file,
// or a failed decoding; whyNot then receives a short reason.
bool readTextLines(const std::string& path, std::vector<std::string>& lines,
                   std::string* whyNot = nullptr);

} // namespace orbala
