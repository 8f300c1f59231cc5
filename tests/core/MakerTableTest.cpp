// The sign maker's table as CSV: good files in the encodings and line ends
// people save them with, bad files with the line that is wrong, and the
// writer's bytes read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IconvCodec.h"
#include "maker/SignTable.h"

namespace rovenza {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

CsvReadResult readCsv(std::string_view text) {
  test::IconvCodec codec;
  const Bytes bytes = bytesOf(text);
  return readSignTableCsv(bytes.data(), bytes.size(), codec);
}

std::string utf8(const char* text) { return text; }
#define U8(text) utf8(reinterpret_cast<const char*>(u8##text))

// Texts as the table holds them: UTF-8.
const SignRow kStation{U8("駅前"), "Ekimae", 0xFFFFFF, 0x003080};
const SignRow kDepot{U8("営業所"), "", 0xFFFF00, 0x000000};

struct GoodFile {
  const char* name;
  std::string bytes;
  std::vector<SignRow> rows;
};

TEST(MakerCsv, GoodFilesGiveTheirRows) {
  const std::string utf8Body = U8("駅前,Ekimae,#FFFFFF,#003080\n営業所,,#ffff00,000000\n");
  const GoodFile files[] = {
      {"UTF-8, LF, no mark", std::string("main,sub,text,background\n") + utf8Body, {kStation, kDepot}},
      {"UTF-8 with its mark", std::string("\xEF\xBB\xBFh,h,h,h\n") + utf8Body, {kStation, kDepot}},
      {"code page 932, CRLF", "h,h,h,h\r\n駅前,Ekimae,#FFFFFF,#003080\r\n営業所,,#FFFF00,#000000\r\n", {kStation, kDepot}},
      {"CR alone, no end at the last line", "h\r駅前,Ekimae,#FFFFFF,#003080\r営業所,,#FFFF00,#000000", {kStation, kDepot}},
      {"quotes: commas, doubled quotes, a line break",
       "h\n\"A, B\",\"say \"\"hi\"\"\",#FFFFFF,#000000\n\"two\nlines\",x,,\n",
       {{"A, B", "say \"hi\"", 0xFFFFFF, 0x000000}, {"two lines", "x", kDefaultTextColour, kDefaultBackgroundColour}}},
      {"blank lines skipped, empty cells kept as a blank frame", "h\n\n,,,\n\n", {SignRow{}}},
      {"more cells than four ignored", "h\nA,B,#010203,#040506,extra\n", {{"A", "B", 0x010203, 0x040506}}},
      {"only the header", "main,sub,text,background\r\n", {}},
      {"nothing at all", "", {}},
      {"a quote inside a plain cell is a letter", "h\nA\"B,,,\n", {{"A\"B", "", kDefaultTextColour, kDefaultBackgroundColour}}},
      {"UTF-8 letters code page 932 lacks", U8("h\n〜—−¥,한국 中文 🚌,,\n"),
       {{U8("〜—−¥"), U8("한국 中文 🚌"), kDefaultTextColour, kDefaultBackgroundColour}}},
  };
  for (const GoodFile& file : files) {
    const CsvReadResult result = readCsv(file.bytes);
    EXPECT_EQ(CsvProblem::None, result.problem) << file.name << " at line " << result.line;
    EXPECT_EQ(file.rows, result.rows) << file.name;
  }
}

struct BadFile {
  const char* name;
  std::string bytes;
  CsvProblem problem;
  int line;
};

TEST(MakerCsv, BadFilesOpenNothingAndNameTheLine) {
  const BadFile files[] = {
      {"neither UTF-8 nor code page 932", "h\nA,B,,\n\x81\x20,x,,\n", CsvProblem::BadEncoding, 3},
      {"a mark, then bytes that are not UTF-8", "\xEF\xBB\xBFh\r\nA,,,\r\n\x82\xA0,,,\r\n", CsvProblem::BadEncoding, 3},
      {"neither reading holds: the line Shift_JIS stops at", "h\n" + U8("駅,,,") + "\n\xFF,,,\n", CsvProblem::BadEncoding, 2},
      {"a quote never closed", "h\nA,,,\n\"B,,,\nC,,,\n", CsvProblem::BrokenQuote, 3},
      {"letters after a closing quote", "h\nA,,,\n\"B\"x,,,\n", CsvProblem::BrokenQuote, 3},
      {"too few columns", "h\nA,B,#000000,#000000\nC,D,#000000\n", CsvProblem::TooFewColumns, 3},
      {"a line counted after a quoted line break", "h\n\"A\nB\",,,\nC\n", CsvProblem::TooFewColumns, 4},
      {"a colour that is not one", "h\nA,B,#GG0000,\n", CsvProblem::BadColour, 2},
      {"a colour of five digits", "h\r\nA,B,#FFFFF,#000000\r\n", CsvProblem::BadColour, 2},
  };
  for (const BadFile& file : files) {
    const CsvReadResult result = readCsv(file.bytes);
    EXPECT_EQ(file.problem, result.problem) << file.name;
    EXPECT_EQ(file.line, result.line) << file.name;
    EXPECT_TRUE(result.rows.empty()) << file.name;
  }
}

TEST(MakerCsv, AtMost999RowsAndTheLineOfTheFirstPast) {
  std::string csv = "h\n\n";
  for (int i = 1; i <= 999; ++i) csv += "Stop,,,\n\n";
  const CsvReadResult full = readCsv(csv);
  EXPECT_EQ(CsvProblem::None, full.problem);
  EXPECT_EQ(kMaxSignRows, full.rows.size());
  const CsvReadResult over = readCsv(csv + "One more,,,\n");
  EXPECT_EQ(CsvProblem::TooManyRows, over.problem);
  EXPECT_EQ(2 + 2 * 999 + 1, over.line);
  EXPECT_TRUE(over.rows.empty());
  EXPECT_EQ("2001行目で行が999を超えました。表に入る行は999までです。", csvProblemText(over));
}

TEST(MakerCsv, TheMessageNamesTheLineAndTheEncodingTried) {
  const struct {
    CsvReadResult result;
    const char* text;
  } cases[] = {
      {{CsvProblem::TooFewColumns, 12, TextEncoding::Utf8, {}},
       "12行目の列が足りません。主表示、副表示、文字色、背景色の4列が要ります。"},
      {{CsvProblem::BadEncoding, 3, TextEncoding::ShiftJis, {}},
       "3行目の文字をShift_JISとして読めません。UTF-8かShift_JISで保存したCSVファイルを選んでください。"},
      {{CsvProblem::BadEncoding, 4, TextEncoding::Utf8, {}},
       "4行目の文字をUTF-8として読めません。UTF-8かShift_JISで保存したCSVファイルを選んでください。"},
      {{CsvProblem::None, 3, TextEncoding::Utf8, {}}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, csvProblemText(c.result));
}

TEST(MakerCsv, WrittenAsUtf8WithAMarkAndReadBackAlike) {
  const std::vector<SignRow> rows = {kStation, kDepot, {"A, \"B\"", " lead", 0x123456, 0xABCDEF}, SignRow{},
                                     {U8("〜🚌"), U8("한"), 0, 0}};
  test::IconvCodec codec;
  Bytes bytes;
  writeSignTableCsv(rows, bytes);
  const std::string text(bytes.begin(), bytes.end());
  const std::string expected = std::string("\xEF\xBB\xBF") +
                               reinterpret_cast<const char*>(u8"主表示,副表示,文字色,背景色\r\n駅前,Ekimae,#FFFFFF,#003080\r\n"
                                                             u8"営業所,,#FFFF00,#000000\r\n") +
                               "\"A, \"\"B\"\"\",\" lead\",#123456,#ABCDEF\r\n,,#FFFFFF,#000000\r\n" +
                               U8("〜🚌,한,#000000,#000000\r\n");
  EXPECT_EQ(expected, text);
  const CsvReadResult back = readSignTableCsv(bytes.data(), bytes.size(), codec);
  EXPECT_EQ(CsvProblem::None, back.problem);
  EXPECT_EQ(rows, back.rows);
}

TEST(MakerCsv, ColoursReadAndWritten) {
  const struct {
    const char* text;
    bool ok;
    Rgb colour;
  } cases[] = {{"#A0b1C2", true, 0xA0B1C2}, {"a0b1c2", true, 0xA0B1C2}, {" #000000 ", true, 0},
               {"#12345", false, 0},        {"#1234567", false, 0},     {"red", false, 0}};
  for (const auto& c : cases) {
    Rgb colour = 0x777777;
    EXPECT_EQ(c.ok, parseColour(c.text, colour)) << c.text;
    if (c.ok) {
      EXPECT_EQ(c.colour, colour) << c.text;
    }
  }
  EXPECT_EQ("#0A0B0C", colourText(0x0A0B0C));
}

}  // namespace
}  // namespace rovenza
