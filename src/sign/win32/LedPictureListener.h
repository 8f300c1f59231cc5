#pragma once
// Who hears of each picture an LED sign shows, as it shows with the look
// off: the look redraws the shown pixels in place, so whoever wants the
// picture itself takes it here, before the look.
#include <windows.h>

#include <cstdint>

#include "sign/LedLook.h"

namespace rovenza {

class LedPictureListener {
 public:
  // The sign now shows `picture` (no pixels for an empty sign) at the top
  // left of its opening of `openingWidth` x `openingHeight` pixels. Called on
  // the user-interface thread, or on the sign's animation thread under the
  // sign's opening lock; returns soon and keeps nothing of `picture`.
  virtual void ledPictureShown(int sign, const PixelRows& picture, int openingWidth, int openingHeight) = 0;

 protected:
  ~LedPictureListener() = default;
};

// The one listener, or none (null). User-interface thread; the listener
// must outlive every animation thread that may still call it.
void setLedPictureListener(LedPictureListener* listener);

// The sign's pictures say what they show: a 32-bit DIB section (or null for
// an empty sign), or an animation's picture (rows of 0x00RRGGBB from the
// top). Nothing happens while no one listens.
void tellLedPicture(int sign, HBITMAP picture);
void tellLedPicture(int sign, const std::uint32_t* pixels, int width, int height);

}  // namespace rovenza
