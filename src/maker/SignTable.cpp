#include "maker/SignTable.h"

#include <algorithm>

namespace rovenza {

namespace {

constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
constexpr std::size_t kColumns = 4;
// The header the writer puts first.
const char* const kHeader = reinterpret_cast<const char*>(u8"主表示,副表示,文字色,背景色");

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string colourText(Rgb colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kDigits[(colour >> shift) & 0xF];
  return text;
}

bool parseColour(std::string_view text, Rgb& colour) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return false;
  Rgb value = 0;
  for (char c : text) {
    const int digit = hexValue(c);
    if (digit < 0) return false;
    value = value << 4 | static_cast<Rgb>(digit);
  }
  colour = value;
  return true;
}

CsvReadResult readSignTableCsv(const unsigned char* data, std::size_t size, TextCodec& codec) {
  CsvReadResult result;
  DecodedText decoded = decodeText(std::string_view(reinterpret_cast<const char*>(data), size), codec);
  result.encoding = decoded.encoding;
  auto fail = [&result](CsvProblem problem, int line) {
    result.rows.clear();
    result.problem = problem;
    result.line = line;
    return result;
  };
  if (!decoded.ok) return fail(CsvProblem::BadEncoding, decoded.badLine);

  CsvReader reader(decoded.utf8);
  CsvRecord record;
  bool header = true;
  for (;;) {
    const CsvReader::Step step = reader.next(record);
    if (step == CsvReader::Step::End) break;
    if (step == CsvReader::Step::BrokenQuote) return fail(CsvProblem::BrokenQuote, reader.line());
    if (header) {
      header = false;
      continue;
    }
    if (record.blank()) continue;
    if (record.cells.size() < kColumns) return fail(CsvProblem::TooFewColumns, record.line);
    if (result.rows.size() == kMaxSignRows) return fail(CsvProblem::TooManyRows, record.line);
    SignRow row;
    row.main = std::move(record.cells[0]);
    row.sub = std::move(record.cells[1]);
    for (int k = 2; k < 4; ++k) {
      Rgb& target = k == 2 ? row.text : row.background;
      if (trimmed(record.cells[k]).empty()) continue;
      if (!parseColour(record.cells[k], target)) return fail(CsvProblem::BadColour, record.line);
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

void writeSignTableCsv(const std::vector<SignRow>& rows, std::vector<unsigned char>& out) {
  std::string text(reinterpret_cast<const char*>(kBom), sizeof kBom);
  text += kHeader;
  text += "\r\n";
  for (const SignRow& row : rows) {
    appendCsvCell(text, row.main);
    text += ',';
    appendCsvCell(text, row.sub);
    text += ',';
    text += colourText(row.text);
    text += ',';
    text += colourText(row.background);
    text += "\r\n";
  }
  out.assign(text.begin(), text.end());
}

std::string csvProblemText(const CsvReadResult& result) {
  const std::string where = std::to_string(result.line) + "行目";
  switch (result.problem) {
    case CsvProblem::None:
      return std::string();
    case CsvProblem::BadEncoding:
      return where + (result.encoding == TextEncoding::ShiftJis ? "の文字をShift_JISとして読めません。" : "の文字をUTF-8として読めません。") +
             "UTF-8かShift_JISで保存したCSVファイルを選んでください。";
    case CsvProblem::TooManyRows:
      return where + "で行が" + std::to_string(kMaxSignRows) + "を超えました。表に入る行は" +
             std::to_string(kMaxSignRows) + "までです。";
    case CsvProblem::BrokenQuote:
      return where + "の引用符（\"）が閉じていません。";
    case CsvProblem::TooFewColumns:
      return where + "の列が足りません。主表示、副表示、文字色、背景色の4列が要ります。";
    case CsvProblem::BadColour:
      return where + "の色が読めません。色は #RRGGBB の形で書いてください。";
  }
  return std::string();
}

}  // namespace rovenza
