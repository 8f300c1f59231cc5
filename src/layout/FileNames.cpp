#include "layout/FileNames.h"

#include "common/Cp932.h"

namespace rovenza {

LayoutFormat layoutFormatOf(std::string_view path) {
  const std::string tail = upperLastFour(path);
  if (tail == ".QV4") return LayoutFormat::Qv4;
  if (tail == ".QV3") return LayoutFormat::Qv3;
  if (tail == ".QVD") return LayoutFormat::Qvd;
  return LayoutFormat::None;
}

bool isVehicleFileName(std::string_view path) { return upperLastFour(path) == ".RVH"; }

SystemError fileDialogFailure(std::uint32_t dialogError) {
  constexpr std::uint32_t kMemoryAllocation = 0x0009;  // CDERR_MEMALLOCFAILURE
  constexpr std::uint32_t kMemoryLock = 0x000A;        // CDERR_MEMLOCKFAILURE
  constexpr std::uint32_t kSubclass = 0x3001;          // FNERR_SUBCLASSFAILURE
  constexpr std::uint32_t kInvalidName = 0x3002;       // FNERR_INVALIDFILENAME
  constexpr std::uint32_t kBufferTooSmall = 0x3003;    // FNERR_BUFFERTOOSMALL
  switch (dialogError) {
    case 0:
      return 0;
    case kBufferTooSmall:
      return 206;  // ERROR_FILENAME_EXCED_RANGE
    case kInvalidName:
      return 123;  // ERROR_INVALID_NAME
    case kMemoryAllocation:
    case kMemoryLock:
    case kSubclass:
      return 8;  // ERROR_NOT_ENOUGH_MEMORY
    default:
      return 1;  // ERROR_INVALID_FUNCTION: the dialog itself could not run
  }
}

std::string withExtension(std::string_view path, std::string_view extension) {
  std::string result(path);
  if (upperLastFour(path) != upperLastFour(extension)) result += extension;
  return result;
}

std::string withLayoutExtension(std::string_view path) { return withExtension(path, ".qv4"); }

std::string folderOf(std::string_view path) {
  std::size_t end = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += charLength(path, pos)) {
    if (path[pos] == '\\' || path[pos] == '/') end = pos + 1;
  }
  if (end == std::string_view::npos) return ".";
  return std::string(path.substr(0, end));
}

}  // namespace rovenza
