#include "record/FrameDelays.h"

#include <algorithm>
#include <cmath>

namespace rovenza {

std::uint16_t FrameDelays::next(double endMs) {
  const auto target = static_cast<std::int64_t>(std::llround(std::max(0.0, endMs) / 10.0));
  const std::int64_t delay = std::clamp<std::int64_t>(target - given_, kShortestDelay, kLongestDelay);
  given_ += delay;
  return static_cast<std::uint16_t>(delay);
}

}  // namespace rovenza
