#include "sign/RollPacer.h"

namespace rovenza {

namespace {
constexpr std::int64_t kMicrosPerMs = 1000;
}  // namespace

RollEnd runRoll(const RollPlan& plan, std::int32_t startOffset, RollPauses pauses, RollStepper& stepper,
                Clock& clock) {
  DeadlinePacer pacer(clock);
  const std::int64_t speed = static_cast<std::int64_t>(pauses.speedMs) * kMicrosPerMs;
  const std::int64_t interval = static_cast<std::int64_t>(pauses.intervalMs) * kMicrosPerMs;
  for (std::int64_t step = 1; step <= plan.steps; ++step) {
    if (!stepper.showStep(plan.offsetAfter(startOffset, step))) return RollEnd::Cancelled;
    const std::int64_t pause = speed + (plan.pausesAfter(step) ? interval : 0);
    if (!pacer.pause(pause)) return RollEnd::Cancelled;
  }
  return RollEnd::Finished;
}

std::int64_t nominalRollMicros(const RollPlan& plan, RollPauses pauses) {
  const std::int64_t frames = plan.frameHeight > 0 ? plan.steps / plan.frameHeight : 0;
  return (plan.steps * pauses.speedMs + frames * pauses.intervalMs) * kMicrosPerMs;
}

}  // namespace rovenza
