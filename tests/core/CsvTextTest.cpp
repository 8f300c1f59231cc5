// Text files decoded as people save them: UTF-8 with its mark, UTF-8
// without one, Shift_JIS, and the line and encoding named when neither
// reading holds.
#include <gtest/gtest.h>

#include <string>

#include "IconvCodec.h"
#include "common/CsvText.h"

namespace rovenza {
namespace {

std::string u8text(const char* text) { return text; }
#define U8(text) u8text(reinterpret_cast<const char*>(u8##text))

struct Decoding {
  const char* name;
  std::string bytes;
  bool ok;
  TextEncoding encoding;
  int badLine;
  std::string utf8;
};

TEST(CsvText, TheEncodingIsChosenAndABadByteNamedByItsLine) {
  const std::string wide = U8("〜—−¥,한국어,中文,🚌\r\n");
  const Decoding cases[] = {
      {"UTF-8 without a mark, letters code page 932 lacks", "h\n" + wide, true, TextEncoding::Utf8, 0, "h\n" + wide},
      {"UTF-8 with its mark", "\xEF\xBB\xBF" + wide, true, TextEncoding::Utf8, 0, wide},
      {"a mark, then a bad byte on line 3", "\xEF\xBB\xBFh\r\nA\r\n\x82\xA0\r\n", false, TextEncoding::Utf8, 3, ""},
      {"Shift_JIS", "h\r\n駅前,営業所\r\n", true, TextEncoding::ShiftJis, 0, U8("h\r\n駅前,営業所\r\n")},
      {"not UTF-8 and not Shift_JIS: the first byte Shift_JIS cannot read", "h\n" + U8("駅") + "\n\xFF\n", false,
       TextEncoding::ShiftJis, 2, ""},
      {"Shift_JIS in form, a character the code page lacks on line 3", "h\r\n\x82\xA0\r\n\x85\x40\r\n", false,
       TextEncoding::ShiftJis, 3, ""},
      {"CR alone counts lines", "a\rb\r\xFF", false, TextEncoding::ShiftJis, 3, ""},
      {"nothing", "", true, TextEncoding::Utf8, 0, ""},
  };
  for (const Decoding& c : cases) {
    test::IconvCodec codec;
    const DecodedText decoded = decodeText(c.bytes, codec);
    EXPECT_EQ(c.ok, decoded.ok) << c.name;
    EXPECT_EQ(c.encoding, decoded.encoding) << c.name;
    EXPECT_EQ(c.badLine, decoded.badLine) << c.name;
    EXPECT_EQ(c.utf8, decoded.utf8) << c.name;
  }
}

TEST(CsvText, RecordsAreReadOneAtATime) {
  CsvReader reader("a,\"b,\"\"c\"\"\"\r\n\"two\nlines\",x\n\nlast");
  CsvRecord record;
  const struct {
    int line;
    std::vector<std::string> cells;
  } expected[] = {{1, {"a", "b,\"c\""}}, {2, {"two lines", "x"}}, {4, {""}}, {5, {"last"}}};
  for (const auto& e : expected) {
    ASSERT_EQ(CsvReader::Step::Record, reader.next(record));
    EXPECT_EQ(e.line, record.line);
    EXPECT_EQ(e.cells, record.cells);
  }
  EXPECT_EQ(CsvReader::Step::End, reader.next(record));

  CsvReader broken("a\n\"b\nc");
  ASSERT_EQ(CsvReader::Step::Record, broken.next(record));
  EXPECT_EQ(CsvReader::Step::BrokenQuote, broken.next(record));
  EXPECT_EQ(2, broken.line());
}

}  // namespace
}  // namespace rovenza
