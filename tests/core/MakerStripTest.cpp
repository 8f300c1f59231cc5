// A strip made from a table: its frames and height, the strips the program
// could not load back, its BMP bytes, the LED folder's names, and a save
// that fails leaving the old file.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "layout/MemoryFileSystem.h"
#include "maker/Saving.h"
#include "maker/Strip.h"
#include "sign/BitmapFile.h"
#include "sign/PictureSize.h"

namespace rovenza {
namespace {

TEST(MakerStrip, FrameZeroIsBlankThenOneFramePerRow) {
  const StripGeometry strip = stripGeometry(124, 57, 3);
  EXPECT_EQ(4, strip.frames);
  EXPECT_EQ(228u, strip.height);
  EXPECT_EQ(0u, strip.frameTop(0));
  EXPECT_EQ(171u, strip.frameTop(3));
  EXPECT_EQ(1, stripGeometry(124, 57, 0).frames) << "an empty table is the blank frame";
}

TEST(MakerStrip, OnlyStripsTheProgramLoadsBackAreMade) {
  const struct {
    const char* name;
    int width, height;
    std::size_t rows;
    bool loadable;
  } cases[] = {
      {"a thousand rows of the usual sign", 124, 57, 1000, true},
      {"just at the picture ceiling", 8192, 8192, 0, true},
      {"one frame past it", 8192, 4096, 2, false},
      {"many rows of a wide sign", 2000, 500, 80, false},
      {"no width", 0, 57, 3, false},
      {"a side past the largest", 124, kMaxFrameSide + 1, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.loadable, stripLoadable(stripGeometry(c.width, c.height, c.rows))) << c.name;
  }
}

Picture frameOfColour(int width, int height, std::uint32_t colour) {
  return Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

TEST(MakerStrip, TheBmpHoldsTheFramesTopToBottom) {
  const StripGeometry strip = stripGeometry(5, 2, 2);  // rows of 15 bytes, padded to 16
  const std::uint32_t colours[] = {0x000000, 0x102030, 0xA0B0C0};
  std::vector<unsigned char> bytes;
  int made = 0;
  ASSERT_TRUE(writeStripBmp(
      strip, [&](int frame) { return ++made, frameOfColour(5, 2, colours[frame]); },
      [&](const unsigned char* data, std::size_t size) { return bytes.insert(bytes.end(), data, data + size), true; }));
  EXPECT_EQ(3, made);
  ASSERT_EQ(54u + 16u * 6u, bytes.size());

  const std::optional<BitmapFileLayout> layout = readBitmapFileLayout(bytes.data(), bytes.size());
  ASSERT_TRUE(layout.has_value()) << "a BMP the program maps as it stands";
  EXPECT_EQ(5, layout->width);
  EXPECT_EQ(6, layout->height);
  EXPECT_EQ(54u, layout->bitsOffset);
  const PictureSize size = readPictureSize(bytes.data(), bytes.size());
  EXPECT_EQ(6u, size.height);
  // The file's last row is the strip's top (frame 0); its first, the last frame.
  auto pixelAt = [&](int fileRow, int x) {
    const unsigned char* p = &bytes[54 + static_cast<std::size_t>(fileRow) * 16 + x * 3];
    return static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
  };
  EXPECT_EQ(0xA0B0C0u, pixelAt(0, 4));
  EXPECT_EQ(0xA0B0C0u, pixelAt(1, 0));
  EXPECT_EQ(0x102030u, pixelAt(2, 0));
  EXPECT_EQ(0x000000u, pixelAt(5, 4));
  EXPECT_EQ(0, bytes[54 + 15]) << "padding";

  // A sink that fails stops the writing.
  int calls = 0;
  EXPECT_FALSE(writeStripBmp(
      strip, [&](int frame) { return frameOfColour(5, 2, colours[frame]); },
      [&](const unsigned char*, std::size_t) { return ++calls < 2; }));
  EXPECT_EQ(2, calls);
}

TEST(MakerStrip, LedNamesSortAsTheRows) {
  EXPECT_EQ("00.bmp", ledFrameName(0, 1));
  EXPECT_EQ("09.bmp", ledFrameName(9, 12));
  EXPECT_EQ("99.bmp", ledFrameName(99, 100));
  EXPECT_EQ("007.bmp", ledFrameName(7, 101));
  EXPECT_EQ("999.bmp", ledFrameName(999, 1000));
  EXPECT_EQ("0999.bmp", ledFrameName(999, 1001));
}

TEST(MakerStrip, ASaveThatFailsLeavesTheOldFile) {
  const MemoryFileSystem::Bytes old = {1, 2, 3};
  const std::vector<unsigned char> fresh(100, 7);
  auto produce = [&fresh](const ByteSink& sink) { return sink(fresh.data(), 60) && sink(fresh.data() + 60, 40); };
  const struct {
    const char* name;
    void (*fault)(MemoryFileSystem&);
    SystemError error;
  } cases[] = {
      {"written", [](MemoryFileSystem&) {}, 0},
      {"disk full", [](MemoryFileSystem& f) { f.writeLimit = 70; }, kErrorDiskFull},
      {"no temporary file", [](MemoryFileSystem& f) { f.failTemporary = true; }, 0},
      {"rename fails", [](MemoryFileSystem& f) { f.failReplace = true; }, 0},
      {"read-only", [](MemoryFileSystem& f) { f.readOnly.insert("C:\\out\\strip.bmp"); }, kErrorAccessDenied},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.files["C:\\out\\strip.bmp"] = old;
    c.fault(files);
    const SystemError error = saveReplacing(files, "C:\\out\\strip.bmp", produce);
    const bool written = std::string(c.name) == "written";
    if (written) {
      EXPECT_EQ(0u, error);
      EXPECT_EQ(MemoryFileSystem::Bytes(fresh.begin(), fresh.end()), files.files["C:\\out\\strip.bmp"]);
    } else {
      EXPECT_NE(0u, error) << c.name;
      if (c.error) {
        EXPECT_EQ(c.error, error) << c.name;
      }
      EXPECT_EQ(old, files.files["C:\\out\\strip.bmp"]) << c.name;
    }
    EXPECT_EQ(1u, files.files.size()) << c.name << ": no temporary file left";
  }
  // A producer that gives up leaves the old file too.
  MemoryFileSystem files;
  files.files["C:\\out\\strip.bmp"] = old;
  EXPECT_NE(0u, saveReplacing(files, "C:\\out\\strip.bmp", [](const ByteSink&) { return false; }));
  EXPECT_EQ(old, files.files["C:\\out\\strip.bmp"]);
  EXPECT_EQ(1u, files.files.size());
}

}  // namespace
}  // namespace rovenza
