#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "vehicle/CodePlan.h"
#include "vehicle/PageClock.h"

namespace rovenza {
namespace {

// Two faces: roll film + LED, LED + hidden; code 5 asks every kind of cell.
Vehicle busWithCode5() {
  Vehicle vehicle;
  vehicle.head.faces.resize(2);
  vehicle.head.faces[0].kinds[0] = SignKind::RollFilm;
  vehicle.head.faces[0].kinds[1] = SignKind::Led;
  vehicle.head.faces[1].kinds[0] = SignKind::Led;
  vehicle.head.faces[1].kinds[1] = SignKind::Hidden;
  VehicleCode code;
  code.code = 5;
  code.periodMs = 2500;
  code.cells = {{CellAction::Blank, {}}, {CellAction::Blank, {}}, {CellAction::Frames, {12, 40, 41}},
                {CellAction::Frames, {3}}};
  vehicle.table.codes.push_back(code);
  code.code = 6;
  code.cells = {{CellAction::Frames, {7}}, {CellAction::Unchanged, {}}};  // a short row
  vehicle.table.codes.push_back(code);
  return vehicle;
}

struct Expected {
  SignStep step;
  std::vector<std::int16_t> frames;
};

void expectOrders(const CodePlan& plan, const std::vector<Expected>& expected) {
  ASSERT_EQ(expected.size(), plan.orders.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(expected[k].step, plan.orders[k].step) << "sign " << k;
    EXPECT_EQ(expected[k].frames, plan.orders[k].frames) << "sign " << k;
    EXPECT_EQ(static_cast<int>(k) / kSignsPerFace, plan.orders[k].face);
    EXPECT_EQ(static_cast<int>(k) % kSignsPerFace, plan.orders[k].sign);
  }
}

TEST(CodePlan, EverySignGetsItsOrder) {
  const Vehicle vehicle = busWithCode5();
  const CodePlan plan = planCode(vehicle, 5);
  ASSERT_TRUE(plan.found);
  EXPECT_EQ(2500, plan.periodMs);
  EXPECT_TRUE(plan.hasPages());
  // Blank is frame 0 on roll film and nothing on LED; a hidden sign keeps its state.
  expectOrders(plan, {{SignStep::Frame, {0}},
                      {SignStep::Blank, {}},
                      {SignStep::Pages, {12, 40, 41}},
                      {SignStep::Unchanged, {}}});
  const CodePlan shortRow = planCode(vehicle, 6);
  EXPECT_FALSE(shortRow.hasPages());
  expectOrders(shortRow, {{SignStep::Frame, {7}},
                          {SignStep::Unchanged, {}},
                          {SignStep::Unchanged, {}},
                          {SignStep::Unchanged, {}}});
}

TEST(CodePlan, ACodeTheTableLacksChangesNothing) {
  const CodePlan plan = planCode(busWithCode5(), 4);
  EXPECT_FALSE(plan.found);
  EXPECT_TRUE(plan.orders.empty());
}

TEST(CodePlan, WithoutAVehicleCodeNIsFrameNOnEachShownSign) {
  const SignKind kinds[kSignsPerFace] = {SignKind::Led, SignKind::Hidden};
  const CodePlan plan = planBoardCode(42, kinds);
  EXPECT_TRUE(plan.found);
  expectOrders(plan, {{SignStep::Frame, {42}}, {SignStep::Unchanged, {}}});
}

TEST(CodePlan, PagesCountRoundTheirFramesBothWays) {
  SignOrder order;
  order.step = SignStep::Pages;
  order.frames = {12, 40, 41};
  const std::vector<int> expected = {41, 12, 40, 41, 12, 40};
  for (int page = -1; page <= 4; ++page) EXPECT_EQ(expected[page + 1], frameOnPage(order, page)) << page;
  order.step = SignStep::Blank;
  EXPECT_EQ(-1, frameOnPage(order, 0));
}

// A clock that jumps to each deadline plus a lateness, and a screen whose
// drawing costs time: what each page was shown and when.
class FakeClock : public Clock {
 public:
  std::int64_t now() override { return now_; }
  bool waitUntil(std::int64_t deadline) override {
    deadlines.push_back(deadline);
    if (deadlines.size() > waitsAllowed) return false;
    if (deadline + lateness > now_) now_ = deadline + lateness;
    return true;
  }
  std::int64_t now_ = 1000;
  std::int64_t lateness = 0;
  std::size_t waitsAllowed = 0;
  std::vector<std::int64_t> deadlines;
};

class FakeScreen : public PageScreen {
 public:
  explicit FakeScreen(FakeClock& clock) : clock_(clock) {}
  bool showPage(std::int64_t page) override {
    pages.push_back(page);
    shownAt.push_back(clock_.now_);
    clock_.now_ += drawMicros;
    return true;
  }
  std::int64_t drawMicros = 0;
  std::vector<std::int64_t> pages;
  std::vector<std::int64_t> shownAt;

 private:
  FakeClock& clock_;
};

TEST(PageClock, PagesFallDueOnWholePeriodsFromTheOriginWhateverDrawingCosts) {
  FakeClock clock;
  clock.waitsAllowed = 10 * 60 * 1000 / 3;  // ten minutes of 3 s pages
  FakeScreen screen(clock);
  screen.drawMicros = 7000;
  const PageTimes times{clock.now_, 3000000, 0};
  runPages(times, screen, clock);
  ASSERT_EQ(clock.waitsAllowed, screen.pages.size());
  for (std::size_t k = 0; k < screen.pages.size(); ++k) {
    ASSERT_EQ(static_cast<std::int64_t>(k) + 1, screen.pages[k]);
    ASSERT_EQ(times.originMicros + (static_cast<std::int64_t>(k) + 1) * times.periodMicros, screen.shownAt[k]);
  }
}

TEST(PageClock, AWakeTooLatePassesOverThePagesAlreadyGone) {
  FakeClock clock;
  clock.waitsAllowed = 3;
  clock.lateness = 2500;
  FakeScreen screen(clock);
  runPages(PageTimes{0, 1000, 0}, screen, clock);
  EXPECT_EQ((std::vector<std::int64_t>{3, 6, 9}), screen.pages);
  EXPECT_EQ((std::vector<std::int64_t>{1000, 4000, 7000, 10000}), clock.deadlines);
}

TEST(PageClock, AStepShowsTheNextPageNowAndRestartsThePeriod) {
  const PageTimes times{1000, 3000, 0};
  EXPECT_EQ(0, pageDueAt(times, 0));
  EXPECT_EQ(0, pageDueAt(times, 3999));
  EXPECT_EQ(1, pageDueAt(times, 4000));
  const PageTimes forward = steppedPages(times, 1, 5000);  // on page 1
  EXPECT_EQ(2, pageDueAt(forward, 5000));
  EXPECT_EQ(8000, pageDeadline(forward, 3));
  const PageTimes back = steppedPages(forward, -1, 6000);
  EXPECT_EQ(1, pageDueAt(back, 6000));
  EXPECT_EQ(9000, pageDeadline(back, 2));
}

}  // namespace
}  // namespace rovenza
