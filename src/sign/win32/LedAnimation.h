#pragma once
// An LED frame file that is an animated GIF plays on a thread of its own
// (one per sign), paced against the performance counter as a roll is. The
// sign window shows a 32-bit DIB section the size of the GIF's screen; each
// picture is written into it and the opening drawn from it under the sign's
// opening lock, so that a picture waits for no message to the user-interface
// thread and a recording never catches one half drawn; a posted message then
// wakes that thread to put it on the screen (publishOpening). A still GIF, and
// every other file, is none of this module's business.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace rovenza {

struct LedAnimationJob;

// Reads `path` as an animated GIF (two pictures or more) for `sign`: true
// when it is one. `picture` receives a new DIB section of the GIF's screen
// as the sign shows it (shownLedSize) for the sign window (the caller owns it), holding the first picture when that decodes
// at once (kGifAtOncePixels), the black of an unlit sign otherwise, and
// `job` the animation to start. Nothing is decoded beyond that first
// picture here: the animation's thread decodes the rest. A GIF that cannot
// be held in memory gives true with `picture` and `job` null: a bad file,
// shown as the empty sign. False for any other file, which is a still
// picture.
bool loadLedAnimation(int sign, const std::string& path, HBITMAP& picture, std::shared_ptr<LedAnimationJob>& job);

// Plays `job` on the LED sign whose window has just been given its picture:
// the first picture counts as shown now when it was decoded at once;
// otherwise the thread decodes it first and shows it when it is ready. Then
// it decodes the other pictures, within the decoding budget (a file past it
// keeps its first picture only), and plays them. Without a thread the first
// picture stays.
void startLedAnimation(int sign, std::shared_ptr<LedAnimationJob> job);

// Stops the sign's animation at once, decoding or playing: no picture of it
// is drawn after this returns, and its thread has ended (decoding looks for
// the stop between rows). The picture it showed last stays.
void stopLedAnimation(int sign);

// Whether the sign's animation still plays (its thread runs).
bool isLedAnimationPlaying(int sign);
// When the sign's animation counts its first picture as shown, the time its
// deadlines count from (performanceMicros); 0 without an animation.
std::int64_t ledAnimationStart(int sign);

// A paint of the sign's clip window or sign window (`window`) while an
// animation has the sign: draws the opening from the picture under the
// lock, so that no picture is painted half written, and validates `window`.
// False, with nothing done, when no animation has the sign.
bool paintLedAnimation(int sign, HWND window);

// Every picture of an animated LED frame reaches the screen through this:
// `pixels` (the GIF's screen, 0x00RRGGBB, rows from the top) drawn into the
// bottom-up 32-bit DIB section that the sign window shows (drawShownLed).
void writeLedPicture(const LedAnimationJob& job, const std::uint32_t* pixels);

}  // namespace rovenza
