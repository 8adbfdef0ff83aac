// Numbers in cells, fields and files: the longest numeric prefix, a dot whatever the locale.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <clocale>
#include <string>

#include "table/core/Numbers.h"

using namespace orbala;

namespace {
// Runs the checks under a decimal-comma locale when the machine has one.
class CommaLocale : public ::testing::Test {
protected:
  void SetUp() override {
    saved = std::setlocale(LC_ALL, nullptr);
    haveComma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  void TearDown() override { std::setlocale(LC_ALL, saved.c_str()); }
  std::string saved;
  bool haveComma = false;
};
} // namespace

TEST_F(CommaLocale, ParsingReadsCommaAndDotAlike) {
  ASSERT_TRUE(haveComma) << "install-deps.sh generates de_DE.UTF-8";
  EXPECT_DOUBLE_EQ(parseNumber("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(parseNumber("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(parseNumber("  -2.5e3xyz"), -2500.0);
  EXPECT_DOUBLE_EQ(parseNumber("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(parseNumber("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(parseNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(parseNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(parseNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(parseNumber("+-1"), 0.0);
  EXPECT_DOUBLE_EQ(parseNumber("1e"), 1.0);
  // Out of range keeps sign and size, read without the locale too.
  EXPECT_TRUE(std::isinf(parseNumber("1.5e999")));
  EXPECT_TRUE(parseNumber("-1e999") < -1e300);
  EXPECT_TRUE(std::isinf(parseNumber(std::string(400, '9'))));
  EXPECT_DOUBLE_EQ(parseNumber("1.5e-999"), 0.0);
}

TEST_F(CommaLocale, FormattingWritesADot) {
  ASSERT_TRUE(haveComma);
  EXPECT_EQ(formatFixed(1.0, 2), "1.00");
  EXPECT_EQ(formatFixed(0.995, 3), "0.995");
  EXPECT_EQ(formatFixed(12.345, 1), "12.3");
  EXPECT_EQ(formatFixed(-0.5, 1), "-0.5");
  EXPECT_EQ(formatScientific(0.9), "9.000000e-01");
  EXPECT_EQ(formatScientific(-1234.5), "-1.234500e+03");
  EXPECT_EQ(parseNumber(formatScientific(3.14159265, 6)), 3.141593);
}

TEST(Numbers, IntegersTakeTheDecimalPrefixAndSaturate) {
  EXPECT_EQ(parseInt(" 12abc"), 12);
  EXPECT_EQ(parseInt("-7"), -7);
  EXPECT_EQ(parseInt("+3"), 3);
  EXPECT_EQ(parseInt("2.9"), 2);
  EXPECT_EQ(parseInt("x1"), 0);
  EXPECT_EQ(parseInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(parseInt("-99999999999999999999"), INT_MIN);
}

TEST(Numbers, TrimAndReplace) {
  EXPECT_EQ(trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(replaceAll("1,2,3", ",", "."), "1.2.3");
  EXPECT_EQ(replaceAll("<_version>", "<_", "<"), "<version>");
  EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}
