#pragma once
// The table a sign is made from: one row per frame (main text, sub text,
// text and background colour), and its CSV form: a header line, then the
// columns main, sub, text colour, background colour ("#RRGGBB").
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rovenza {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb kDefaultTextColour = 0xFFFFFF;
constexpr Rgb kDefaultBackgroundColour = 0x000000;

struct SignRow {
  std::string main;  // code page 932, as every text of the program
  std::string sub;   // drawn smaller below the main text; may be empty
  Rgb text = kDefaultTextColour;
  Rgb background = kDefaultBackgroundColour;

  bool operator==(const SignRow& other) const {
    return main == other.main && sub == other.sub && text == other.text && background == other.background;
  }
};

// "#RRGGBB" (upper-case hex digits).
std::string colourText(Rgb colour);
// "#RRGGBB" or "RRGGBB" in either case, blanks around it allowed; false for
// anything else.
bool parseColour(std::string_view text, Rgb& colour);

// Conversions between UTF-8 and code page 932 that the system provides.
// Each returns false when the text has a character the other side lacks.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual bool utf8ToCp932(std::string_view utf8, std::string& cp932) = 0;
  virtual bool cp932ToUtf8(std::string_view cp932, std::string& utf8) = 0;
};

enum class CsvProblem { None, BadEncoding, BrokenQuote, TooFewColumns, BadColour };

struct CsvReadResult {
  CsvProblem problem = CsvProblem::None;
  int line = 0;  // 1-based line of the file the problem is on
  std::vector<SignRow> rows;
};

// Reads a table from CSV bytes: UTF-8 with or without a byte-order mark, or
// code page 932 when the bytes are not UTF-8. Line ends CRLF, LF or CR; a
// quoted cell may hold commas, doubled quotes and line breaks (which become
// spaces, as a cell's text is one line). The first line is the header and is
// skipped; lines with nothing on them are skipped; every other line needs
// four cells (more are ignored); an empty colour cell takes the default.
// On a problem no rows are returned and `line` names where it is.
CsvReadResult readSignTableCsv(const unsigned char* data, std::size_t size, TextCodec& codec);

// The table as CSV: UTF-8 with a byte-order mark, CRLF line ends, the header
// line, cells quoted when they hold a comma, quote or blank at either end.
// False when a text cannot be converted.
bool writeSignTableCsv(const std::vector<SignRow>& rows, TextCodec& codec, std::vector<unsigned char>& out);

// The message for a problem, naming its line (code page 932).
std::string csvProblemText(CsvProblem problem, int line);

// Whether the bytes are well-formed UTF-8 / code page 932; `badAt` is the
// offset of the first byte that is not.
bool isUtf8(std::string_view bytes, std::size_t* badAt = nullptr);
bool isCp932(std::string_view bytes, std::size_t* badAt = nullptr);

}  // namespace rovenza
