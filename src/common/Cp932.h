#pragma once
// Helpers for code page 932 (Shift-JIS) byte strings: every text of the
// program, of its files and of its paths is one.
#include <cstddef>
#include <string>
#include <string_view>

namespace rovenza {

// A lead byte (0x81-0x9F, 0xE0-0xFC) takes the next byte with it.
bool isLeadByte(unsigned char byte);

// Byte length of the character starting at `pos` (1 or 2; 1 for a lead byte
// that is the last byte of the text). Returns 0 at or past the end.
std::size_t charLength(std::string_view text, std::size_t pos);

// Number of characters in `text`.
std::size_t countChars(std::string_view text);

// Blank test for trimming: the ASCII space and the ideographic space (81 40).
// Returns the byte length of the blank at `pos`, or 0 when there is none.
std::size_t blankLength(std::string_view text, std::size_t pos);

// Removes leading and trailing blanks (ASCII space, ideographic space),
// walking whole characters so that a trail byte 0x40 or 0x20 is never taken
// for a blank.
std::string trimSpaces(std::string_view text);

// The last four bytes of `text` with ASCII letters upper-cased (fewer when
// the text is shorter). Used by the file extension rule.
std::string upperLastFour(std::string_view text);

// `path` with its last four bytes removed (all of it when shorter) and
// `extension` appended: the program's file next to the program.
std::string replaceLastFour(std::string_view path, std::string_view extension);

}  // namespace rovenza
