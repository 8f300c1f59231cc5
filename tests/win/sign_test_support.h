#pragma once
// Helpers shared by the sign window tests: picture files of a chosen size,
// the panel controls a sign reads and switches, and sign window geometry.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelIds.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza::test {

// Writes a BMP file: bottom-up pixel rows of `bitCount` bits a pixel after
// the colour table `palette` (the three masks for BI_BITFIELDS), whose
// entries the header counts.
inline void writeBmpFile(const std::string& path, int width, int height, WORD bitCount,
                         const std::vector<RGBQUAD>& palette, const std::vector<unsigned char>& pixels,
                         DWORD compression = BI_RGB) {
  const auto paletteBytes = static_cast<DWORD>(palette.size() * sizeof(RGBQUAD));
  const auto pixelBytes = static_cast<DWORD>(pixels.size());
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info + paletteBytes;
  file.bfSize = file.bfOffBits + pixelBytes;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = bitCount;
  info.biCompression = compression;
  info.biSizeImage = pixelBytes;
  info.biClrUsed = compression == BI_BITFIELDS ? 0 : static_cast<DWORD>(palette.size());
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  if (paletteBytes) WriteFile(out, palette.data(), paletteBytes, &written, nullptr);
  WriteFile(out, pixels.data(), pixelBytes, &written, nullptr);
  CloseHandle(out);
}

// Writes a 24-bit BMP file whose row y (from the top) is all `rowColour(y)`.
template <typename RowColour>
void writeBmpRows(const std::string& path, int width, int height, RowColour rowColour) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    const COLORREF colour = rowColour(y);
    unsigned char* row = &pixels[static_cast<std::size_t>(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      row[x * 3] = GetBValue(colour);
      row[x * 3 + 1] = GetGValue(colour);
      row[x * 3 + 2] = GetRValue(colour);
    }
  }
  writeBmpFile(path, width, height, 24, {}, pixels);
}

// Writes a 24-bit BMP file of the given size, filled with one colour.
inline void writeBmp(const std::string& path, int width, int height, COLORREF colour) {
  writeBmpRows(path, width, height, [colour](int) { return colour; });
}

// Writes a two-colour BMP: an eighth of a byte a pixel on disk, a bitmap of
// the screen's depth (four bytes a pixel here) once decoded.
inline void writeOneBitBmp(const std::string& path, int width, int height) {
  const std::size_t stride = static_cast<std::size_t>((width + 31) / 32 * 4);
  const std::vector<RGBQUAD> palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  writeBmpFile(path, width, height, 1, palette, std::vector<unsigned char>(stride * height, 0x55));
}

inline void writeText(const std::string& path, const std::string& text) {
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(out);
}

// The controls of a sign's panel group, in the order the group is switched.
inline std::vector<int> panelGroup(int sign) {
  const PanelGroupIds& g = kPanelGroups[sign];
  std::vector<int> ids;
  for (int d = 0; d < 10; ++d) ids.push_back(g.digitFirst + d);
  for (int id : {g.start, g.clear, g.forward, g.back, g.speedEdit, g.intervalEdit, g.speedUpDown, g.intervalUpDown}) {
    ids.push_back(id);
  }
  return ids;
}

// pumpUntil for while rolls run. A roll's steps are messages sent to this
// thread; while they follow each other closely, a pump that takes messages
// until the queue is empty would answer them without ever coming back to the
// condition. This one posts itself a message, as user input would arrive,
// and takes one message at a time: the rolls leave a gap for a thread that
// has posted messages or input waiting, so each round ends.
template <typename Condition>
bool pumpWhileRolling(Condition condition, DWORD timeoutMs = 10000) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return condition();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // left for the session's own pump
        return condition();
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

inline void setPanelText(int id, const std::string& text) { SetDlgItemTextA(app.panelWindow, id, text.c_str()); }

inline std::string panelText(int id) {
  char text[256] = {};
  GetDlgItemTextA(app.panelWindow, id, text, sizeof text);
  return text;
}

// Top of the sign window in its clip window's client area, read from the window.
inline int signTop(int sign) {
  HWND window = signWindowOf(sign).handle();
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT origin{rect.left, rect.top};
  ScreenToClient(GetParent(window), &origin);
  return origin.y;
}

// A pixel of the sign's opening as the screen shows it, in its clip window's client area.
inline COLORREF clipPixel(int sign, int x, int y) {
  HWND clip = clipOf(sign).handle();
  HDC dc = GetDC(clip);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(clip, dc);
  return colour;
}

inline SIZE signSize(int sign) {
  RECT rect{};
  GetWindowRect(signWindowOf(sign).handle(), &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

inline SIZE bitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

// The bitmap's pixels as 32-bit B G R with alpha bytes cleared, rows from the top.
inline std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap) {
  const SIZE size = bitmapSize(bitmap);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) * size.cy);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The client area of `window` as the screen shows it (its children too), 0x00RRGGBB.
inline std::vector<std::uint32_t> screenPixels(HWND window, int& width, int& height) {
  const RECT client = clientRect(window);
  width = client.right - client.left;
  height = client.bottom - client.top;
  HDC screen = GetDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  std::vector<std::uint32_t> pixels = pixelsOf(bitmap);
  DeleteObject(bitmap);
  return pixels;
}

}  // namespace rovenza::test
