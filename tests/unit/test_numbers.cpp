// Numbers and texts in cells, fields and files: the longest numeric prefix, a dot whatever the
// locale, and the limits on what a cell may hold or the plot may show.
#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

using namespace orbala;

TEST(Numbers, ReadAndWrittenWithADotUnderACommaLocaleIntegersTrimAndReplace) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "install-deps.sh generates it";
  const double inf = INFINITY;
  // Out of range keeps sign and size; the last underflows to zero.
  const std::pair<const char*, double> numbers[] = {
      {"1,5", 1.5},   {"1.5", 1.5},     {"  -2.5e3xyz", -2500},
      {"+.5", 0.5},   {"1.2.3", 1.2},   {"abc", 0},
      {"", 0},        {"-", 0},         {"+-1", 0},
      {"1e", 1},      {"1.5e999", inf}, {"-1e999", -inf},
      {"1.5e-999", 0}};
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(parseNumber(text), value) << text;
  EXPECT_EQ(parseNumber(std::string(400, '9')), inf);
  for (const auto& [value, decimals, text] : std::vector<std::tuple<double, int, std::string>>{
           {1.0, 2, "1.00"}, {0.995, 3, "0.995"}, {12.345, 1, "12.3"}, {-0.5, 1, "-0.5"}})
    EXPECT_EQ(formatFixed(value, decimals), text);
  EXPECT_EQ(formatScientific(0.9), "9.000000e-01");
  EXPECT_EQ(formatScientific(-1234.5), "-1.234500e+03");
  std::setlocale(LC_ALL, saved.c_str());

  // As "%.*f" writes them in the C locale, near halves, ties, signed zeros and the very large
  // included.
  std::mt19937_64 random(11);
  std::vector<double> values = {
      0.015625, 1562.5e-5, 2.5, -0.000001,          -0.0,  0.0, 999999.999995,
      1e300,    -INFINITY, NAN, 4503599627370497.0, 0.125, 1e-7};
  for (int i = 0; i < 20000; ++i) {
    const double magnitude = std::pow(10.0, static_cast<int>(random() % 16) - 6);
    values.push_back((static_cast<double>(random() % 2000001) - 1e6) / 1e6 * magnitude);
    values.push_back((static_cast<double>(random() % 200001) + 0.5) / 1e5); // just off a half
  }
  for (const double value : values)
    for (int decimals : {0, 1, 3, 5, 9}) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
      ASSERT_EQ(formatFixed(value, decimals), expected) << value << " " << decimals;
    }

  for (const auto& [text, value] : {std::pair{" 12abc", 12}, {"-7", -7}, {"+3", 3}, {"2.9", 2}})
    EXPECT_EQ(parseInt(text), value) << text;
  for (const char* high : {"2147483647", "2147483648"})
    EXPECT_EQ(parseInt(high), INT_MAX);
  for (const char* low : {"-2147483648", "-99999999999999999999"})
    EXPECT_EQ(parseInt(low), INT_MIN);
  EXPECT_EQ(parseInt("x1"), 0);
  EXPECT_EQ(trim(" \t a b \r\n\v\f"), "a b");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(toUpperAscii("a\xC3\xA4z") + toLowerAscii("A\xC3\x84Z"), "A\xC3\xA4Za\xC3\x84z");
  EXPECT_EQ(replaceAll("1,2,3", ",", "."), "1.2.3");
  EXPECT_EQ(replaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

// The fast reading of plain decimals gives from_chars' own answers: value to the bit, end and
// error, for what it reads itself and for what it leaves to the library.
TEST(Numbers, DecimalsAreReadAsTheLibraryReadsThem) {
  std::vector<std::string> texts = {"-12.34567",
                                    "0.1",
                                    "-0.0",
                                    "1.",
                                    ".5",
                                    "-.5",
                                    ".",
                                    "-",
                                    "",
                                    "+5",
                                    "1e5",
                                    "1.5E-3",
                                    "1e",
                                    "0x10",
                                    "12.5.3",
                                    "nan",
                                    "-inf",
                                    "123456789012345",
                                    "1234567890123456",
                                    "0.000000000000001",
                                    "9007199254740993",
                                    "000000000000000001",
                                    "99999999999999.9",
                                    "0.30000000000000004",
                                    "5e-324",
                                    "1e400",
                                    "7 8"};
  std::mt19937_64 random(5);
  for (int i = 0; i < 20000; ++i) {
    std::string t = random() % 2 ? "-" : "";
    const int whole = static_cast<int>(random() % 9), places = static_cast<int>(random() % 12);
    for (int k = 0; k < whole; ++k)
      t += static_cast<char>('0' + random() % 10);
    if (places > 0 || random() % 4 == 0) t += '.';
    for (int k = 0; k < places; ++k)
      t += static_cast<char>('0' + random() % 10);
    texts.push_back(t);
  }
  for (const std::string& t : texts) {
    double fast = -7, slow = -7;
    const auto a = decimalFromChars(t.data(), t.data() + t.size(), fast);
    const auto b = std::from_chars(t.data(), t.data() + t.size(), slow);
    ASSERT_TRUE(a.ptr == b.ptr && a.ec == b.ec) << '"' << t << '"';
    ASSERT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0)
        << '"' << t << "\" " << fast << " " << slow;
  }
}

TEST(TableLimits, ClipNeverSplitsACharacterAndPlottableNumbersEndAtTenToTheThirty) {
  EXPECT_EQ(clipText("abc", 3), "abc");
  EXPECT_EQ(clipText("abcd", 3), "abc");
  // "ä" is two bytes and the emoji four: cut inside, they go whole.
  EXPECT_EQ(clipText("a\xC3\xA4", 3), "a\xC3\xA4");
  EXPECT_EQ(clipText("a\xC3\xA4", 2), "a");
  EXPECT_EQ(clipText("\xF0\x9F\x98\x80", 3), "");
  for (double v : {0.0, 1e30, -1e30})
    EXPECT_TRUE(isPlottable(v)) << v;
  for (double v : {1.0000001e30, -1.0000001e30, double(INFINITY), double(NAN)})
    EXPECT_FALSE(isPlottable(v)) << v;
}
