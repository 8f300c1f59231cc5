#include "sign/Frames.h"

#include "common/ByteReader.h"

namespace rovenza {

namespace {
constexpr std::int64_t kHiMetricPerInch = 2540;
}  // namespace

std::int32_t hiMetricToPixels(std::int32_t hiMetric, std::int32_t dpi) {
  if (dpi <= 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(hiMetric) * dpi;
  const std::int64_t half = kHiMetricPerInch / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / kHiMetricPerInch : -((-product + half) / kHiMetricPerInch);
  if (rounded > INT32_MAX) return INT32_MAX;
  if (rounded < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(rounded);
}

std::string frameFolderPattern(std::string_view folder) {
  std::string pattern(folder);
  pattern += "\\*.*";
  return pattern;
}

std::string frameFilePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

bool bitmapHeadersCutShort(const unsigned char* data, std::uint32_t size) {
  ByteReader in(data, size);
  if (!in.expect("BM", 2)) return false;
  std::uint32_t pixelOffset = 0;
  // The file header: signature, declared size, reserved, offset of the pixels.
  if (!in.seek(10) || !in.u32le(pixelOffset)) return true;
  return pixelOffset > size;
}

bool frameListingCurrent(std::uint64_t writtenBefore, std::uint64_t listedAt, std::uint64_t writtenNow) {
  return writtenNow == writtenBefore && listedAt >= writtenBefore && listedAt - writtenBefore >= kFolderClockSlack;
}

std::int32_t ledFramePosition(std::int32_t targetFrame, std::int32_t fileCount) {
  if (fileCount <= 0 || targetFrame < 0 || targetFrame > fileCount - 1) return -1;
  return targetFrame;
}

}  // namespace rovenza
