#pragma once
// Pacing of an animated LED frame: picture n is due at the moment the first
// picture was shown plus the delays of every picture before it, over every
// play so far, never "now plus a delay": time spent drawing or waking late
// does not add up, however long the animation plays.
#include <cstdint>
#include <vector>

#include "sign/GifAnimation.h"
#include "sign/RollPacer.h"

namespace rovenza {

// Where an animation's pictures are shown.
class AnimationScreen {
 public:
  virtual ~AnimationScreen() = default;
  // Shows the canvas's pixels (GifCanvas::pixels) before it returns; false
  // when the animation was stopped (nothing was shown).
  virtual bool showPicture(const std::vector<std::uint32_t>& pixels) = 0;
};

enum class AnimationEnd { Finished, Cancelled };

// Microseconds a picture stays.
std::int64_t pictureMicros(const GifPicture& picture);

// Plays `animation` on from its first picture, which `canvas` holds composed
// and which was shown at `startMicros`. Each later picture is composed
// before its deadline and shown once the clock reaches it; a picture whose
// successor is due already by then is passed over (composed, not shown),
// except the very last. The plays are the file's (GifAnimation::plays);
// after the last one its last picture stays and this returns Finished. An
// animation of fewer than two pictures finishes at once.
AnimationEnd playAnimation(const GifAnimation& animation, GifCanvas& canvas, std::int64_t startMicros,
                           AnimationScreen& screen, Clock& clock);

}  // namespace rovenza
