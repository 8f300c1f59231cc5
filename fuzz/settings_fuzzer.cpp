// Any bytes read as the settings file: exactly the values present in full
// are applied, in file order, and saving them back gives the same record.
#include <cstddef>
#include <cstdint>

#include "FuzzBoard.h"
#include "app/SettingsRecord.h"

using rovenza::fuzz::require;

namespace {

class Windows : public rovenza::SettingsWindows {
 public:
  std::int32_t values[rovenza::kSettingsFieldCount] = {};
  int applied = 0;
  bool inOrder = true;

  std::int32_t value(rovenza::SettingsField field) const override { return values[static_cast<int>(field)]; }
  void apply(rovenza::SettingsField field, std::int32_t value) override {
    if (static_cast<int>(field) != applied) inOrder = false;
    values[static_cast<int>(field)] = value;
    ++applied;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::MemoryFileSystem files;
  rovenza::fuzz::putFile(files, "r.ini", data, size);
  Windows windows;
  const int applied = rovenza::loadSettingsFile(files, "r.ini", windows);
  const std::size_t whole = size / 4 < 6 ? size / 4 : 6;
  require(applied == static_cast<int>(whole) && windows.applied == applied, "every whole value, no other");
  require(windows.inOrder, "file order");

  require(rovenza::saveSettingsFile(files, "r.ini", windows) == 0, "the record saves");
  const rovenza::MemoryFileSystem::Bytes& saved = files.files["r.ini"];
  require(saved.size() == 24, "24 bytes");
  for (std::size_t i = 0; i < whole * 4; ++i) require(saved[i] == data[i], "the values read are written back");
  require(files.files.size() == 1, "no temporary file is left");
  return 0;
}
