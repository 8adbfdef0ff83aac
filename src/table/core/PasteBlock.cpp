#include "table/core/PasteBlock.h"

#include <algorithm>

#include "table/core/Numbers.h"

namespace orbala {

namespace {

bool isColumnSeparator(char ch) {
  return ch == '\t' || ch == ',';
}

void appendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr unsigned kReplacement = 0xFFFD;

} // namespace

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes)
    appendUtf8(out, static_cast<unsigned char>(ch));
  return out;
}

std::string utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const size_t units = bytes.size() / 2;
  auto unitAt = [&bytes](size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i])) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
  };
  size_t i = 0;
  if (units > 0 && unitAt(0) == 0xFEFF) i = 1;
  for (; i < units; ++i) {
    const unsigned u = unitAt(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      const unsigned low = unitAt(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
  }
  if (bytes.size() % 2 != 0) appendUtf8(out, kReplacement);
  return out;
}

std::string normalizePasteText(std::string_view text) {
  std::string out = replaceAll(text, "\r\n", "\n");
  std::replace(out.begin(), out.end(), ',', '.');
  return out;
}

BlockSize countBlock(std::string_view text) {
  BlockSize size;
  int cols = 1;
  for (char ch : text) {
    if (ch == '\n') {
      ++size.rows;
      size.cols = std::max(size.cols, cols);
      cols = 1;
    } else if (isColumnSeparator(ch)) {
      ++cols;
    }
  }
  if (!text.empty() && text.back() != '\n') {
    ++size.rows;
    size.cols = std::max(size.cols, cols);
  }
  return size;
}

std::string cutBlock(std::string_view text, int maxRows, int maxCols) {
  std::string out;
  if (maxRows <= 0 || maxCols <= 0) return out;
  out.reserve(text.size());
  int row = 0;
  int col = 0;
  for (char ch : text) {
    if (ch == '\n') {
      out += ch;
      col = 0;
      if (++row == maxRows) break;
    } else if (isColumnSeparator(ch)) {
      if (++col < maxCols) out += ch;
    } else if (col < maxCols) {
      out += ch;
    }
  }
  return out;
}

PastePlan planPaste(std::string_view text, int tableRows, int tableCols, int originRow,
                    int originCol) {
  PastePlan plan;
  const BlockSize full = countBlock(text);
  const int roomRows = std::max(0, tableRows - originRow);
  const int roomCols = std::max(0, tableCols - originCol);
  plan.wasCut = full.rows > roomRows || full.cols > roomCols;
  plan.text = plan.wasCut ? cutBlock(text, roomRows, roomCols) : std::string(text);
  plan.size = countBlock(plan.text);
  return plan;
}

} // namespace orbala
