#include "sign/win32/PixelDots.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "layout/Layout.h"
#include "sign/OpeningLook.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/SignLook.h"
#include "state/Faces.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

std::atomic<bool> pixelDots[kAllSigns] = {};  // read by the animation threads and the feed

// Shows the sign's LED frame again, when it shows one.
void showFrameAgain(int sign) {
  if (!validAnySign(sign) || !clipOf(sign).handle() || effectiveKind(signSpecOf(sign).kind) != SignKind::Led) return;
  const SignState& state = app.signStates[sign];
  if (!state.picture || state.ledFile.empty()) return;
  const std::string file = state.ledFile;
  showLedFrame(sign, file);
}

}  // namespace

void setPixelDots(int sign, bool on) {
  if (!validAnySign(sign) || pixelDots[sign].exchange(on) == on) return;
  showFrameAgain(sign);
}

bool pixelDotsOn(int sign) { return validAnySign(sign) && pixelDots[sign].load(); }

PixelDotsSize shownLedSize(int sign, int width, int height, bool dots) {
  if (!dots) return PixelDotsSize{width, height};
  RECT opening{};
  if (validAnySign(sign)) GetClientRect(clipOf(sign).handle(), &opening);
  const PixelDotsSize size = pixelDotsSize(width, height, signLookDotPitch(), opening.right, opening.bottom);
  return PixelDotsSize{std::max(size.width, 1), std::max(size.height, 1)};
}

void drawShownLed(const PixelRows& picture, const PixelRows& shown, bool dots) {
  if (!picture.top || !shown.top) return;
  if (dots) {
    drawPixelDots(picture, shown, signLookDotPitch(),
                  openingLook(SignKind::Led, signLookOn()) == OpeningLook::Dots);
    return;
  }
  if (picture.top != shown.top) {
    const std::size_t columns = static_cast<std::size_t>(std::min(picture.width, shown.width));
    for (int y = 0; y < std::min(picture.height, shown.height); ++y) {
      std::memcpy(shown.row(y), picture.row(y), columns * sizeof(std::uint32_t));
    }
  }
  applyLedLook(shown);
}

HBITMAP shownLedPicture(int sign, HBITMAP picture) {
  const PixelRows pixels = dibSectionRows(picture);
  if (!pixelDotsOn(sign) || !pixels.top) {
    applyLedLook(pixels);
    return picture;
  }
  const PixelDotsSize size = shownLedSize(sign, pixels.width, pixels.height, true);
  void* bits = nullptr;
  ScopedBitmap shown(newDibSection(dib32Info(size.width, size.height), bits));
  if (!shown) {
    applyLedLook(pixels);
    return picture;
  }
  drawShownLed(pixels, dibSectionRows(bits, size.width, size.height), true);
  DeleteObject(picture);
  return shown.release();
}

void pixelDotsOpeningResized(int sign) {
  if (pixelDotsOn(sign)) showFrameAgain(sign);
}

}  // namespace rovenza
