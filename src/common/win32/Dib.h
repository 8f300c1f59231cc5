#pragma once
// 32-bit DIB sections: the form of every picture the program draws from
// its own pixels (the signs' pictures, a recording's captures).
#include <windows.h>

#include "common/win32/Scoped.h"

namespace rovenza {

// The header of a DIB of `width` x `height` at 32 bits a pixel with no
// colour table; a negative height keeps the rows from the top.
inline BITMAPINFO dib32Info(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// An empty DIB section of `info` and its pixels in `bits`; null (and `bits`
// null) when it cannot be made. The caller owns the bitmap.
inline HBITMAP newDibSection(const BITMAPINFO& info, void*& bits) {
  bits = nullptr;
  ScopedBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section && bits) return section.release();
  bits = nullptr;
  return nullptr;
}

}  // namespace rovenza
