#include "sign/win32/SignLook.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "layout/Layout.h"
#include "sign/LedLook.h"
#include "sign/OpeningLook.h"
#include "sign/win32/Opening.h"
#include "sign/win32/Pictures.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

std::atomic<bool> lookOn{false};  // read by the roll threads as they draw
std::atomic<int> ledDotPitch{kDefaultDotPitch};  // read by the animation threads too

SignKind kindOf(int sign) { return effectiveKind(signSpecOf(sign).kind); }
bool showsKind(int sign, SignKind kind) { return kindOf(sign) == kind; }

// The strip's top in the clip window: where the sign window stands, less the
// strip rows above the window when the strip is taller than a window can be.
std::int32_t stripTopShown(int sign) {
  RECT rect{};
  GetWindowRect(signWindowOf(sign).handle(), &rect);
  POINT origin{rect.left, rect.top};
  ScreenToClient(clipOf(sign).handle(), &origin);
  return origin.y - app.signStates[sign].windowFirstRow;
}

// Every sign as it now looks: an LED sign's frame is read again from its
// file (the picture it showed was redrawn in place), a roll-film sign's
// opening painted again.
void redrawSigns() {
  for (int sign = 0; sign < kAllSigns; ++sign) {
    if (!clipOf(sign).handle()) continue;  // a face not open
    const SignState& state = app.signStates[sign];
    if (showsKind(sign, SignKind::Led) && state.picture && !state.ledFile.empty()) {
      const std::string file = state.ledFile;
      showLedFrame(sign, file);
      continue;
    }
    RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

}  // namespace

void setSignLook(bool on, int dotPitch) {
  const bool changed = on != lookOn.load() || (on && dotPitch != ledDotPitch);
  ledDotPitch = dotPitch;
  lookOn = on;
  if (changed) redrawSigns();
}

bool signLookOn() { return lookOn.load(); }

int signLookDotPitch() { return ledDotPitch.load(); }

PixelRows dibSectionRows(void* bits, int width, int height) {
  if (!bits || width <= 0 || height == 0) return PixelRows{};
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const bool topDown = height < 0;
  const int rows = std::abs(height);
  return PixelRows{topDown ? pixels : pixels + static_cast<std::ptrdiff_t>(rows - 1) * width,
                   topDown ? width : -static_cast<std::ptrdiff_t>(width), width, rows};
}

namespace {

// Whether an LED picture is shown as its dot board.
bool dotted() { return openingLook(SignKind::Led, lookOn.load()) == OpeningLook::Dots; }

}  // namespace

PixelRows dibSectionRows(HBITMAP picture) {
  DIBSECTION dib{};
  if (!picture || GetObjectA(picture, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return PixelRows{};
  const BITMAPINFOHEADER& header = dib.dsBmih;
  if (header.biBitCount != 32 || header.biCompression != BI_RGB) return PixelRows{};
  // GDI may still be drawing into the section.
  GdiFlush();
  return dibSectionRows(dib.dsBm.bmBits, header.biWidth, header.biHeight);
}

void applyLedLook(HBITMAP picture) {
  if (!dotted() || !picture) return;
  drawDotBoard(dibSectionRows(picture), ledDotPitch.load());
}

void applyLedLook(void* bits, int width, int height) {
  if (!dotted() || !bits || width <= 0 || height <= 0) return;
  drawDotBoard(dibSectionRows(bits, width, height), ledDotPitch.load());
}

bool paintFilmLook(int sign, HWND window) {
  if (!validAnySign(sign) || openingLook(kindOf(sign), lookOn.load()) != OpeningLook::Film) return false;
  HWND signWindow = signWindowOf(sign).handle();
  HWND clip = clipOf(sign).handle();
  if (!IsWindowVisible(signWindow)) return false;
  {
    OpeningLock lock(sign);
    if (!drawOpening(sign, kindOf(sign), clip, stripTopShown(sign))) return false;
  }
  // The whole opening is drawn: nothing of either window is left to paint.
  ValidateRect(window, nullptr);
  ValidateRect(window == clip ? signWindow : clip, nullptr);
  return true;
}

}  // namespace rovenza
