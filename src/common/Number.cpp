#include "common/Number.h"

#include <cmath>
#include <limits>

namespace rovenza {

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 99;
}

double parseRadix(std::string_view text, std::size_t pos, int radix) {
  double value = 0;
  for (; pos < text.size(); ++pos) {
    const int d = digitValue(text[pos]);
    if (d >= radix) break;
    value = value * radix + d;
  }
  return value;
}

}  // namespace

double parseNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos >= text.size()) return 0;

  if (text[pos] == '&') {
    ++pos;
    if (pos >= text.size()) return 0;
    const char base = text[pos];
    if (base == 'H' || base == 'h') return parseRadix(text, pos + 1, 16);
    if (base == 'O' || base == 'o') return parseRadix(text, pos + 1, 8);
    return 0;
  }

  bool negative = false;
  if (text[pos] == '-' || text[pos] == '+') {
    negative = text[pos] == '-';
    ++pos;
  }
  double value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10 + (text[pos] - '0');
  }
  if (pos < text.size() && text[pos] == '.') {
    double scale = 0.1;
    for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
      value += (text[pos] - '0') * scale;
      scale /= 10;
    }
  }
  return negative ? -value : value;
}

int parseInt(std::string_view text) {
  const double value = std::trunc(parseNumber(text));
  if (!(value == value)) return 0;  // NaN cannot come from digits, but stay safe.
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

std::string formatNumber(long long value) { return std::to_string(value); }

}  // namespace rovenza
