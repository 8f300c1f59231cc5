#include "sign/RollPlan.h"

#include <cmath>

#include "common/Number.h"

namespace rovenza {

std::int16_t frameDistance(std::int16_t currentFrame, std::int32_t targetFrame) {
  const std::uint32_t difference = static_cast<std::uint32_t>(currentFrame) - static_cast<std::uint32_t>(targetFrame);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(difference & 0xFFFFu));
}

std::int32_t RollPlan::offsetAfter(std::int32_t startOffset, std::int64_t step) const {
  const std::uint64_t moved = static_cast<std::uint64_t>(static_cast<std::int64_t>(stepDelta) * step);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(startOffset) + moved));
}

bool RollPlan::pausesAfter(std::int64_t step) const { return frameHeight > 0 && step % frameHeight == 0; }

RollPlan planRoll(std::int16_t currentFrame, std::int32_t targetFrame, std::int32_t frameHeight) {
  RollPlan plan;
  plan.distance = frameDistance(currentFrame, targetFrame);
  plan.frameHeight = frameHeight;
  if (plan.distance == 0) return plan;
  plan.writesFrame = true;
  if (frameHeight <= 0) return plan;
  const std::int64_t frames = std::abs(static_cast<std::int64_t>(plan.distance));
  plan.steps = frames * frameHeight;
  plan.stepDelta = plan.distance < 0 ? -1 : 1;
  return plan;
}

std::int32_t pauseFromText(std::string_view text, FieldRange range) {
  const double value = std::trunc(parseNumber(text));
  if (!(value >= range.min)) return range.min;  // also catches a NaN
  if (value >= range.max) return range.max;
  return static_cast<std::int32_t>(value);
}

}  // namespace rovenza
