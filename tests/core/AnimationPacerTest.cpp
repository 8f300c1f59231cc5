// The pacing of an animated LED frame with a fake clock: each picture shown
// at the start plus the delays before it, the plays the file asks for, no
// drift over ten minutes of late wake-ups, pictures overtaken by the clock
// passed over, and a stop.
#include "sign/AnimationPacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GifBytes.h"

namespace rovenza {
namespace {

using test::filledPicture;
using test::GifPlan;

constexpr std::int64_t kStart = 5000000;

// Wakes `lateMicros` after each deadline still ahead, at once for one
// passed; stops at the wait numbered `cancelAt`.
class FakeClock : public Clock {
 public:
  explicit FakeClock(std::int64_t lateMicros = 0) : late_(lateMicros) {}
  std::int64_t now() override { return now_; }
  bool waitUntil(std::int64_t deadline) override {
    deadlines.push_back(deadline);
    if (cancelAt != 0 && static_cast<int>(deadlines.size()) >= cancelAt) return false;
    if (deadline > now_) now_ = deadline + late_;
    return true;
  }
  std::int64_t now_ = kStart;
  std::vector<std::int64_t> deadlines;
  int cancelAt = 0;

 private:
  std::int64_t late_;
};

// Notes when each picture was shown and which (its first pixel), and takes
// `drawMicros` to draw; refuses the picture numbered `refuseAt`.
class FakeScreen : public AnimationScreen {
 public:
  FakeScreen(FakeClock& clock, std::int64_t drawMicros = 0) : clock_(clock), draw_(drawMicros) {}
  bool showPicture(const std::vector<std::uint32_t>& pixels) override {
    if (refuseAt != 0 && static_cast<int>(times.size()) + 1 >= refuseAt) return false;
    times.push_back(clock_.now());
    firstPixels.push_back(pixels.empty() ? 0 : pixels[0]);
    clock_.now_ += draw_;
    return true;
  }
  std::vector<std::int64_t> times;
  std::vector<std::uint32_t> firstPixels;
  int refuseAt = 0;

