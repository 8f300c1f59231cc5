#include "app/SettingsRecord.h"

namespace rovenza {

int readSettingsRecord(LayoutFile& file, SettingsWindows& windows) {
  int applied = 0;
  for (SettingsField field : kSettingsFields) {
    std::int32_t value = 0;
    if (!file.read32(value)) break;
    windows.apply(field, value);
    ++applied;
  }
  return applied;
}

bool writeSettingsRecord(LayoutFile& file, const SettingsWindows& windows) {
  for (SettingsField field : kSettingsFields) {
    if (!file.write32(static_cast<std::uint32_t>(windows.value(field)))) return false;
  }
  return true;
}

int loadSettingsFile(FileSystem& files, const std::string& path, SettingsWindows& windows) {
  LayoutFile file(files);
  if (!file.open(path, "r")) return 0;
  const int applied = readSettingsRecord(file, windows);
  file.close();
  return applied;
}

SystemError saveSettingsFile(FileSystem& files, const std::string& path, const SettingsWindows& windows) {
  return saveReplacing(files, path, [&](LayoutFile& file) { return writeSettingsRecord(file, windows); });
}

}  // namespace rovenza
