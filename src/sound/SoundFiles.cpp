#include "sound/SoundFiles.h"

#include <memory>
#include <optional>
#include <vector>

namespace rovenza {

namespace {

// The whole file, or nothing when it is missing, too large or cannot be read.
std::optional<std::vector<unsigned char>> readWholeFile(FileSystem& files, const std::string& path) {
  const std::unique_ptr<ByteFile> file = files.openForReading(path);
  if (!file || file->size() > kLargestSoundFile) return std::nullopt;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(file->size()));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    std::uint32_t delivered = 0;
    if (!file->read(bytes.data() + filled, static_cast<std::uint32_t>(bytes.size() - filled), delivered)) {
      return std::nullopt;
    }
    if (delivered == 0) break;
    filled += delivered;
  }
  bytes.resize(filled);
  file->close();
  return bytes;
}

}  // namespace

SoundSet loadSoundSet(FileSystem& files, const std::string& folder, const SoundBytes (&builtIn)[kSoundNameCount]) {
  SoundSet set;
  for (int i = 0; i < kSoundNameCount; ++i) {
    std::optional<std::vector<unsigned char>> file;
    if (!folder.empty()) file = readWholeFile(files, folder + "\\" + kSoundFileNames[i]);
    set.sounds[i] = chooseSound(file ? &*file : nullptr, builtIn[i].data, builtIn[i].size);
  }
  return set;
}

}  // namespace rovenza
