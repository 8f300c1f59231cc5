#include "sign/RollPlan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rovenza {
namespace {

struct PlanCase {
  const char* name;
  std::int16_t current;
  std::int32_t target;
  std::int32_t height;
  std::int32_t startOffset;
  std::int16_t distance;
  std::int64_t steps;
  std::int32_t endOffset;
  std::int64_t pauseCount;           // frame intervals in the whole roll: |distance| unless h is 0
  std::vector<std::int64_t> pauses;  // the steps they follow, when listed
  bool writesFrame;
};

class RollPlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(RollPlanTest, StepsOffsetsAndPauses) {
  const PlanCase& c = GetParam();
  const RollPlan plan = planRoll(c.current, c.target, c.height);
  EXPECT_EQ(c.distance, plan.distance);
  EXPECT_EQ(c.steps, plan.steps);
  EXPECT_EQ(c.writesFrame, plan.writesFrame);
  EXPECT_EQ(c.endOffset, plan.offsetAfter(c.startOffset, plan.steps));
  // Every step moves the strip by exactly one pixel in one direction.
  std::int32_t previous = c.startOffset;
  std::vector<std::int64_t> pauses;
  for (std::int64_t step = 1; step <= plan.steps; ++step) {
    const std::int32_t offset = plan.offsetAfter(c.startOffset, step);
    EXPECT_EQ(1, offset > previous ? offset - previous : previous - offset) << "step " << step;
    previous = offset;
    if (plan.pausesAfter(step)) pauses.push_back(step);
  }
  EXPECT_EQ(c.pauseCount, static_cast<std::int64_t>(pauses.size()));
  if (!c.pauses.empty()) {
    EXPECT_EQ(c.pauses, pauses);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rolls, RollPlanTest,
    ::testing::Values(
        PlanCase{"ZeroToThree", 0, 3, 57, 0, -3, 171, -171, 3, {57, 114, 171}, true},
        PlanCase{"ThreeBackToOne", 3, 1, 57, -171, 2, 114, -57, 2, {57, 114}, true},
        PlanCase{"EqualFramesDoNothing", 4, 4, 57, -228, 0, 0, -228, 0, {}, false},
        PlanCase{"ZeroHeightMakesNoStepButEndsAtTheTarget", 0, 3, 0, 0, -3, 0, 0, 0, {}, true},
        PlanCase{"NegativeHeightCountsAsZero", 0, 3, -5, 0, -3, 0, 0, 0, {}, true},
        PlanCase{"OneRowFrames", 0, 5, 1, 0, -5, 5, -5, 5, {1, 2, 3, 4, 5}, true},
        PlanCase{"FromTheEndOfThePanelRange", 999, 0, 2, -1998, 999, 1998, 0, 999, {}, true},
        // The target is wrapped to 16 bits: 65536 frames away is no roll at all ...
        PlanCase{"WrapsToNoDistance", 0, 65536, 57, 0, 0, 0, 0, 0, {}, false},
        // ... and 40000 up is 25536 back.
        PlanCase{"WrapsIntoTheOtherDirection", 0, 40000, 1, 0, 25536, 25536, 25536, 25536, {}, true},
        PlanCase{"LongestDistance", 32767, -1, 3, 0, -32768, 98304, -98304, 32768, {}, true}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

TEST(RollPlan, PausesOnlyAtMultiplesOfTheFrameHeight) {
  const RollPlan plan = planRoll(0, 2, 57);
  EXPECT_FALSE(plan.pausesAfter(56));
  EXPECT_TRUE(plan.pausesAfter(57));
  EXPECT_FALSE(plan.pausesAfter(58));
  EXPECT_TRUE(plan.pausesAfter(114));
  const RollPlan flat = planRoll(0, 2, 0);
  EXPECT_FALSE(flat.pausesAfter(0));
}

TEST(RollPlan, OffsetsWrapAsThirtyTwoBitNumbers) {
  const RollPlan plan = planRoll(0, 1, 4);
  EXPECT_EQ(INT32_MAX, plan.offsetAfter(INT32_MIN, 1));
}

TEST(FrameDistance, IsCurrentMinusTargetInSixteenBits) {
  EXPECT_EQ(-3, frameDistance(0, 3));
  EXPECT_EQ(2, frameDistance(3, 1));
  EXPECT_EQ(0, frameDistance(-1, 65535));
  EXPECT_EQ(-32768, frameDistance(0, 32768));
  EXPECT_EQ(-32767, frameDistance(INT16_MIN, INT32_MAX));
}

struct PauseCase {
  const char* text;
  FieldRange range;
  std::int32_t expected;
};

class PauseFromTextTest : public ::testing::TestWithParam<PauseCase> {};

TEST_P(PauseFromTextTest, StaysWithinTheFieldRange) {
  EXPECT_EQ(GetParam().expected, pauseFromText(GetParam().text, GetParam().range)) << "[" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PauseFromTextTest,
    ::testing::Values(PauseCase{"", kSpeedRange, 0}, PauseCase{"0", kSpeedRange, 0}, PauseCase{"40", kSpeedRange, 40},
                      PauseCase{"1000", kSpeedRange, 1000}, PauseCase{"1001", kSpeedRange, 1000},
                      PauseCase{"99999999999999999999999", kSpeedRange, 1000},
                      PauseCase{"4294967295", kSpeedRange, 1000}, PauseCase{"&HFFFFFFFF", kSpeedRange, 1000},
                      PauseCase{"-5", kSpeedRange, 0}, PauseCase{"12.9", kSpeedRange, 12},
                      PauseCase{"abc", kSpeedRange, 0}, PauseCase{"", kIntervalRange, 0},
                      PauseCase{"5000", kIntervalRange, 5000}, PauseCase{"5001", kIntervalRange, 5000},
                      PauseCase{"4999", kIntervalRange, 4999}, PauseCase{"1001", kIntervalRange, 1001}));

}  // namespace
}  // namespace rovenza
