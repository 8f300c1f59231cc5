#include "common/win32/WideText.h"

#include <algorithm>

namespace rovenza {

namespace {

bool toWide(UINT codePage, std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                             length) == length;
}

bool fromWide(UINT codePage, const std::wstring& wide, std::string& text) {
  text.clear();
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return false;
  text.resize(static_cast<std::size_t>(length));
  return WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                             usedDefaultOut) == length &&
         !usedDefault;
}

}  // namespace

bool SystemTextCodec::utf8ToCp932(std::string_view utf8, std::string& cp932) {
  std::wstring wide;
  return toWide(CP_UTF8, utf8, wide) && fromWide(kCp932, wide, cp932);
}

bool SystemTextCodec::cp932ToUtf8(std::string_view cp932, std::string& utf8) {
  std::wstring wide;
  return toWide(kCp932, cp932, wide) && fromWide(CP_UTF8, wide, utf8);
}


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
