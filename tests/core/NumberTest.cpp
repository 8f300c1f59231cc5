#include "common/Number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace rovenza {
namespace {

struct ParseCase {
  std::string text;
  double expected;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(GetParam().expected, parseNumber(GetParam().text)) << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParseNumberTest,
    ::testing::Values(ParseCase{"", 0}, ParseCase{" 12abc", 12}, ParseCase{"007", 7}, ParseCase{"3.9", 3.9},
                      ParseCase{"-5", -5}, ParseCase{"&H1F", 31}, ParseCase{"&o17", 15}, ParseCase{"&h1f", 31},
                      ParseCase{"&O8", 0}, ParseCase{"\t\t 42", 42}, ParseCase{"   ", 0}, ParseCase{"&", 0},
                      ParseCase{"&Z12", 0}, ParseCase{"&", 0}, ParseCase{"-", 0}, ParseCase{".", 0},
                      ParseCase{"+8", 8}, ParseCase{"1e5", 1}, ParseCase{".5", 0.5}, ParseCase{"12.", 12},
                      ParseCase{"- 3", 0}, ParseCase{"\n5", 0}, ParseCase{"&HFFFFFFFF", 4294967295.0},
                      ParseCase{"1 2", 1}, ParseCase{"３", 0}));

TEST(ParseNumber, NeverReadsPastTheGivenLength) {
  // The view stops before the digits that follow in memory.
  const std::string backing = "12345";
  EXPECT_DOUBLE_EQ(12, parseNumber(std::string_view(backing).substr(0, 2)));
  const std::string hex = "&H";
  EXPECT_DOUBLE_EQ(0, parseNumber(std::string_view(hex.data(), 1)));
}

TEST(ParseNumber, HugeDigitRunsGiveALargeFiniteNumber) {
  const std::string digits(400, '9');
  const double value = parseNumber(digits);
  EXPECT_GT(value, 1e300);
  EXPECT_EQ(std::numeric_limits<int>::max(), parseInt(digits));
  EXPECT_EQ(std::numeric_limits<int>::min(), parseInt("-" + digits));
}

TEST(ParseNumber, EveryByteStringGivesANumber) {
  // All short byte strings over a small alphabet that exercises every branch.
  const char alphabet[] = {' ', '\t', '&', 'H', 'o', 'Z', '-', '+', '.', '7', '9', 'F', '\x81', '\x40', '\0'};
  for (char a : alphabet) {
    for (char b : alphabet) {
      for (char c : alphabet) {
        const char text[3] = {a, b, c};
        const double value = parseNumber(std::string_view(text, 3));
        EXPECT_EQ(value, value);  // never NaN
      }
    }
  }
}

TEST(ParseInt, TruncatesTowardZero) {
  EXPECT_EQ(3, parseInt("3.9"));
  EXPECT_EQ(-3, parseInt("-3.9"));
  EXPECT_EQ(0, parseInt("-0.5"));
  EXPECT_EQ(31, parseInt("&H1F"));
}

TEST(FormatNumber, DecimalWithMinusOnlyForNegatives) {
  EXPECT_EQ("0", formatNumber(0));
  EXPECT_EQ("41", formatNumber(41));
  EXPECT_EQ("-7", formatNumber(-7));
  EXPECT_EQ("999", formatNumber(999));
  EXPECT_EQ("-2147483648", formatNumber(std::numeric_limits<int>::min()));
}

}  // namespace
}  // namespace rovenza
