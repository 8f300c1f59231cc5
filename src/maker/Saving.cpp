#include "maker/Saving.h"

#include <algorithm>
#include <cstdint>

#include "layout/LayoutFile.h"

namespace rovenza {

SystemError saveReplacing(FileSystem& files, const std::string& path,
                          const std::function<bool(const ByteSink&)>& produce) {
  LayoutFile file(files);
  if (!file.openReplacing(path)) return file.lastError() ? file.lastError() : kErrorAccessDenied;
  SystemError error = 0;
  const ByteSink sink = [&file, &error](const unsigned char* data, std::size_t size) {
    while (size > 0) {
      const auto chunk = static_cast<std::uint32_t>(std::min<std::size_t>(size, 1u << 30));
      if (!file.writeBlock(data, chunk)) {
        error = file.lastError() ? file.lastError() : kErrorDiskFull;
        return false;
      }
      data += chunk;
      size -= chunk;
    }
    return true;
  };
  if (!produce(sink)) {
    file.close();
    return error ? error : kErrorInvalidData;
  }
  if (!file.commit()) return file.lastError() ? file.lastError() : kErrorAccessDenied;
  return 0;
}

}  // namespace rovenza
