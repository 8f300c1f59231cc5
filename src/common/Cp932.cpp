#include "common/Cp932.h"

namespace rovenza {

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t charLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
  return 1;
}

std::size_t countChars(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) ++count;
  return count;
}

std::size_t blankLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  if (text[pos] == ' ') return 1;
  if (pos + 1 < text.size() && static_cast<unsigned char>(text[pos]) == 0x81 &&
      static_cast<unsigned char>(text[pos + 1]) == 0x40) {
    return 2;
  }
  return 0;
}

std::string trimSpaces(std::string_view text) {
  std::size_t begin = 0;
  while (std::size_t n = blankLength(text, begin)) begin += n;
  // Walk forward so that character boundaries are known; remember where the
  // last non-blank character ended.
  std::size_t end = begin;
  for (std::size_t pos = begin; pos < text.size();) {
    const std::size_t blank = blankLength(text, pos);
    if (blank) {
      pos += blank;
    } else {
      pos += charLength(text, pos);
      end = pos;
    }
  }
  return std::string(text.substr(begin, end - begin));
}

std::string upperLastFour(std::string_view text) {
  std::string tail(text.size() > 4 ? text.substr(text.size() - 4) : text);
  for (char& c : tail) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return tail;
}

std::string replaceLastFour(std::string_view path, std::string_view extension) {
  std::string result(path.size() > 4 ? path.substr(0, path.size() - 4) : std::string_view());
  result += extension;
  return result;
}

}  // namespace rovenza
