#include "sign/RollPacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rovenza {
namespace {

// A clock that jumps to each deadline, and a stepper that costs drawing time;
// both write one shared log so the order of steps and waits can be checked.
struct Log {
  std::vector<std::string> events;
};

class FakeClock : public Clock {
 public:
  FakeClock(Log& log, std::int64_t start) : log_(log), now_(start) {}
  std::int64_t now() override { return now_; }
  bool waitUntil(std::int64_t deadline) override {
    ++waits_;
    deadlines.push_back(deadline);
    log_.events.push_back("wait");
    if (cancelAtWait_ != 0 && waits_ >= cancelAtWait_) return false;
    if (deadline > now_) now_ = deadline;
    return true;
  }
  void advance(std::int64_t micros) { now_ += micros; }
  void cancelAtWait(int n) { cancelAtWait_ = n; }

  std::vector<std::int64_t> deadlines;

 private:
  Log& log_;
  std::int64_t now_;
  int waits_ = 0;
  int cancelAtWait_ = 0;
};

class FakeStepper : public RollStepper {
 public:
  FakeStepper(Log& log, FakeClock& clock, std::int64_t drawMicros) : log_(log), clock_(clock), draw_(drawMicros) {}
  bool showStep(std::int32_t offset) override {
    ++calls_;
    if (cancelAtStep_ != 0 && calls_ >= cancelAtStep_) return false;
    offsets.push_back(offset);
    log_.events.push_back("step");
    clock_.advance(draw_);
    return true;
  }
  void cancelAtStep(int n) { cancelAtStep_ = n; }

  std::vector<std::int32_t> offsets;

 private:
  Log& log_;
  FakeClock& clock_;
  std::int64_t draw_;
  int calls_ = 0;
  int cancelAtStep_ = 0;
};

constexpr std::int64_t kStart = 1000000;

TEST(RunRoll, ZeroToThreeShowsEveryPixelAndPausesAfterEachFrame) {
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, 0);
  const RollPlan plan = planRoll(0, 3, 57);
  EXPECT_EQ(RollEnd::Finished, runRoll(plan, 0, RollPauses{10, 500}, stepper, clock));
  ASSERT_EQ(171u, stepper.offsets.size());
  for (std::size_t i = 0; i < stepper.offsets.size(); ++i) EXPECT_EQ(-static_cast<int>(i) - 1, stepper.offsets[i]);
  ASSERT_EQ(171u, clock.deadlines.size());
  // Deadline after step i: start + 10 ms x i + 500 ms per whole frame passed.
  for (std::int64_t i = 1; i <= 171; ++i) {
    EXPECT_EQ(kStart + i * 10000 + (i / 57) * 500000, clock.deadlines[i - 1]) << "step " << i;
  }
  EXPECT_EQ(kStart + 171 * 10000 + 3 * 500000, clock.now());
  EXPECT_EQ(171 * 10000 + 3 * 500000, nominalRollMicros(plan, RollPauses{10, 500}));
}

TEST(RunRoll, EachStepIsDrawnBeforeItsPause) {
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, 0);
  runRoll(planRoll(0, 1, 3), 0, RollPauses{1, 1}, stepper, clock);
  const std::vector<std::string> expected = {"step", "wait", "step", "wait", "step", "wait"};
  EXPECT_EQ(expected, log.events);
}

struct DrawCase {
  std::int64_t drawMicros;  // time one step takes to draw
  std::int32_t speedMs;
  std::int32_t intervalMs;
  std::int64_t expectedTotal;  // from the first step to the end
};

class DrawTimeTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawTimeTest, DrawingTimeDoesNotAddUp) {
  const DrawCase& c = GetParam();
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, c.drawMicros);
  // |d| = 10, h = 57: the benchmark's roll.
  const RollPlan plan = planRoll(0, 10, 57);
  EXPECT_EQ(RollEnd::Finished, runRoll(plan, 0, RollPauses{c.speedMs, c.intervalMs}, stepper, clock));
  EXPECT_EQ(c.expectedTotal, clock.now() - kStart);
}

INSTANTIATE_TEST_SUITE_P(
    Rolls, DrawTimeTest,
    ::testing::Values(
        // Drawing faster than the speed: exactly the nominal 570 x 2 + 10 x 100 ms.
        DrawCase{0, 2, 100, 2140000}, DrawCase{1500, 2, 100, 2140000},
        // Drawing slower than the speed: the roll cannot be faster than its
        // drawing, and each interval still shortens the lag instead of adding.
        DrawCase{3000, 2, 0, 570 * 3000}, DrawCase{3000, 0, 0, 570 * 3000},
        // With speed 0 the intervals are still kept: the deadline after the
        // last step is 10 x 100 ms, the drawing (570 x 1 ms) fits inside.
        DrawCase{1000, 0, 100, 1000000}));

TEST(RunRoll, NoStepsMeansNoWait) {
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, 0);
  EXPECT_EQ(RollEnd::Finished, runRoll(planRoll(2, 2, 57), 0, RollPauses{10, 500}, stepper, clock));
  EXPECT_EQ(RollEnd::Finished, runRoll(planRoll(0, 2, 0), 0, RollPauses{10, 500}, stepper, clock));
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(kStart, clock.now());
}

TEST(RunRoll, CancelledWaitStopsBeforeTheNextStep) {
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, 0);
  clock.cancelAtWait(5);
  EXPECT_EQ(RollEnd::Cancelled, runRoll(planRoll(0, 3, 57), 0, RollPauses{10, 500}, stepper, clock));
  EXPECT_EQ(5u, stepper.offsets.size());
  EXPECT_EQ(-5, stepper.offsets.back());
  EXPECT_EQ("wait", log.events.back());
}

TEST(RunRoll, CancelledStepStopsWithoutWaiting) {
  Log log;
  FakeClock clock(log, kStart);
  FakeStepper stepper(log, clock, 0);
  stepper.cancelAtStep(3);
  EXPECT_EQ(RollEnd::Cancelled, runRoll(planRoll(3, 1, 57), -171, RollPauses{10, 500}, stepper, clock));
  const std::vector<std::int32_t> shown = {-170, -169};
  EXPECT_EQ(shown, stepper.offsets);
  EXPECT_EQ(2u, clock.deadlines.size());
}

TEST(DeadlinePacer, DeadlinesAreStartPlusThePausesSoFar) {
  Log log;
  FakeClock clock(log, 42);
  DeadlinePacer pacer(clock);
  EXPECT_EQ(42, pacer.deadline());
  clock.advance(1000);  // a step that drew for 1 ms
  EXPECT_TRUE(pacer.pause(300));
  EXPECT_EQ(342, pacer.deadline());
  EXPECT_EQ(1042, clock.now()) << "a deadline already passed does not wait";
  EXPECT_TRUE(pacer.pause(2000));
  EXPECT_EQ(2342, clock.now());
}

}  // namespace
}  // namespace rovenza
