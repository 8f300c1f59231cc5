#pragma once
// The opening of a sign: its clip window, as the strip shows through it. A
// roll thread draws the opening itself, straight from the pixels of the
// picture the sign window shows, so that a step needs no message to the
// user-interface thread. Whatever draws the opening that way, or changes the
// picture it is drawn from, holds the sign's opening lock.
#include <windows.h>

#include <cstdint>

#include "layout/Layout.h"

namespace rovenza {

// Holds the sign's opening lock while it lives. The lock is not re-entrant;
// it is held only around drawing and a few plain calls, never around a
// message that another thread must answer.
class OpeningLock {
 public:
  explicit OpeningLock(int sign);
  ~OpeningLock();
  OpeningLock(const OpeningLock&) = delete;
  OpeningLock& operator=(const OpeningLock&) = delete;

 private:
  int sign_;
};

// Takes `shown`, the bitmap the sign window now shows, as the picture the
// opening is drawn from: its pixels when it is a DIB section of 16, 24 or 32
// bits a pixel (as loadPicture makes them), none otherwise. Hold the lock;
// the bitmap must outlive its use here (the sign window lets go of a bitmap,
// which comes here, before the bitmap is deleted).
void setOpeningPicture(int sign, HBITMAP shown);

// Every drawing of an opening goes through this, whichever thread draws it:
// the opening of the sign's clip window `clip` as it looks with the strip's
// top at y, drawn as openingLook decides from the sign's `kind` and the
// signs' look. Plain: the picture where it covers the clip window, the clip
// window's white around it, the same pixels the two windows paint
// themselves, without a paint cycle. Dots: the same, as an LED picture's
// pixels are its dot board already (applyLedLook). Film: shaded as a whole,
// blurred over `blurRows` rows (FilmOpening), when the picture is one of 32
// bits a pixel. Any thread; hold the lock. False, with nothing drawn, when
// there is no picture to draw from.
bool drawOpening(int sign, SignKind kind, HWND clip, std::int32_t y, int blurRows = 0);

// Puts what a thread other than the clip window's drew into the opening on
// the screen: under Wine a window's pixels reach the X display only when its
// own thread comes back to its message loop, so the clip window is woken by
// a posted kOpeningDrawnMessage (at most one on its way per sign). Any
// thread.
void publishOpening(int sign, HWND clip);
// The clip window took that message: the next drawing posts another.
void openingPublished(int sign);

}  // namespace rovenza
