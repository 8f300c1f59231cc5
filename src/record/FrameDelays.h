#pragma once
// The delays of a GIF's frames, in hundredths of a second, from the real
// times at which the frames end. Each delay is at least 2 hundredths (players
// show 0 and 1 as a tenth of a second); what rounding takes from or adds to
// one frame is carried into the next, so the delays add up to the real time
// to within half a hundredth, unless frames shorter than 2 hundredths forced
// it longer.
#include <cstdint>

namespace rovenza {

constexpr std::uint16_t kShortestDelay = 2;      // hundredths
constexpr std::uint16_t kLongestDelay = 0xFFFF;  // what a frame's delay field holds

class FrameDelays {
 public:
  // The delay of the frame that ends `endMs` after the first frame began.
  std::uint16_t next(double endMs);
  // The sum of the delays given so far, in hundredths.
  std::int64_t total() const { return given_; }

 private:
  std::int64_t given_ = 0;
};

}  // namespace rovenza
