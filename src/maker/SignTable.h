#pragma once
// The table a sign is made from: one row per frame (main text, sub text,
// text and background colour), and its CSV form: a header line, then the
// columns main, sub, text colour, background colour ("#RRGGBB").
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/CsvText.h"

namespace rovenza {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb kDefaultTextColour = 0xFFFFFF;
constexpr Rgb kDefaultBackgroundColour = 0x000000;

struct SignRow {
  std::string main;  // UTF-8: the table keeps what is typed, whatever its script
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

// The most rows a table holds: the operation panel reaches frames 0 to 999,
// and frame 0 is the blank one.
constexpr std::size_t kMaxSignRows = 999;

enum class CsvProblem { None, BadEncoding, BrokenQuote, TooFewColumns, BadColour, TooManyRows };

struct CsvReadResult {
  CsvProblem problem = CsvProblem::None;
  int line = 0;  // 1-based line of the file the problem is on
  TextEncoding encoding = TextEncoding::Utf8;  // the encoding read (or tried, for BadEncoding)
  std::vector<SignRow> rows;
};

// Reads a table from CSV bytes, decoded as decodeText decodes them; records
// as CsvReader reads them. The first line is the header and is skipped;
// lines with nothing on them are skipped; every other line needs four cells
// (more are ignored); an empty colour cell takes the default; a row past
// kMaxSignRows is a problem at its line. On a problem no rows are returned
// and `line` names where it is.
CsvReadResult readSignTableCsv(const unsigned char* data, std::size_t size, TextCodec& codec);

// The table as CSV: UTF-8 with a byte-order mark, CRLF line ends, the header
// line, cells quoted when they hold a comma, quote or blank at either end.
void writeSignTableCsv(const std::vector<SignRow>& rows, std::vector<unsigned char>& out);

// The message for a problem, naming its line (code page 932).
std::string csvProblemText(const CsvReadResult& result);

}  // namespace rovenza
