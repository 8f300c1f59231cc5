#pragma once
// LED signs whose frames are drawn one pixel a dot, as a real panel's
// pictures are (one pixel for each of its LEDs): each pixel of a frame, and
// of each picture of an animated frame, is shown as one dot of the look's
// pitch from the opening's top left, cut at the opening's edge
// (drawPixelDots). The sign window then shows a picture larger than the
// frame; the opening keeps its size and place, and nothing of it is written
// to a layout file.
#include <windows.h>

#include "sign/LedLook.h"

namespace rovenza {

// Switches the sign (any sign of a vehicle's faces, state/Faces.h) to its
// frames one pixel a dot, or back, and shows its frame again as it now
// looks. User-interface thread.
void setPixelDots(int sign, bool on);
// Any thread; false for a sign out of range.
bool pixelDotsOn(int sign);

// The size of the picture the sign window shows for an LED picture of
// `width` x `height`: the picture's own size, or, one pixel a dot, the part
// of the sign's opening it covers (at least one pixel each way).
PixelDotsSize shownLedSize(int sign, int width, int height, bool pixelDots);

// Draws an LED picture into the pixels the sign window shows (as large as
// shownLedSize gave): one pixel a dot, in the look when it is on; otherwise
// copied (unless they are the same pixels) and given the look. Any thread.
void drawShownLed(const PixelRows& picture, const PixelRows& shown, bool pixelDots);

// An LED frame's picture as the sign shows it (`picture` a 32-bit DIB
// section as loadPicture makes it, the caller's; null for none): redrawn in
// place with the look, or, one pixel a dot, a new DIB section drawn from it
// (`picture` deleted). When that cannot be made, the picture as it is, with
// the look.
HBITMAP shownLedPicture(int sign, HBITMAP picture);

// The sign's opening changed its size: a frame shown one pixel a dot is cut
// at the new edge. User-interface thread.
void pixelDotsOpeningResized(int sign);

}  // namespace rovenza
