#pragma once
// Number <-> text conversions used by every field of the program.
#include <cstddef>
#include <string>
#include <string_view>

namespace rovenza {

// Reads a number from the start of `text` the way the program's fields do:
// leading blanks and tabs skipped; "&H"/"&O" (either case) read hexadecimal or
// octal digits as an unsigned value; otherwise an optional sign, decimal digits
// and an optional fraction. Reading stops at the first character that does not
// fit; no digits give 0. Never reads past the end of `text`.
double parseNumber(std::string_view text);

// Truncates parseNumber's result toward zero into an int, saturating at the
// int range (a field full of digits must not become undefined behaviour).
int parseInt(std::string_view text);

// Decimal text of `value`: "-" before a negative number, no blank, no "+".
std::string formatNumber(long long value);

}  // namespace rovenza
