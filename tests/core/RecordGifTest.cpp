// GIF files the writer makes, read back with giflib's decoder: the loop,
// the frames' rectangles, delays and pixels, the palette, and a failing disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GifDecoding.h"
#include "record/GifPalette.h"
#include "record/GifWriter.h"

namespace rovenza {
namespace {

class MemoryOutput : public GifOutput {
 public:
  // Takes up to `room` bytes; a write that does not fit fails.
  explicit MemoryOutput(std::size_t room = SIZE_MAX) : room_(room) {}
  bool write(const unsigned char* data, std::size_t size) override {
    if (size > room_ - bytes.size()) return false;
    bytes.insert(bytes.end(), data, data + size);
    return true;
  }
  std::vector<unsigned char> bytes;

 private:
  std::size_t room_;
};

Picture filled(int width, int height, std::uint32_t colour) {
  return Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

void fillRect(Picture& picture, int left, int top, int width, int height, std::uint32_t colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = colour;
  }
}

// A picture of many colours: a smooth gradient of red over green.
Picture gradient(int width, int height) {
  Picture picture = filled(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels[static_cast<std::size_t>(y) * width + x] =
          std::uint32_t(x * 255 / (width - 1)) << 16 | std::uint32_t(y * 255 / (height - 1)) << 8 | 0x40;
    }
  }
  return picture;
}

std::vector<std::uint32_t> masked(const Picture& picture) {
  std::vector<std::uint32_t> pixels = picture.pixels;
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

TEST(RecordGif, ARollIsGif89aLoopingForeverWithOnlyTheChangedRectanglesAfterTheFirstFrame) {
  Picture board = filled(40, 30, 0xC0C0C0);
  fillRect(board, 5, 5, 10, 8, 0x000080);
  std::vector<Picture> shown = {board};
  for (int step = 1; step <= 3; ++step) {
    fillRect(board, 5, 5 + step - 1, 10, 1, 0xFFFFFF);  // the sign rolls down a row
    fillRect(board, 5, 5 + step, 10, 8, 0x000080);
    shown.push_back(board);
  }
  MemoryOutput output;
  GifWriter writer(output);
  const double times[] = {0, 25, 50, 75};
  for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_TRUE(writer.add(shown[i], 1000 + times[i]));
  ASSERT_TRUE(writer.finish(1000 + 143));

  const test::DecodedGif gif = test::decodeGif(output.bytes);
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ("GIF89a", gif.version);
  EXPECT_TRUE(gif.loopsForever);
  EXPECT_EQ(40, gif.width);
  EXPECT_EQ(30, gif.height);
  ASSERT_EQ(4u, gif.frames.size());
  EXPECT_EQ((std::vector<int>{0, 0, 40, 30}), (std::vector<int>{gif.frames[0].left, gif.frames[0].top,
                                                                  gif.frames[0].width, gif.frames[0].height}));
  for (std::size_t i = 1; i < 4; ++i) {
    const test::DecodedFrame& f = gif.frames[i];
    EXPECT_EQ((std::vector<int>{5, static_cast<int>(4 + i), 10, 9}), (std::vector<int>{f.left, f.top, f.width, f.height}))
        << "frame " << i;
  }
  std::vector<int> delays;
  for (const test::DecodedFrame& f : gif.frames) {
    delays.push_back(f.delay);
    EXPECT_EQ(DISPOSE_DO_NOT, f.disposal);
  }
  EXPECT_EQ((std::vector<int>{3, 2, 3, 6}), delays);
  EXPECT_EQ(14, gif.totalDelay());
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(masked(shown[i]), gif.frames[i].screen) << "frame " << i;
}

TEST(RecordGif, APictureLikeTheFrameBeforeIsNoFrameAndItsTimeGoesToThatFrame) {
  MemoryOutput output;
  GifWriter writer(output);
  const Picture still = filled(8, 8, 0x123456);
  Picture moved = still;
  fillRect(moved, 2, 2, 1, 1, 0x654321);
  ASSERT_TRUE(writer.add(still, 0));
  ASSERT_TRUE(writer.add(still, 20));
  ASSERT_TRUE(writer.add(still, 40));
  ASSERT_TRUE(writer.add(moved, 60));
  ASSERT_TRUE(writer.finish(100));
  const test::DecodedGif gif = test::decodeGif(output.bytes);
  ASSERT_EQ(2u, gif.frames.size());
  EXPECT_EQ(6, gif.frames[0].delay);
  EXPECT_EQ(4, gif.frames[1].delay);
}

TEST(RecordGif, ARecordingWithoutChangeIsOneFrameLastingUntilTheStop) {
  MemoryOutput output;
  GifWriter writer(output);
  ASSERT_TRUE(writer.add(filled(6, 4, 0xFF0000), 500));
  ASSERT_TRUE(writer.add(filled(6, 4, 0xFF0000), 520));
  ASSERT_TRUE(writer.finish(500 + 4321));
  const test::DecodedGif gif = test::decodeGif(output.bytes);
  ASSERT_EQ(1u, gif.frames.size());
  EXPECT_EQ(432, gif.frames[0].delay);
  EXPECT_TRUE(gif.loopsForever);
}

TEST(RecordGif, APictureOfAnotherSizeIsTakenOverTheFirstPicturesSize) {
  MemoryOutput output;
  GifWriter writer(output);
  ASSERT_TRUE(writer.add(filled(6, 4, 0x111111), 0));
  ASSERT_TRUE(writer.add(filled(3, 6, 0x222222), 30));
  ASSERT_TRUE(writer.finish(60));
  const test::DecodedGif gif = test::decodeGif(output.bytes);
  ASSERT_EQ(2u, gif.frames.size());
  EXPECT_EQ(6, gif.width);
  EXPECT_EQ(4, gif.height);
  Picture expected = filled(6, 4, 0x111111);
  fillRect(expected, 0, 0, 3, 4, 0x222222);
  EXPECT_EQ(expected.pixels, gif.frames[1].screen);
}

TEST(RecordGif, NothingToWriteFails) {
  MemoryOutput output;
  GifWriter writer(output);
  EXPECT_FALSE(writer.finish(100));
  EXPECT_TRUE(writer.failed());
}

// A disk that fills up: the writer fails wherever the room ends, and says so
// from then on.
TEST(RecordGif, ADiskThatFillsMakesTheRecordingFail) {
  const Picture first = gradient(64, 48);
  Picture second = first;
  fillRect(second, 10, 10, 20, 20, 0x00FF00);
  MemoryOutput whole;
  {
    GifWriter writer(whole);
    ASSERT_TRUE(writer.add(first, 0) && writer.add(second, 30) && writer.finish(60));
  }
  for (std::size_t room : {std::size_t{0}, std::size_t{5}, std::size_t{13}, std::size_t{40}, whole.bytes.size() / 2,
                           whole.bytes.size() - 1}) {
    MemoryOutput output(room);
    GifWriter writer(output);
    const bool ok = writer.add(first, 0) && writer.add(second, 30) && writer.finish(60);
    EXPECT_FALSE(ok) << room << " bytes of room";
    EXPECT_TRUE(writer.failed()) << room;
    EXPECT_FALSE(writer.add(second, 90)) << room;
  }
}

TEST(RecordPalette, FlatColoursComeOutExactlyAmongManyOthers) {
  // A gradient of thousands of colours with three flat sign colours on it.
  Picture picture = gradient(120, 80);
  const std::uint32_t flat[] = {0x00FF8000, 0x00000080, 0x00F0F0F0};
  fillRect(picture, 0, 0, 30, 20, flat[0]);
  fillRect(picture, 40, 30, 30, 20, flat[1]);
  fillRect(picture, 90, 60, 30, 20, flat[2]);
  const PixelRect whole{0, 0, 120, 80};
  IndexedPixels indexed;
  ASSERT_TRUE(indexPixels(picture, whole, indexed));
  ASSERT_LE(indexed.palette.size(), 256u);
  ASSERT_EQ(120u * 80u, indexed.indices.size());
  double error = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      const std::uint32_t source = picture.at(x, y);
      const std::uint32_t got = indexed.palette.at(indexed.indices[static_cast<std::size_t>(y) * 120 + x]);
      for (std::uint32_t f : flat) {
        if (source == f) {
          ASSERT_EQ(f, got) << x << "," << y;
        }
      }
      for (int shift : {0, 8, 16}) error += std::abs(int((source >> shift) & 0xFF) - int((got >> shift) & 0xFF));
    }
  }
  // Median cut keeps the gradient close: well under 8 levels a primary.
  EXPECT_LT(error / (120 * 80 * 3), 8.0);
}

TEST(RecordPalette, AFewColoursAreKeptExactlyWithinARectangle) {
  Picture picture = filled(16, 16, 0x101010);
  for (int i = 0; i < 16; ++i) fillRect(picture, i, 4, 1, 8, 0x010203 * i);
  const PixelRect rect{2, 3, 12, 10};
  IndexedPixels indexed;
  ASSERT_TRUE(indexPixels(picture, rect, indexed));
  EXPECT_EQ(13u, indexed.palette.size());  // twelve columns of their own and the background
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      EXPECT_EQ(picture.at(rect.left + x, rect.top + y),
                indexed.palette[indexed.indices[static_cast<std::size_t>(y) * rect.width + x]]);
    }
  }
}

}  // namespace
}  // namespace rovenza
