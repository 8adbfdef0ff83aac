#include "io/TextFile.h"
#include "io/core/TextLines.h"

#include "../support/EncodeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace orbala;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
using E = TextEncoding;

// "<version>1.31\r\n<data>0 0 Ä€😀\r\n" as code points and as UTF-8 lines.
const std::u32string kSample = U"<version>1.31\r\n<data>0 0 \u00C4\u20AC\U0001F600\r\n";
const Lines kSampleLines = {"<version>1.31", "<data>0 0 \xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80"};

// Bytes that end where readable memory ends, so a read past them faults at once, also inside the
// toolkit's codecs, which no sanitizer watches.
class GuardedBytes {
public:
  explicit GuardedBytes(const std::string& bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    span_ = (bytes.size() / page + 2) * page;
    base_ = static_cast<char*>(
        mmap(nullptr, span_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    EXPECT_NE(base_, MAP_FAILED);
    char* guard = base_ + span_ - page;
    EXPECT_EQ(mprotect(guard, page, PROT_NONE), 0);
    view_ = std::string_view(guard - bytes.size(), bytes.size());
    bytes.copy(guard - bytes.size(), bytes.size());
  }
  ~GuardedBytes() { munmap(base_, span_); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  std::string_view view() const { return view_; }

private:
  char* base_ = nullptr;
  size_t span_ = 0;
  std::string_view view_;
};

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

TEST(TextLines, EncodingFromByteOrderMarkAndLinesSplitAtLineFeeds) {
  // A short file is padded with '0' bytes, so the short ones cannot look like UTF-32.
  for (const auto& [bytes, form] :
       std::vector<std::pair<std::string, E>>{{std::string("\x00\x00\xFE\xFF", 4), E::Utf32BE},
                                              {std::string("\xFF\xFE\x00\x00", 4), E::Utf32LE},
                                              {std::string("\xFF\xFE<\x00", 4), E::Utf16LE},
                                              {std::string("\xFE\xFF\x00<", 4), E::Utf16BE},
                                              {"\xEF\xBB\xBF<", E::Bytes},
                                              {"", E::Bytes},
                                              {"\xFF", E::Bytes},
                                              {"\xFF\xFE", E::Utf16LE},
                                              {std::string("\xFF\xFE\x00", 3), E::Utf16LE},
                                              {std::string("\x00\x00\xFE", 3), E::Bytes}})
    EXPECT_EQ(detectEncoding(bytes), form) << bytes.size();

  EXPECT_EQ(splitTextLines(""), Lines{});
  EXPECT_EQ(splitTextLines("a"), Lines{"a"});
  EXPECT_EQ(splitTextLines("a\n"), Lines{"a"});
  EXPECT_EQ(splitTextLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(splitTextLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(splitTextLines("a\rb\r\r\nc"), (Lines{"ab", "c"}));
  EXPECT_EQ(splitTextLines("a\n\r"), (Lines{"a", ""}));
  EXPECT_EQ(splitTextLines(std::string("x\0y\n", 4)), Lines{std::string("x\0y", 3)});
}

TEST_F(TextFileTest, MarkedUnicodeReadsLikeUtf8AndTheRestByteForByte) {
  Lines lines;
  for (E form : {E::Utf16LE, E::Utf16BE, E::Utf32LE, E::Utf32BE}) {
    ASSERT_TRUE(read(write("unicode.qvx", encodeText(kSample, form, true)), lines));
    EXPECT_EQ(lines, kSampleLines) << static_cast<int>(form);
  }
  // UTF-8 is read as it is, and so is Unicode without a mark; a UTF-8 mark stays in front of the
  // first line; a lone 0xFF is too short for a mark.
  const std::string be32 = encodeText({'x'}, E::Utf32BE, false);
  for (const auto& [bytes, want] : std::vector<std::pair<std::string, Lines>>{
           {"<version>1.31\r\n<data>0 0 \xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80\r\n", kSampleLines},
           {encodeText({'<', 'a', '>', '\n', 'b'}, E::Utf16LE, false),
            {std::string("<\0a\0>\0", 6), std::string("\0b\0", 3)}},
           {be32, {be32}},
           {"\xEF\xBB\xBF<version>1.31\n<a>\n", {"\xEF\xBB\xBF<version>1.31", "<a>"}},
           {"\xFF", {"\xFF"}}}) {
    ASSERT_TRUE(read(write("bytes.qvx", bytes), lines));
    EXPECT_EQ(lines, want);
  }
}

TEST_F(TextFileTest, BrokenEmptyMissingAndOversizedFilesFailWithAReason) {
  const std::string le = encodeText(kSample, E::Utf16LE, true);
  const std::string be32 = encodeText(kSample, E::Utf32BE, true);
  int i = 0;
  for (const std::string& bytes :
       {le.substr(0, le.size() - 1), le.substr(0, le.size() - 6), // the latter inside a pair
        encodeText({'a', 0xD800}, E::Utf16BE, true), be32.substr(0, be32.size() - 3),
        encodeText({'a', 0xD800, 'b'}, E::Utf16LE, true),
        encodeText({'a', 0xDC00, 'b'}, E::Utf16BE, true),
        encodeText({'a', 0x110000}, E::Utf32LE, true), encodeText({0xFFFFFFFF}, E::Utf32BE, true),
        // A mark alone decodes to nothing.
        std::string("\xFF\xFE"), std::string("\xFE\xFF"), std::string("\xFF\xFE\x00\x00", 4)}) {
    const GuardedBytes guarded(bytes);
    std::string utf8, why;
    EXPECT_FALSE(decodeText(guarded.view(), utf8, &why)) << "case " << i;
    EXPECT_FALSE(why.empty()) << "case " << i;
    ++i;
  }
  // A pair that ends the text right at the edge is whole and decodes.
  for (E form : {E::Utf16LE, E::Utf16BE}) {
    const GuardedBytes guarded(encodeText({'a', 0x1F600}, form, true));
    std::string utf8;
    EXPECT_TRUE(decodeText(guarded.view(), utf8));
    EXPECT_EQ(utf8, "a\xF0\x9F\x98\x80");
  }

  Lines lines;
  for (const std::string& bytes : {le.substr(0, le.size() - 6), std::string()})
    EXPECT_FALSE(read(write("bad.qvx", bytes), lines));
  EXPECT_FALSE(read("", lines));
  EXPECT_FALSE(read((dir_ / "missing.qvx").string(), lines));
  EXPECT_FALSE(read(dir_.string(), lines));
  // Sparse, so this costs no disk space; it must be refused by its size, not loaded.
  const std::string big = write("big.qvx", "<version>1.31\n");
  fs::resize_file(big, kMaxTextFileBytes + 1);
  EXPECT_FALSE(read(big, lines));
}

// Cut anywhere, a text is decoded or refused without a byte read past its end.
TEST(TextLines, EveryCutOfAUnicodeTextStaysInItsBytes) {
  for (E form : {E::Utf16LE, E::Utf16BE, E::Utf32LE, E::Utf32BE}) {
    const std::string full = encodeText(kSample, form, true);
    for (size_t n = 0; n <= full.size(); ++n) {
      const GuardedBytes guarded(full.substr(0, n));
      std::string utf8;
      const bool ok = decodeText(guarded.view(), utf8);
      if (n == full.size()) {
        EXPECT_TRUE(ok && splitTextLines(utf8) == kSampleLines);
      }
    }
  }
}
