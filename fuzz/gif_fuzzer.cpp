// Any bytes read as an animated LED frame: no crash, and what is read keeps
// to the limits; every picture composes inside the screen, and the pacing
// plays them against a clock that jumps to each deadline.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzBoard.h"
#include "sign/AnimationPacer.h"
#include "sign/GifAnimation.h"

using rovenza::fuzz::require;

namespace {

// Smaller ceilings than the program's, so that a run stays within the
// fuzzer's memory: 1 M pixels a picture, 32 MiB of canvases.
rovenza::GifLimits fuzzLimits() {
  rovenza::GifLimits limits;
  limits.maxPicturePixels = 1u << 20;
  limits.maxDecodedBytes = 32u << 20;
  return limits;
}

// Most pictures composed and played for one input.
constexpr std::size_t kMostShown = 256;

class JumpingClock : public rovenza::Clock {
 public:
  std::int64_t now() override { return now_; }
  bool waitUntil(std::int64_t deadline) override {
    require(deadline >= last_, "deadlines never go back");
    last_ = deadline;
    if (deadline > now_) now_ = deadline;
    return ++waits_ < kMostShown;
  }

 private:
  std::int64_t now_ = 0;
  std::int64_t last_ = 0;
  std::size_t waits_ = 0;
};

class CountingScreen : public rovenza::AnimationScreen {
 public:
  explicit CountingScreen(std::size_t pixels) : pixels_(pixels) {}
  bool showPicture(const std::vector<std::uint32_t>& pixels) override {
    require(pixels.size() == pixels_, "every picture fills the screen");
    return true;
  }

 private:
  std::size_t pixels_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const rovenza::GifLimits limits = fuzzLimits();
  const rovenza::GifSurvey survey = rovenza::surveyGif(data, size, limits);
  const std::size_t counted = survey.pictures;
  const rovenza::GifAnimation animation = rovenza::decodeGifAnimation(data, size, limits);
  const std::vector<rovenza::GifPicture>& pictures = animation.pictures;
  require(counted <= rovenza::kMaxAnimationPictures, "at most the most pictures kept are counted");
  require(pictures.size() <= survey.kept && survey.kept <= counted, "no more pictures decode than are kept");
  if (pictures.empty()) return 0;
  const std::uint64_t canvas = std::uint64_t(animation.width) * std::uint64_t(animation.height);
  require(canvas > 0 && canvas <= limits.maxPicturePixels, "the screen is within the limits");
  require(pictures.size() == 1 || (canvas * 4 * pictures.size() <= limits.maxDecodedBytes &&
                                    survey.decodePixels <= limits.maxDecodePixels),
          "an animation past the ceiling or the decoding budget keeps its first picture only");
  std::size_t indices = 0;
  for (const rovenza::GifPicture& p : pictures) {
    require(p.width >= 0 && p.height >= 0 && p.left >= 0 && p.top >= 0, "a picture's rectangle is not negative");
    require(p.width == 0 || p.left + p.width <= animation.width, "a picture lies inside the screen across");
    require(p.height == 0 || p.top + p.height <= animation.height, "a picture lies inside the screen down");
    require(p.indices == indices, "the pictures' indices follow one another");
    require(p.colours + p.colourCount <= animation.colours.size(), "a colour table lies inside the colours");
    require(p.delay >= 2, "a delay is at least two hundredths");
    indices += std::size_t(p.width) * std::size_t(p.height);
  }
  require(indices == animation.indices.size(), "no index is kept that no picture uses");

  rovenza::GifCanvas composer(animation);
  composer.compose(0);
  require(composer.pixels().size() == canvas, "the canvas is the screen");
  JumpingClock clock;
  CountingScreen screen(composer.pixels().size());
  rovenza::playAnimation(animation, composer, 0, screen, clock);
  return 0;
}
