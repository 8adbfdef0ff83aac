#pragma once
// Code points in the byte forms a file or the clipboard may hold.
#include <cstdint>
#include <string>

#include "io/core/TextLines.h"

// Outside the Basic Plane UTF-16 gets surrogate pairs; lone surrogates are written as they are.
inline std::string encodeText(const std::u32string& text, orbala::TextEncoding form,
                              bool withMark) {
  using E = orbala::TextEncoding;
  const bool wide = form == E::Utf32LE || form == E::Utf32BE;
  const bool little = form == E::Utf16LE || form == E::Utf32LE;
  std::string out;
  const auto unit = [&](uint32_t u) {
    const int bytes = wide ? 4 : 2;
    for (int i = 0; i < bytes; ++i)
      out += static_cast<char>((u >> (8 * (little ? i : bytes - 1 - i))) & 0xFF);
  };
  for (char32_t c : (withMark ? U"\uFEFF" : U"") + text) {
    if (!wide && c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out;
}
