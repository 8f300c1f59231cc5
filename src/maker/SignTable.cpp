#include "maker/SignTable.h"

#include <algorithm>

#include "common/ByteReader.h"

namespace rovenza {

namespace {

constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
constexpr std::size_t kColumns = 4;
// The header the writer puts first (code page 932; converted to UTF-8 as
// every other text is).
constexpr char kHeader[] = "主表示,副表示,文字色,背景色";

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

struct Record {
  int line = 0;  // where it starts
  std::vector<std::string> cells;
  bool empty() const { return cells.size() == 1 && cells[0].empty(); }
};

// Splits the text into records; false (and `line` set) at a broken quote.
bool splitRecords(std::string_view text, std::vector<Record>& records, int& badLine) {
  std::size_t i = 0;
  int line = 1;
  const std::size_t n = text.size();
  while (i < n) {
    Record record;
    record.line = line;
    std::string cell;
    for (;;) {
      if (i < n && text[i] == '"') {
        const int opened = line;
        ++i;
        for (;;) {
          if (i >= n) {
            badLine = opened;
            return false;
          }
          const char c = text[i++];
          if (c == '"') {
            if (i < n && text[i] == '"') {
              cell += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\r' || c == '\n') {
            if (c == '\r' && i < n && text[i] == '\n') ++i;
            ++line;
            cell += ' ';
            continue;
          }
          cell += c;
        }
        // After the closing quote only a comma or the line's end may come.
        if (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
          badLine = line;
          return false;
        }
      } else {
        while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') cell += text[i++];
      }
      record.cells.push_back(std::move(cell));
      cell.clear();
      if (i < n && text[i] == ',') {
        ++i;
        continue;
      }
      break;
    }
    if (i < n) {
      if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++i;
      ++line;
    }
    records.push_back(std::move(record));
  }
  return true;
}

bool needsQuotes(std::string_view cell) {
  if (cell.empty()) return false;
  if (cell.front() == ' ' || cell.back() == ' ') return true;
  return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

void appendCell(std::string& out, std::string_view cell) {
  if (!needsQuotes(cell)) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The 1-based line of byte `offset`.
int lineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
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

bool isUtf8(std::string_view bytes, std::size_t* badAt) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    std::uint32_t min = 0;
    std::uint32_t value = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, value = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, value = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, value = b & 0x07;
    } else {
      if (badAt) *badAt = i;
      return false;
    }
    if (i + extra >= bytes.size()) {
      if (badAt) *badAt = i;
      return false;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) {
        if (badAt) *badAt = i;
        return false;
      }
      value = value << 6 | (c & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      if (badAt) *badAt = i;
      return false;
    }
    i += extra + 1;
  }
  return true;
}

bool isCp932(std::string_view bytes, std::size_t* badAt) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
      ++i;
      continue;
    }
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const bool trailOk = i + 1 < bytes.size() && [&] {
      const auto t = static_cast<unsigned char>(bytes[i + 1]);
      return (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC);
    }();
    if (!lead || !trailOk) {
      if (badAt) *badAt = i;
      return false;
    }
    i += 2;
  }
  return true;
}

CsvReadResult readSignTableCsv(const unsigned char* data, std::size_t size, TextCodec& codec) {
  CsvReadResult result;
  ByteReader reader(data, size);
  const bool bom = reader.expect(reinterpret_cast<const char*>(kBom), sizeof kBom);
  std::string_view text(reinterpret_cast<const char*>(data) + reader.position(), reader.remaining());
  std::size_t badAt = 0;
  bool utf8 = isUtf8(text, &badAt);
  if (!utf8 && !bom) {
    std::size_t cp932BadAt = 0;
    if (isCp932(text, &cp932BadAt)) {
      utf8 = false;
    } else {
      result.problem = CsvProblem::BadEncoding;
      result.line = lineAt(text, std::max(badAt, cp932BadAt));
      return result;
    }
  } else if (!utf8) {
    result.problem = CsvProblem::BadEncoding;
    result.line = lineAt(text, badAt);
    return result;
  }

  std::vector<Record> records;
  int badLine = 0;
  if (!splitRecords(text, records, badLine)) {
    result.problem = CsvProblem::BrokenQuote;
    result.line = badLine;
    return result;
  }
  auto fail = [&result](CsvProblem problem, int line) {
    result.rows.clear();
    result.problem = problem;
    result.line = line;
    return result;
  };
  for (std::size_t r = 1; r < records.size(); ++r) {
    const Record& record = records[r];
    if (record.empty()) continue;
    if (record.cells.size() < kColumns) return fail(CsvProblem::TooFewColumns, record.line);
    SignRow row;
    for (int k = 0; k < 2; ++k) {
      std::string& target = k == 0 ? row.main : row.sub;
      if (!utf8) {
        target = record.cells[k];
      } else if (!codec.utf8ToCp932(record.cells[k], target)) {
        return fail(CsvProblem::BadEncoding, record.line);
      }
    }
    for (int k = 2; k < 4; ++k) {
      Rgb& target = k == 2 ? row.text : row.background;
      if (trimmed(record.cells[k]).empty()) continue;
      if (!parseColour(record.cells[k], target)) return fail(CsvProblem::BadColour, record.line);
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

bool writeSignTableCsv(const std::vector<SignRow>& rows, TextCodec& codec, std::vector<unsigned char>& out) {
  std::string text;
  std::string converted;
  if (!codec.cp932ToUtf8(kHeader, converted)) return false;
  text += converted;
  text += "\r\n";
  for (const SignRow& row : rows) {
    for (const std::string* cell : {&row.main, &row.sub}) {
      if (!codec.cp932ToUtf8(*cell, converted)) return false;
      appendCell(text, converted);
      text += ',';
    }
    text += colourText(row.text);
    text += ',';
    text += colourText(row.background);
    text += "\r\n";
  }
  out.assign(kBom, kBom + 3);
  out.insert(out.end(), text.begin(), text.end());
  return true;
}

std::string csvProblemText(CsvProblem problem, int line) {
  const std::string where = std::to_string(line) + "行目";
  switch (problem) {
    case CsvProblem::None:
      return std::string();
    case CsvProblem::BadEncoding:
      return where + "の文字を読めません。UTF-8かShift_JISで保存したCSVファイルを選んでください。";
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
