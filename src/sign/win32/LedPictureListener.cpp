#include "sign/win32/LedPictureListener.h"

#include <atomic>

#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

std::atomic<LedPictureListener*> listening{nullptr};

void tell(LedPictureListener* listener, int sign, const PixelRows& picture) {
  RECT opening{};
  GetClientRect(clipOf(sign).handle(), &opening);
  listener->ledPictureShown(sign, picture, opening.right, opening.bottom);
}

}  // namespace

void setLedPictureListener(LedPictureListener* listener) { listening = listener; }

void tellLedPicture(int sign, HBITMAP picture) {
  LedPictureListener* listener = listening.load();
  if (listener && validAnySign(sign)) tell(listener, sign, dibSectionRows(picture));
}

void tellLedPicture(int sign, const std::uint32_t* pixels, int width, int height) {
  LedPictureListener* listener = listening.load();
  if (!listener || !validAnySign(sign)) return;
  tell(listener, sign, PixelRows{const_cast<std::uint32_t*>(pixels), width, width, height});
}

}  // namespace rovenza
