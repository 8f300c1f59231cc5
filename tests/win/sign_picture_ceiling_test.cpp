// A picture larger than the program decodes is refused before decoding, as a
// bad file is. A test program of its own: it asserts on its process's peak
// working set.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <cstdint>
#include <string>

#include "sign/PictureSize.h"
#include "sign/win32/Pictures.h"
#include "sign_test_support.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::TempFolder;

// Just over the ceiling: one row more than 8192 x 8192.
constexpr int kWidth = 8192;
constexpr int kHeight = 8193;

std::uint64_t peakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

TEST(PictureCeiling, APictureOverTheCeilingIsRefusedWithoutDecodingIt) {
  ASSERT_GT(std::uint64_t{kWidth} * kHeight, kMaxPicturePixels);
  TempFolder folder;
  const std::string path = folder.file("over.bmp");
  test::writeOneBitBmp(path, kWidth, kHeight);
  // The decoder's own set-up is done once, with a small picture.
  HBITMAP small = loadPicture(test::sourcePath("demo/led/00.bmp"));
  ASSERT_NE(nullptr, small);
  DeleteObject(small);

  const std::uint64_t before = peakWorkingSet();
  ASSERT_NE(0u, before);
  EXPECT_EQ(nullptr, loadPicture(path));
  // Decoding takes at least one bitmap of four bytes a pixel (268 MB); the
  // refusal only reads the 8 MB file.
  const std::uint64_t decoded = std::uint64_t{kWidth} * kHeight * 4;
  EXPECT_LT(peakWorkingSet() - before, decoded / 8) << "peak working set before " << before;
}

}  // namespace
}  // namespace rovenza
