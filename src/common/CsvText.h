#pragma once
// Text files people save from spreadsheets and editors: their bytes decoded
// to UTF-8 (UTF-8 with or without a byte-order mark, or Shift_JIS), and CSV
// records read one at a time from the decoded text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rovenza {

// Conversions between UTF-8 and code page 932 that the system provides.
// Each returns false when the text has a character the other side lacks.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual bool utf8ToCp932(std::string_view utf8, std::string& cp932) = 0;
  virtual bool cp932ToUtf8(std::string_view cp932, std::string& utf8) = 0;
};

enum class TextEncoding { Utf8, ShiftJis };

struct DecodedText {
  bool ok = false;
  TextEncoding encoding = TextEncoding::Utf8;  // the one read, or tried last when not ok
  int badLine = 0;                             // 1-based line of the first byte it could not read
  std::string utf8;                            // the text, without a byte-order mark
};

// With a UTF-8 byte-order mark the bytes are UTF-8 and nothing else; without
// one they are UTF-8 when every sequence is well-formed UTF-8, otherwise
// Shift_JIS (code page 932, through `codec`). Line ends are CRLF, LF or CR.
DecodedText decodeText(std::string_view bytes, TextCodec& codec);

// Whether the bytes are well-formed UTF-8 / code page 932; `badAt` is the
// offset of the first byte that is not.
bool isUtf8(std::string_view bytes, std::size_t* badAt = nullptr);
bool isCp932(std::string_view bytes, std::size_t* badAt = nullptr);

// The 1-based line of byte `offset` of `text`.
int lineAt(std::string_view text, std::size_t offset);

struct CsvRecord {
  int line = 0;  // where it starts
  std::vector<std::string> cells;
  // A line with nothing on it.
  bool blank() const { return cells.size() == 1 && cells[0].empty(); }
};

// Reads records from text in an encoding whose bytes below 0x80 are ASCII
// (UTF-8 here): cells split at commas, a quoted cell may hold commas,
// doubled quotes and line breaks (each becomes a space, as a cell is one
// line); a quote inside an unquoted cell is a letter.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}
  enum class Step { Record, End, BrokenQuote };
  // The next record into `record` (its cells replaced). BrokenQuote for a
  // quote never closed or letters after a closing quote; `line()` then
  // names where.
  Step next(CsvRecord& record);
  int line() const { return badLine_; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
  int badLine_ = 0;
};

// Appends `cell` as a CSV cell: quoted (its quotes doubled) when it holds a
// comma, quote or line break or has a blank at either end, as it is otherwise.
void appendCsvCell(std::string& out, std::string_view cell);

}  // namespace rovenza