 private:
  FakeClock& clock_;
  std::int64_t draw_;
};

// Pictures of one pixel: picture n shows colour n + 1, for the delays given.
GifAnimation animationOf(const std::vector<int>& delays, int loop) {
  GifPlan plan{1, 1, {}, loop, {}};
  for (std::size_t n = 0; n < delays.size(); ++n) {
    plan.colours.push_back(static_cast<std::uint32_t>(n + 1));
    plan.pictures.push_back(filledPicture(0, 0, 1, 1, static_cast<std::uint8_t>(n), delays[n]));
  }
  const std::vector<unsigned char> bytes = test::writeGif(plan);
  return decodeGifAnimation(bytes.data(), bytes.size());
}

AnimationEnd play(const GifAnimation& animation, FakeClock& clock, FakeScreen& screen) {
  GifCanvas canvas(animation);
  canvas.compose(0);
  return playAnimation(animation, canvas, kStart, screen, clock);
}

TEST(AnimationPacer, EachPictureIsDueAtTheStartPlusTheDelaysBeforeIt) {
  const GifAnimation animation = animationOf({30, 0, 1, 250}, 1);  // two plays
  FakeClock clock;
  FakeScreen screen(clock);
  EXPECT_EQ(AnimationEnd::Finished, play(animation, clock, screen));
  // Delays in microseconds: 300,000, 100,000 (0 counts as 10), 100,000 (so does 1), 2,500,000.
  const std::vector<std::int64_t> due = {kStart + 300000,  kStart + 400000,  kStart + 500000, kStart + 3000000,
                                         kStart + 3300000, kStart + 3400000, kStart + 3500000};
  EXPECT_EQ(due, clock.deadlines);
  EXPECT_EQ(due, screen.times);
  // Pictures 1, 2, 3, then the second play; the last picture stays.
  EXPECT_EQ((std::vector<std::uint32_t>{2, 3, 4, 1, 2, 3, 4}), screen.firstPixels);
}

TEST(AnimationPacer, PlaysAsOftenAsTheLoopCountSays) {
  const struct {
    int loop;
    std::size_t shown;
  } cases[] = {{-1, 2}, {1, 5}, {2, 8}};
  for (const auto& c : cases) {
    const GifAnimation animation = animationOf({5, 5, 5}, c.loop);
    FakeClock clock;
    FakeScreen screen(clock);
    EXPECT_EQ(AnimationEnd::Finished, play(animation, clock, screen)) << c.loop;
    EXPECT_EQ(c.shown, screen.times.size()) << c.loop;
    EXPECT_EQ(3u, screen.firstPixels.back()) << c.loop;
  }
}

TEST(AnimationPacer, ForeverPlaysUntilStopped) {
  const GifAnimation animation = animationOf({5, 5, 5}, 0);
  FakeClock clock;
  clock.cancelAt = 1000;
  FakeScreen screen(clock);
  EXPECT_EQ(AnimationEnd::Cancelled, play(animation, clock, screen));
  EXPECT_EQ(999u, screen.times.size());
  EXPECT_EQ(kStart + 999 * 50000, screen.times.back());

  FakeClock other;
  FakeScreen refusing(other);
  refusing.refuseAt = 4;
  EXPECT_EQ(AnimationEnd::Cancelled, play(animation, other, refusing));
  EXPECT_EQ(3u, refusing.times.size());
}

// Ten minutes of 20 ms pictures, each wake-up 3 ms late and each drawing
// 1 ms long: every picture is still shown 3 ms after its own deadline, and
// the last deadline is the sum of the delays.
TEST(AnimationPacer, LateWakeUpsDoNotAddUpOverTenMinutes) {
  const GifAnimation animation = animationOf({2, 2, 2, 2, 2}, 0);
  constexpr int kPictures = 30000;  // 600 s
  FakeClock clock(3000);
  clock.cancelAt = kPictures + 1;
  FakeScreen screen(clock, 1000);
  EXPECT_EQ(AnimationEnd::Cancelled, play(animation, clock, screen));
  ASSERT_EQ(static_cast<std::size_t>(kPictures), screen.times.size());
  for (int n = 0; n < kPictures; ++n) {
    ASSERT_EQ(kStart + (n + 1) * 20000 + 3000, screen.times[n]) << n;
  }
  EXPECT_EQ(kStart + 600000000, clock.deadlines[kPictures - 1]);
}

TEST(AnimationPacer, PicturesTheClockHasOvertakenArePassedOverButNotTheLast) {
  const GifAnimation animation = animationOf({10, 10, 10, 10, 10}, -1);
  FakeClock clock(250000);  // every wake-up 250 ms late: two and a half pictures
  FakeScreen screen(clock);
  EXPECT_EQ(AnimationEnd::Finished, play(animation, clock, screen));
  // Picture 1 is due at 100 ms and woken at 350 ms, when picture 2 (200 ms)
  // and picture 3 (300 ms) are due already: 1 and 2 are passed over, 3 is
  // shown at once; picture 4, the last, at 400 ms + 250.
  EXPECT_EQ((std::vector<std::uint32_t>{4, 5}), screen.firstPixels);
  EXPECT_EQ((std::vector<std::int64_t>{kStart + 350000, kStart + 650000}), screen.times);
  EXPECT_EQ(4u, clock.deadlines.size());
}

TEST(AnimationPacer, OnePictureNeedsNoPacing) {
  const GifAnimation animation = animationOf({10}, 0);
  FakeClock clock;
  FakeScreen screen(clock);
  EXPECT_EQ(AnimationEnd::Finished, play(animation, clock, screen));
  EXPECT_TRUE(clock.deadlines.empty());
  EXPECT_TRUE(screen.times.empty());
}

}  // namespace
}  // namespace rovenza
