#include "maker/win32/MakerRender.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "common/win32/Dib.h"
#include "common/win32/WideText.h"

namespace rovenza {

namespace {

const wchar_t kPreferredFace[] = L"ＭＳ ゴシック";

bool isGothic(const std::wstring& face) {
  return face.find(L"ゴシック") != std::wstring::npos || face.find(L"Gothic") != std::wstring::npos;
}

int CALLBACK addFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  if (font->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::wstring>*>(list)->insert(font->lfFaceName);
  return 1;
}

}  // namespace

Rgb ledLitColour(LedColour colour) {
  switch (colour) {
    case LedColour::Orange:
      return 0xFF8C00;
    case LedColour::Red:
      return 0xFF2818;
    case LedColour::Green:
      return 0x30F050;
    case LedColour::White:
    case LedColour::RowColours:
      return 0xFFFFFF;
  }
  return 0xFFFFFF;
}

FrameRenderer::FrameRenderer(LetteringStyle style) : style_(std::move(style)) {}

HFONT FrameRenderer::font(int height, bool smooth) {
  ScopedFont& slot = fonts_[{height, smooth}];
  if (!slot) {
    slot.reset(CreateFontW(height, 0, 0, 0, style_.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           smooth ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           style_.face.c_str()));
  }
  return slot.get();
}

CoverageMask FrameRenderer::rasterise(const std::string& text, int height, bool smooth) {
  CoverageMask mask;
  if (text.empty() || height <= 0) return mask;
  const std::wstring wide = wideFrom(CP_UTF8, text);
  MemoryDC memory(nullptr);
  SelectGuard selectFont(memory.get(), font(height, smooth));
  SIZE extent{};
  if (!GetTextExtentPoint32W(memory.get(), wide.c_str(), static_cast<int>(wide.size()), &extent) || extent.cx <= 0) {
    return mask;
  }
  void* bits = nullptr;
  ScopedBitmap surface(newDibSection(dib32Info(extent.cx, -height), bits));  // top row first
  if (!surface) return mask;
  {
    SelectGuard selectSurface(memory.get(), surface.get());
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), RGB(255, 255, 255));
    TextOutW(memory.get(), 0, 0, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
  }
  mask.width = extent.cx;
  mask.height = height;
  mask.coverage.resize(static_cast<std::size_t>(mask.width) * height);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < mask.coverage.size(); ++i) {
    const std::uint32_t p = pixels[i];
    mask.coverage[i] = static_cast<std::uint8_t>(std::max({p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF}));
  }
  return mask;
}

void FrameRenderer::drawRowLines(Picture& frame, const SignRow& row, Rgb colour, bool smooth) {
  const LetteringPlan plan = letteringFor(frame.height, !row.sub.empty(), smooth ? Lettering::Film : Lettering::Dots);
  const CoverageMask main = rasterise(row.main, plan.mainHeight, smooth);
  const CoverageMask sub = rasterise(row.sub, plan.subHeight, smooth);
  const FrameFit fit = fitLines(frame.width, frame.height, main.width, plan.mainHeight, sub.width, plan.subHeight, plan.gap);
  const Sampling sampling = smooth ? Sampling::Smooth : Sampling::Nearest;
  drawLine(frame, main, fit.main, colour, sampling);
  drawLine(frame, sub, fit.sub, colour, sampling);
}

Picture FrameRenderer::filmFrame(const SignRow& row, int width, int height) {
  Picture frame = filledFrame(width, height, row.background);
  drawRowLines(frame, row, row.text, true);
  return frame;
}

Picture FrameRenderer::ledFrame(const SignRow& row, int width, int height, LedColour colour, int pitch) {
  const bool own = colour == LedColour::RowColours;
  // One pixel a dot: dark where no glyph pixel is, marked where one is.
  constexpr Rgb kUnlitMark = 0x000000;
  constexpr Rgb kLitMark = 0xFFFFFF;
  Picture dots = filledFrame(ledDotsAcross(width, pitch), ledDotsDown(height, pitch), own ? row.background : kUnlitMark);
  drawRowLines(dots, row, own ? row.text : kLitMark, false);
  const Rgb lit = ledLitColour(colour);
  return rovenza::ledFrame(dots, width, height, LedDots{pitch, kUnlitMark, lit, unlitColourOf(lit), own});
}

std::vector<std::wstring> installedFaces() {
  std::set<std::wstring> faces;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  WindowDC screen(nullptr);
  EnumFontFamiliesExW(screen.get(), &query, addFace, reinterpret_cast<LPARAM>(&faces), 0);
  return std::vector<std::wstring>(faces.begin(), faces.end());
}

std::wstring defaultFace(const std::vector<std::wstring>& faces) {
  if (std::find(faces.begin(), faces.end(), kPreferredFace) != faces.end()) return kPreferredFace;
  for (const std::wstring& face : faces) {
    if (isGothic(face)) return face;
  }
  return faces.empty() ? std::wstring(kPreferredFace) : faces.front();
}

void drawPicture(HDC target, const Picture& picture, const RECT& dest) {
  if (picture.width <= 0 || picture.height <= 0) return;
  const BITMAPINFO info = dib32Info(picture.width, -picture.height);
  SetStretchBltMode(target, COLORONCOLOR);
  StretchDIBits(target, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, picture.width,
                picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace rovenza
