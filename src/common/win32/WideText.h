#pragma once
// Texts between the program's byte strings (code page 932, or UTF-8 where a
// text is kept whole) and the system's UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/CsvText.h"

namespace rovenza {

constexpr UINT kCp932 = 932;

// `text` in `codePage` as UTF-16; bytes the code page has no character for
// become U+FFFD.
std::wstring wideFrom(UINT codePage, std::string_view text);
// UTF-16 as UTF-8 (a lone surrogate becomes U+FFFD).
std::string utf8From(std::wstring_view wide);

// MultiByteToWideChar and WideCharToMultiByte, strict both ways: a byte
// sequence or character the other side lacks fails the conversion.
class SystemTextCodec : public TextCodec {
 public:
  bool utf8ToCp932(std::string_view utf8, std::string& cp932) override;
  bool cp932ToUtf8(std::string_view cp932, std::string& utf8) override;
};

// A window's text, whole.
std::wstring windowTextW(HWND window);

}  // namespace rovenza
