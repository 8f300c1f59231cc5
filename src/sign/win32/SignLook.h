#pragma once
// The signs' realistic look, switched on and off for the whole program: an
// LED sign's pictures shown as dot boards (sign/LedLook), a roll-film sign's
// opening shaded where the film curves over its rollers, lit from behind and
// blurred while the film runs fast (sign/FilmLook). Off, the signs are drawn
// as plain pictures.
#include <windows.h>

#include "sign/LedLook.h"

namespace rovenza {

// Switches the look and sets the LED dot pitch; both signs are drawn again
// at once as they now look. User-interface thread.
void setSignLook(bool on, int dotPitch);
// Any thread.
bool signLookOn();
// The LED dot pitch set last (kDefaultDotPitch until one is set); any thread.
int signLookDotPitch();

// Redraws an LED picture about to be shown (a 32-bit DIB section, as
// loadPicture makes them), in place, as a dot board when the look is on;
// leaves it as it is when the look is off or the bitmap is no such picture.
void applyLedLook(HBITMAP picture);
// The same over pixels (an animation's picture as it is written); any thread.
void applyLedLook(const PixelRows& pixels);

// The pixels of a 32-bit DIB section, `height` negative for rows stored from
// the top (as in its header); no pixels (a null top) for a null or empty one.
PixelRows dibSectionRows(void* bits, int width, int height);
// The same for a bitmap that is an uncompressed 32-bit DIB section, once GDI
// has finished drawing into it; no pixels for any other bitmap.
PixelRows dibSectionRows(HBITMAP picture);

// A paint of a roll-film sign's clip window or sign window (`window`) with
// the look on: draws the whole opening, shaded, with the strip where the
// sign window stands, and validates both windows. False, with nothing done,
// when the look is off, the sign shows no roll film, or the opening cannot be
// drawn that way: the window then paints itself.
bool paintFilmLook(int sign, HWND window);

}  // namespace rovenza
