#pragma once
// A row's frame drawn as it will be written: the lines rasterised by GDI in
// the chosen face, then fitted and drawn by the core's lettering rules; the
// installed faces to choose from.
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/Scoped.h"
#include "maker/Lettering.h"
#include "maker/SignTable.h"
#include "record/Picture.h"

namespace rovenza {

// The LED colours a folder can be drawn in; RowColours lights each row's
// dots in its own text colour on its background colour.
enum class LedColour { Orange, Red, Green, White, RowColours };
constexpr int kLedColourCount = 5;
// The lit colour of a single LED colour.
Rgb ledLitColour(LedColour colour);

struct LetteringStyle {
  std::wstring face;
  bool bold = false;
};

class FrameRenderer {
 public:
  explicit FrameRenderer(LetteringStyle style);
  FrameRenderer(const FrameRenderer&) = delete;
  FrameRenderer& operator=(const FrameRenderer&) = delete;

  // A film frame: the row's background, its lines smoothed in its text colour.
  Picture filmFrame(const SignRow& row, int width, int height);
  // An LED frame: the row's lines on the dot grid of `pitch`, every glyph
  // pixel a dot.
  Picture ledFrame(const SignRow& row, int width, int height, LedColour colour, int pitch);

 private:
  // The line (UTF-8) as drawn in a font `height` pixels tall (its cell), at
  // the width it measures: with or without antialiasing.
  CoverageMask rasterise(const std::string& text, int height, bool smooth);
  HFONT font(int height, bool smooth);
  void drawRowLines(Picture& frame, const SignRow& row, Rgb colour, bool smooth);

  LetteringStyle style_;
  std::map<std::pair<int, bool>, ScopedFont> fonts_;
};

// The faces of the installed fonts (no vertical "@" faces), sorted, each once.
std::vector<std::wstring> installedFaces();
// The face chosen at first: "ＭＳ ゴシック" when installed, else the first
// Gothic face, else the first face.
std::wstring defaultFace(const std::vector<std::wstring>& faces);

// The picture's pixels drawn into `target` (a device context) stretched to
// `dest`.
void drawPicture(HDC target, const Picture& picture, const RECT& dest);

}  // namespace rovenza
