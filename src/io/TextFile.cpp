#include "io/TextFile.h"

#include "io/core/TextLines.h"

#include <fox-1.6/fx.h>
#include <fox-1.6/FXUTF16Codec.h>
#include <fox-1.6/FXUTF32Codec.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace orbala {

namespace {

bool fail(std::string* whyNot, std::string reason) {
  if (whyNot) *whyNot = std::move(reason);
  return false;
}

// FXwchar is wchar_t here, which is signed: compare as unsigned.
bool isScalarValue(FX::FXwchar wc) {
  const auto u = static_cast<std::uint32_t>(wc);
  return u < 0xD800 || (u > 0xDFFF && u <= 0x10FFFF);
}

std::uint32_t utf16Unit(std::string_view data, size_t at, bool bigEndian) {
  const auto b0 = static_cast<unsigned char>(data[at]);
  const auto b1 = static_cast<unsigned char>(data[at + 1]);
  return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
}

// Bytes of the UTF-16 code point at `at`, 0 when it is no valid one. The codec reads a second
// unit whenever it meets a high surrogate, even past the end of its input, so a pair is checked
// whole here before the codec sees it.
size_t utf16Length(std::string_view data, size_t at, bool bigEndian) {
  const std::uint32_t unit = utf16Unit(data, at, bigEndian);
  if (unit < 0xD800 || unit > 0xDFFF) return 2;
  if (unit > 0xDBFF || at + 4 > data.size()) return 0;
  const std::uint32_t low = utf16Unit(data, at + 2, bigEndian);
  return low >= 0xDC00 && low <= 0xDFFF ? 4 : 0;
}

bool decodeUnicode(const FX::FXTextCodec& codec, size_t unit, bool bigEndian, std::string_view data,
                   std::string& utf8, std::string* whyNot) {
  if (data.size() % unit != 0)
    return fail(whyNot, std::string("The ") + codec.name() + " text is truncated.");
  utf8.clear();
  utf8.reserve(data.size());
  size_t pos = 0;
  while (pos < data.size()) {
    // The codec only ever gets the bytes of one whole code point.
    const size_t length = unit == 2 ? utf16Length(data, pos, bigEndian) : unit;
    FX::FXwchar wc = 0;
    const FX::FXint used =
        length ? codec.mb2wc(wc, data.data() + pos, static_cast<FX::FXint>(length)) : 0;
    // A lone surrogate or a value beyond Unicode would only turn into malformed UTF-8.
    if (used <= 0 || static_cast<size_t>(used) != length || !isScalarValue(wc))
      return fail(whyNot, std::string("The ") + codec.name() + " text is malformed at byte " +
                              std::to_string(pos) + ".");
    FX::FXchar buf[8];
    const FX::FXint n = FX::FXTextCodec::wc2utf(buf, sizeof buf, wc);
    utf8.append(buf, static_cast<size_t>(n > 0 ? n : 0));
    pos += length;
  }
  if (utf8.empty()) return fail(whyNot, std::string("The ") + codec.name() + " text is empty.");
  return true;
}

} // namespace

bool decodeText(std::string_view raw, std::string& utf8, std::string* whyNot) {
  const TextEncoding encoding = detectEncoding(raw.substr(0, 4));
  const std::string_view data = raw.substr(byteOrderMarkLength(encoding));
  switch (encoding) {
  case TextEncoding::Utf16LE:
    return decodeUnicode(FX::FXUTF16LECodec(), 2, false, data, utf8, whyNot);
  case TextEncoding::Utf16BE:
    return decodeUnicode(FX::FXUTF16BECodec(), 2, true, data, utf8, whyNot);
  case TextEncoding::Utf32LE:
    return decodeUnicode(FX::FXUTF32LECodec(), 4, false, data, utf8, whyNot);
  case TextEncoding::Utf32BE:
    return decodeUnicode(FX::FXUTF32BECodec(), 4, true, data, utf8, whyNot);
  case TextEncoding::Bytes:
    break;
  }
  utf8.assign(raw);
  return true;
}

bool readTextLines(const std::string& path, std::vector<std::string>& lines, std::string* whyNot) {
  namespace fs = std::filesystem;
  lines.clear();
  if (path.empty()) return fail(whyNot, "No file name was given.");
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return fail(whyNot, "The file does not exist.");
  // Directories, pipes and devices have no fixed size to read (a pipe could block forever).
  if (!fs::is_regular_file(status)) return fail(whyNot, "This is not a regular file.");
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return fail(whyNot, "The file size cannot be read.");
  if (size == 0) return fail(whyNot, "The file is empty.");
  if (size > kMaxTextFileBytes) return fail(whyNot, "The file is too large to be a text file.");

  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(whyNot, "The file cannot be opened.");
  // A file that shrank since it was measured simply yields fewer bytes.
  std::string raw(static_cast<size_t>(size), '\0');
  in.read(raw.data(), static_cast<std::streamsize>(raw.size()));
  raw.resize(static_cast<size_t>(in.gcount()));
  if (in.bad() || raw.empty()) return fail(whyNot, "The file cannot be read.");

  std::string text;
  if (!decodeText(raw, text, whyNot)) return false;
  lines = splitTextLines(text);
  return true;
}

} // namespace orbala
