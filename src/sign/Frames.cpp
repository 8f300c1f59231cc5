#include "sign/Frames.h"

#include <algorithm>

#include "layout/LayoutFile.h"
#include "layout/MemoryFileSystem.h"

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
  if (!data || size < 2 || data[0] != 'B' || data[1] != 'M') return false;
  constexpr std::uint32_t kFileHeaderBytes = 14;
  MemoryFileSystem memory;
  memory.files["header"] = MemoryFileSystem::Bytes(data, data + std::min(size, kFileHeaderBytes));
  LayoutFile header(memory);
  std::uint16_t signature = 0;
  std::uint32_t declaredSize = 0;
  std::uint32_t reserved = 0;
  std::uint32_t pixelOffset = 0;
  if (!header.open("header", "r") || !header.read16(signature) || !header.read32(declaredSize) ||
      !header.read32(reserved) || !header.read32(pixelOffset)) {
    return true;
  }
  return pixelOffset > size;
}

std::int32_t ledFramePosition(std::int32_t targetFrame, std::int32_t fileCount) {
  if (fileCount <= 0 || targetFrame < 0 || targetFrame > fileCount - 1) return -1;
  return targetFrame;
}

}  // namespace rovenza
