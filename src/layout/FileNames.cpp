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

std::string withLayoutExtension(std::string_view path) {
  std::string result(path);
  if (upperLastFour(path) != ".QV4") result += ".qv4";
  return result;
}

std::string folderOf(std::string_view path) {
  std::size_t end = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += charLength(path, pos)) {
    if (path[pos] == '\\' || path[pos] == '/') end = pos + 1;
  }
  if (end == std::string_view::npos) return ".";
  return std::string(path.substr(0, end));
}

}  // namespace rovenza
