#include "common/win32/WideText.h"

#include <algorithm>

namespace rovenza {

std::wstring wideFrom(UINT codePage, std::string_view text) {
  std::wstring wide;
  if (text.empty()) return wide;
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return wide;
  wide.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string utf8From(std::wstring_view wide) {
  std::string text;
  if (wide.empty()) return text;
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return text;
  text.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

std::wstring windowTextW(HWND window) {
  if (!window) return std::wstring();
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(0, length)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, copied)));
  return text;
}

}  // namespace rovenza
