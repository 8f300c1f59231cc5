#include "common/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace rovenza {
namespace {

TEST(Cp932, LeadBytesAreTheTwoDoubleByteRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(expected, isLeadByte(static_cast<unsigned char>(b))) << b;
  }
}

TEST(Cp932, SourceTextsAreCompiledAsCodePage932) {
  // The build turns UTF-8 literals into code page 932 bytes.
  const std::string text = "回送";
  ASSERT_EQ(4u, text.size());
  EXPECT_EQ('\x89', text[0]);
  EXPECT_EQ('\xF1', text[1]);
  EXPECT_EQ(std::string("\x81\x40"), std::string("　"));
  EXPECT_EQ(std::string("\xBA\xDD\xC4\xDB\xB0\xD9\xB3\xA8\xDD\xC4\xDE\xB3"), std::string("ｺﾝﾄﾛｰﾙｳｨﾝﾄﾞｳ"));
}

TEST(Cp932, CountsDoubleByteCharactersOnce) {
  EXPECT_EQ(0u, countChars(""));
  EXPECT_EQ(3u, countChars("a回b"));
  EXPECT_EQ(2u, countChars("表\\"));  // 表 is 95 5C: the trail byte is not a backslash
  EXPECT_EQ(1u, countChars("\x81"));  // a lone lead byte at the end is one character
}

struct TrimCase {
  std::string text;
  std::string expected;
};

class TrimSpacesTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpacesTest, RemovesOnlyAsciiAndIdeographicBlanks) {
  EXPECT_EQ(GetParam().expected, trimSpaces(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpacesTest,
    ::testing::Values(TrimCase{"", ""}, TrimCase{"   ", ""}, TrimCase{"　　", ""}, TrimCase{" a ", "a"},
                      TrimCase{"　C:\\x.qv4　 ", "C:\\x.qv4"}, TrimCase{"\tx\t", "\tx\t"},
                      TrimCase{" a b ", "a b"},
                      // "＠" is 81 97 and "ー" is 81 5B: not blanks.
                      TrimCase{"ー", "ー"},
                      // A double-byte character whose trail byte is 0x40 (e.g. 83 40 "ァ") is not a blank.
                      TrimCase{"ァ", "ァ"}, TrimCase{" \x83\x40 ", "\x83\x40"},
                      // A trail byte 0x81 followed by 0x40 must not be read as an ideographic space.
                      TrimCase{"\x83\x81\x40", "\x83\x81\x40"}, TrimCase{"\x81\x40\x81\x40x\x81\x40", "x"}));

TEST(Cp932, UpperLastFourUpperCasesAsciiOnly) {
  EXPECT_EQ(".QV4", upperLastFour("board.qv4"));
  EXPECT_EQ(".QV4", upperLastFour("board.Qv4"));
  EXPECT_EQ(".TXT", upperLastFour("board.txt"));
  EXPECT_EQ("AB", upperLastFour("ab"));
  EXPECT_EQ("", upperLastFour(""));
  EXPECT_EQ("\x82\xA0Q4", upperLastFour("\x82\xA0q4"));
}

TEST(Cp932, ReplaceLastFourDropsExactlyFourBytes) {
  EXPECT_EQ("C:\\bin\\rovenza.ini", replaceLastFour("C:\\bin\\rovenza.exe", ".ini"));
  EXPECT_EQ("C:\\bin\\rov.ini", replaceLastFour("C:\\bin\\rovenza", ".ini"));
  EXPECT_EQ(".chm", replaceLastFour("abc", ".chm"));
}

}  // namespace
}  // namespace rovenza
