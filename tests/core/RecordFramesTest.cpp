// The recorder's rules that need no GIF: where two pictures differ, the
// delays with their carried rounding, and the bounded queue that merges.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "record/FrameDelays.h"
#include "record/FrameQueue.h"
#include "record/Picture.h"

namespace rovenza {
namespace {

Picture filled(int width, int height, std::uint32_t colour) {
  return Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

void put(Picture& picture, int x, int y, std::uint32_t colour) {
  picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = colour;
}

struct ChangedCase {
  const char* name;
  std::vector<std::pair<int, int>> changed;  // pixels set to another colour
  PixelRect expected;
};

TEST(RecordChangedRect, IsTheSmallestRectangleAroundEveryChangedPixel) {
  const ChangedCase cases[] = {
      {"nothing", {}, {}},
      {"one pixel", {{3, 4}}, {3, 4, 1, 1}},
      {"top left corner", {{0, 0}}, {0, 0, 1, 1}},
      {"bottom right corner", {{9, 7}}, {9, 7, 1, 1}},
      {"two apart", {{2, 1}, {6, 5}}, {2, 1, 5, 5}},
      {"leftmost in a lower row", {{5, 1}, {1, 6}, {7, 3}}, {1, 1, 7, 6}},
      {"whole row", {{0, 2}, {9, 2}}, {0, 2, 10, 1}},
  };
  const Picture before = filled(10, 8, 0x112233);
  for (const ChangedCase& c : cases) {
    Picture after = before;
    for (auto [x, y] : c.changed) put(after, x, y, 0x445566);
    EXPECT_EQ(c.expected, changedRect(before, after)) << c.name;
  }
}

TEST(RecordChangedRect, IgnoresTheTopByteAndTakesAnotherSizeAsWhollyChanged) {
  const Picture before = filled(4, 3, 0x00AABBCC);
  EXPECT_TRUE(changedRect(before, filled(4, 3, 0xFFAABBCC)).empty());
  EXPECT_EQ((PixelRect{0, 0, 5, 3}), changedRect(before, filled(5, 3, 0xAABBCC)));
}

struct DelayCase {
  const char* name;
  std::vector<double> ends;  // ms after the first frame began
  std::vector<int> delays;   // hundredths
};

TEST(RecordFrameDelays, RoundsEachFrameAndCarriesTheRestIntoTheNext) {
  const DelayCase cases[] = {
      {"whole hundredths", {20, 40, 100}, {2, 2, 6}},
      {"a third of 10 ms carried", {23.3, 46.6, 69.9, 93.2}, {2, 3, 2, 2}},
      {"the timer's 25 ms", {25, 50, 75, 100}, {3, 2, 3, 2}},
      {"a frame shorter than 20 ms is 2, the next pays", {5, 60}, {2, 4}},
      {"nothing changed for a minute", {60000}, {6000}},
      {"longer than a delay can hold", {700000}, {65535}},
  };
  for (const DelayCase& c : cases) {
    FrameDelays delays;
    std::vector<int> got;
    for (double end : c.ends) got.push_back(delays.next(end));
    EXPECT_EQ(c.delays, got) << c.name;
  }
}

TEST(RecordFrameDelays, AThousandFramesAtTheTimersPaceEndWithin20MsOfTheRealTime) {
  FrameDelays delays;
  double now = 0;
  for (int i = 0; i < 1000; ++i) {
    now += 15.625 + (i % 7) * 1.7;  // never below 15 ms apart
    EXPECT_GE(delays.next(now), kShortestDelay);
  }
  EXPECT_NEAR(now, delays.total() * 10.0, 20.0);
}

TEST(RecordFrameQueue, KeepsFramesInOrderUpToItsBound) {
  FrameQueue queue(3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(queue.push(filled(1, 1, i), i * 20.0));
  queue.close();
  CapturedFrame frame;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(queue.pop(frame));
    EXPECT_EQ(static_cast<std::uint32_t>(i), frame.picture.pixels[0]);
    EXPECT_EQ(i * 20.0, frame.timeMs);
  }
  EXPECT_FALSE(queue.pop(frame));
  EXPECT_EQ(0u, queue.merged());
}

TEST(RecordFrameQueue, AFrameOnAFullQueueTakesThePlaceOfTheNewestWaiting) {
  FrameQueue queue(2);
  EXPECT_TRUE(queue.push(filled(1, 1, 1), 0));
  EXPECT_TRUE(queue.push(filled(1, 1, 2), 20));
  EXPECT_FALSE(queue.push(filled(1, 1, 3), 40));
  EXPECT_FALSE(queue.push(filled(1, 1, 4), 60));
  EXPECT_EQ(2u, queue.merged());
  queue.close();
  std::vector<std::pair<std::uint32_t, double>> got;
  CapturedFrame frame;
  while (queue.pop(frame)) got.emplace_back(frame.picture.pixels[0], frame.timeMs);
  // The first keeps its place and is shown until the last frame's time.
  EXPECT_EQ((std::vector<std::pair<std::uint32_t, double>>{{1, 0}, {4, 60}}), got);
  // The dropped pictures wait as spares.
  EXPECT_EQ(1u, queue.spare().pixels.size());
}

TEST(RecordFrameQueue, PopWaitsForAnotherThreadsPushAndAClosedQueueTakesNothing) {
  FrameQueue queue(4);
  std::thread producer([&] {
    for (int i = 0; i < 50; ++i) queue.push(filled(2, 2, i), i);
    queue.close();
  });
  CapturedFrame frame;
  double last = -1;
  int popped = 0;
  while (queue.pop(frame)) {
    EXPECT_GT(frame.timeMs, last);
    last = frame.timeMs;
    ++popped;
    queue.recycle(std::move(frame.picture));
  }
  producer.join();
  EXPECT_EQ(49.0, last) << "the newest frame always gets through";
  EXPECT_EQ(50u, popped + queue.merged());
  EXPECT_TRUE(queue.push(filled(1, 1, 9), 99));
  EXPECT_FALSE(queue.pop(frame));
}

}  // namespace
}  // namespace rovenza
