#pragma once
// Pacing of a roll: each step is drawn, then the roll waits until a deadline
// that is the start time plus the sum of all pauses so far, so the time spent
// drawing does not add up over a long roll.
#include <cstdint>

#include "sign/RollPlan.h"

namespace rovenza {

// Time source of a roll, in microseconds. The shell's clock wakes a wait at
// once when the roll is cancelled.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t now() = 0;
  // Waits until now() >= deadline (returns at once for a deadline already
  // passed). Returns false, as soon as it can, when the roll was cancelled.
  virtual bool waitUntil(std::int64_t deadline) = 0;
};

// What a roll moves: puts the strip at `offset` and draws it before it
// returns. Returns false when the roll was cancelled (nothing was moved).
class RollStepper {
 public:
  virtual ~RollStepper() = default;
  virtual bool showStep(std::int32_t offset) = 0;
};

struct RollPauses {
  std::int32_t speedMs = 0;     // after every step
  std::int32_t intervalMs = 0;  // more after every h-th step
};

class DeadlinePacer {
 public:
  explicit DeadlinePacer(Clock& clock) : clock_(clock), deadline_(clock.now()) {}
  // Moves the deadline on by `micros` and waits for it; false when cancelled.
  bool pause(std::int64_t micros) {
    deadline_ += micros;
    return clock_.waitUntil(deadline_);
  }
  std::int64_t deadline() const { return deadline_; }

 private:
  Clock& clock_;
  std::int64_t deadline_;
};

enum class RollEnd { Finished, Cancelled };

// Runs the steps of `plan` from `startOffset`: step i shows offset
// plan.offsetAfter(startOffset, i), then the pacer waits the speed and, after
// every h-th step, the interval. Stops at the first cancelled step or wait.
RollEnd runRoll(const RollPlan& plan, std::int32_t startOffset, RollPauses pauses, RollStepper& stepper,
                Clock& clock);

// Nominal length of a roll in microseconds: steps x speed + frames x interval.
std::int64_t nominalRollMicros(const RollPlan& plan, RollPauses pauses);

}  // namespace rovenza
