#include "sign/AnimationPacer.h"

namespace rovenza {

namespace {
constexpr std::int64_t kMicrosPerHundredth = 10000;
}  // namespace

std::int64_t pictureMicros(const GifPicture& picture) { return std::int64_t{picture.delay} * kMicrosPerHundredth; }

AnimationEnd playAnimation(const GifAnimation& animation, GifCanvas& canvas, std::int64_t startMicros,
                           AnimationScreen& screen, Clock& clock) {
  const std::vector<GifPicture>& pictures = animation.pictures;
  if (pictures.size() < 2) return AnimationEnd::Finished;
  const std::int64_t plays = animation.plays();  // 0: forever
  std::int64_t play = 1;
  std::size_t shown = 0;
  std::int64_t deadline = startMicros;
  for (;;) {
    deadline += pictureMicros(pictures[shown]);
    std::size_t next = shown + 1;
    if (next == pictures.size()) {
      if (plays != 0 && play >= plays) return AnimationEnd::Finished;
      ++play;
      next = 0;
    }
    const bool last = plays != 0 && play == plays && next + 1 == pictures.size();
    canvas.compose(next);
    if (!clock.waitUntil(deadline)) return AnimationEnd::Cancelled;
    const bool overtaken = clock.now() >= deadline + pictureMicros(pictures[next]);
    if ((last || !overtaken) && !screen.showPicture(canvas.pixels())) return AnimationEnd::Cancelled;
    shown = next;
  }
}

}  // namespace rovenza
