#include "io/TextFile.h"
#include "io/core/TextLines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

using namespace orbala;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// Code points to the byte forms a file may hold.
std::string encode(const std::vector<char32_t>& text, TextEncoding form, bool withMark) {
  std::string out;
  auto unit16 = [&](uint16_t u) {
    const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    out += form == TextEncoding::Utf16LE ? std::string{lo, hi} : std::string{hi, lo};
  };
  auto unit32 = [&](uint32_t u) {
    for (int i = 0; i < 4; ++i) {
      const int shift = form == TextEncoding::Utf32LE ? 8 * i : 8 * (3 - i);
      out += static_cast<char>((u >> shift) & 0xFF);
    }
  };
  std::vector<char32_t> all = text;
  if (withMark) all.insert(all.begin(), 0xFEFF);
  for (char32_t c : all) {
    if (form == TextEncoding::Utf32LE || form == TextEncoding::Utf32BE) {
      unit32(c);
    } else if (c >= 0x10000) {
      unit16(static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
      unit16(static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      unit16(static_cast<uint16_t>(c));
    }
  }
  return out;
}

// "<version>1.31\r\n<data>0 0 Ä€😀\r\n" as code points and as UTF-8 lines.
const std::vector<char32_t> kSample = {
    '<', 'v', 'e', 'r', 's', 'i', 'o', 'n', '>', '1', '.',  '3',    '1',     '\r', '\n',
    '<', 'd', 'a', 't', 'a', '>', '0', ' ', '0', ' ', 0xC4, 0x20AC, 0x1F600, '\r', '\n'};
const Lines kSampleLines = {"<version>1.31", "<data>0 0 \xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80"};

class TextFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::path(::testing::TempDir()) / "orbala_text_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Reads and checks that a failure leaves a reason and no lines behind.
  bool read(const std::string& path, Lines& lines) {
    lines = {"stale"};
    std::string why;
    const bool ok = readTextLines(path, lines, &why);
    if (!ok) {
      EXPECT_TRUE(lines.empty()) << path;
      EXPECT_FALSE(why.empty()) << path;
    }
    return ok;
  }

  fs::path dir_;
};

} // namespace

TEST(TextLines, EncodingFromByteOrderMark) {
  using E = TextEncoding;
  EXPECT_EQ(detectEncoding(std::string("\x00\x00\xFE\xFF", 4)), E::Utf32BE);
  EXPECT_EQ(detectEncoding(std::string("\xFF\xFE\x00\x00", 4)), E::Utf32LE);
  EXPECT_EQ(detectEncoding(std::string("\xFF\xFE<\x00", 4)), E::Utf16LE);
  EXPECT_EQ(detectEncoding(std::string("\xFE\xFF\x00<", 4)), E::Utf16BE);
  EXPECT_EQ(detectEncoding("\xEF\xBB\xBF<"), E::Bytes);
  EXPECT_EQ(detectEncoding("<version>"), E::Bytes);
  // A short file is padded with '0' bytes, so these cannot look like UTF-32.
  EXPECT_EQ(detectEncoding(""), E::Bytes);
  EXPECT_EQ(detectEncoding("\xFF"), E::Bytes);
  EXPECT_EQ(detectEncoding("\xFF\xFE"), E::Utf16LE);
  EXPECT_EQ(detectEncoding(std::string("\xFF\xFE\x00", 3)), E::Utf16LE);
  EXPECT_EQ(detectEncoding(std::string("\x00\x00\xFE", 3)), E::Bytes);
}

