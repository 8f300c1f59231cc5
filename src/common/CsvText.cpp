#include "common/CsvText.h"

#include <cstdint>

namespace rovenza {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool lineBreakAt(std::string_view text, std::size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
}

// The first line of Shift_JIS text that `codec` cannot convert: each line
// on its own (a Shift_JIS trail byte is never a line end), ASCII lines
// skipped. 0 when every line converts.
int firstUnconvertedLine(std::string_view text, TextCodec& codec) {
  std::string converted;
  std::size_t start = 0;
  int line = 1;
  bool ascii = true;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size() || lineBreakAt(text, i);
    if (!end) {
      ascii = ascii && static_cast<unsigned char>(text[i]) < 0x80;
      continue;
    }
    if (!ascii && !codec.cp932ToUtf8(text.substr(start, i - start), converted)) return line;
    start = i + 1;
    ++line;
    ascii = true;
  }
  return 0;
}

}  // namespace

bool isUtf8(std::string_view bytes, std::size_t* badAt) {
  std::size_t i = 0;
  auto bad = [&] {
    if (badAt) *badAt = i;
    return false;
  };
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
      return bad();
    }
    if (i + extra >= bytes.size()) return bad();
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return bad();
      value = value << 6 | (c & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return bad();
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

int lineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) line += lineBreakAt(text, i);
  return line;
}

DecodedText decodeText(std::string_view bytes, TextCodec& codec) {
  DecodedText result;
  const bool marked = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  std::size_t badAt = 0;
  if (isUtf8(bytes, &badAt)) {
    result.ok = true;
    result.utf8.assign(bytes);
    return result;
  }
  if (marked) {
    result.badLine = lineAt(bytes, badAt);
    return result;
  }
  result.encoding = TextEncoding::ShiftJis;
  if (!isCp932(bytes, &badAt)) {
    result.badLine = lineAt(bytes, badAt);
    return result;
  }
  if (!codec.cp932ToUtf8(bytes, result.utf8)) {
    result.utf8.clear();
    result.badLine = firstUnconvertedLine(bytes, codec);
    if (result.badLine == 0) result.badLine = 1;
    return result;
  }
  result.ok = true;
  return result;
}

CsvReader::Step CsvReader::next(CsvRecord& record) {
  const std::string_view text = text_;
  const std::size_t n = text.size();
  std::size_t& i = at_;
  if (i >= n) return Step::End;
  record.line = line_;
  record.cells.clear();
  std::string cell;
  for (;;) {
    if (i < n && text[i] == '"') {
      const int opened = line_;
      ++i;
      for (;;) {
        if (i >= n) {
          badLine_ = opened;
          return Step::BrokenQuote;
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
          ++line_;
          cell += ' ';
          continue;
        }
        cell += c;
      }
      // After the closing quote only a comma or the line's end may come.
      if (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        badLine_ = line_;
        return Step::BrokenQuote;
      }
    } else {
      const std::size_t start = i;
      while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
      cell.append(text.substr(start, i - start));
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
    ++line_;
  }
  return Step::Record;
}

namespace {

bool needsQuotes(std::string_view cell) {
  if (cell.empty()) return false;
  if (cell.front() == ' ' || cell.back() == ' ') return true;
  return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

void appendCsvCell(std::string& out, std::string_view cell) {
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

}  // namespace rovenza