TEST(TextLines, SplitAtLineFeeds) {
  EXPECT_EQ(splitTextLines(""), Lines{});
  EXPECT_EQ(splitTextLines("a"), Lines{"a"});
  EXPECT_EQ(splitTextLines("a\n"), Lines{"a"});
  EXPECT_EQ(splitTextLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(splitTextLines("\n"), Lines{""});
  EXPECT_EQ(splitTextLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(splitTextLines("a\rb\r\r\nc"), (Lines{"ab", "c"}));
  EXPECT_EQ(splitTextLines("a\n\r"), (Lines{"a", ""}));
  EXPECT_EQ(splitTextLines(std::string("x\0y\n", 4)), Lines{std::string("x\0y", 3)});
}

TEST_F(TextFileTest, EveryUnicodeFormWithMarkReadsLikeUtf8) {
  Lines lines;
  ASSERT_TRUE(
      read(write("utf8.qvx", "<version>1.31\r\n<data>0 0 \xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80"
                             "\r\n"),
           lines));
  EXPECT_EQ(lines, kSampleLines);
  for (TextEncoding form : {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf32LE,
                            TextEncoding::Utf32BE}) {
    SCOPED_TRACE(static_cast<int>(form));
    ASSERT_TRUE(read(write("unicode.qvx", encode(kSample, form, true)), lines));
    EXPECT_EQ(lines, kSampleLines);
  }
}

TEST_F(TextFileTest, UnicodeWithoutMarkIsTakenByteForByte) {
  Lines lines;
  const std::string le = encode({'<', 'a', '>', '\n', 'b'}, TextEncoding::Utf16LE, false);
  ASSERT_TRUE(read(write("le.qvx", le), lines));
  EXPECT_EQ(lines, (Lines{std::string("<\0a\0>\0", 6), std::string("\0b\0", 3)}));

  const std::string be32 = encode({'x'}, TextEncoding::Utf32BE, false);
  ASSERT_TRUE(read(write("be32.qvx", be32), lines));
  EXPECT_EQ(lines, Lines{be32});
}

TEST_F(TextFileTest, Utf8MarkStaysInFrontOfTheFirstLine) {
  Lines lines;
  ASSERT_TRUE(read(write("bom.qvx", "\xEF\xBB\xBF<version>1.31\n<a>\n"), lines));
  EXPECT_EQ(lines, (Lines{"\xEF\xBB\xBF<version>1.31", "<a>"}));
}

TEST_F(TextFileTest, TruncatedOrMalformedUnicodeFails) {
  Lines lines;
  const std::string le = encode(kSample, TextEncoding::Utf16LE, true);
  EXPECT_FALSE(read(write("odd.qvx", le.substr(0, le.size() - 1)), lines));
  // Cut inside the surrogate pair of the last non-BMP character.
  EXPECT_FALSE(read(write("pair.qvx", le.substr(0, le.size() - 6)), lines));
  const std::string be32 = encode(kSample, TextEncoding::Utf32BE, true);
  EXPECT_FALSE(read(write("cut32.qvx", be32.substr(0, be32.size() - 3)), lines));

  EXPECT_FALSE(
      read(write("lonehigh.qvx", encode({'a', 0xD800, 'b'}, TextEncoding::Utf16LE, true)), lines));
  EXPECT_FALSE(
      read(write("lonelow.qvx", encode({'a', 0xDC00, 'b'}, TextEncoding::Utf16BE, true)), lines));
  EXPECT_FALSE(
      read(write("beyond.qvx", encode({'a', 0x110000}, TextEncoding::Utf32LE, true)), lines));
  EXPECT_FALSE(read(write("neg.qvx", encode({0xFFFFFFFF}, TextEncoding::Utf32BE, true)), lines));
}

TEST_F(TextFileTest, MarkAloneDecodesToNothingAndFails) {
  Lines lines;
  EXPECT_FALSE(read(write("le.qvx", "\xFF\xFE"), lines));
  EXPECT_FALSE(read(write("be.qvx", "\xFE\xFF"), lines));
  EXPECT_FALSE(read(write("le32.qvx", std::string("\xFF\xFE\x00\x00", 4)), lines));
  // A lone 0xFF is too short for a mark and is read as it is.
  ASSERT_TRUE(read(write("ff.qvx", "\xFF"), lines));
  EXPECT_EQ(lines, Lines{"\xFF"});
}

TEST_F(TextFileTest, BinaryGarbageNeverCrashes) {
  uint32_t state = 12345;
  auto next = [&] { return static_cast<char>((state = state * 1103515245u + 12345u) >> 16); };
  for (const char* start : {"", "\xFF\xFE", "\xFE\xFF"}) {
    for (size_t size : {1u, 2u, 3u, 5u, 4096u, 4099u}) {
      std::string bytes = start;
      while (bytes.size() < size)
        bytes += next();
      Lines lines;
      const bool ok = read(write("garbage.bin", bytes), lines);
      if (*start == '\0' && detectEncoding(bytes.substr(0, 4)) == TextEncoding::Bytes) {
        // Byte for byte: only carriage returns and the line feeds themselves go missing.
        ASSERT_TRUE(ok);
        std::string joined, expected;
        for (const std::string& line : lines)
          joined += (joined.empty() ? "" : "\n") + line;
        for (char c : bytes)
          if (c != '\r') expected += c;
        EXPECT_TRUE(joined == expected || joined + '\n' == expected);
      }
    }
  }
}

TEST_F(TextFileTest, UnreadableFilesFailWithAReason) {
  Lines lines;
  EXPECT_FALSE(read("", lines));
  EXPECT_FALSE(read((dir_ / "missing.qvx").string(), lines));
  EXPECT_FALSE(read(write("empty.qvx", ""), lines));
  EXPECT_FALSE(read(dir_.string(), lines));

  // Sparse, so this costs no disk space; it must be refused by its size, not loaded.
  const std::string big = write("big.qvx", "<version>1.31\n");
  fs::resize_file(big, kMaxTextFileBytes + 1);
  EXPECT_FALSE(read(big, lines));
}
