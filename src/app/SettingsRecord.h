#pragma once
// The settings record: six 32-bit values (main window left, top, width,
// height, panel left, top) back to back, 24 bytes. The values go straight
// from the file into the windows at start and from the windows into the file
// at exit, through the SettingsWindows interface.
#include <cstdint>
#include <string>

#include "layout/FileSystem.h"
#include "layout/LayoutFile.h"

namespace rovenza {

enum class SettingsField { MainLeft, MainTop, MainWidth, MainHeight, PanelLeft, PanelTop };

// File order of the fields.
constexpr SettingsField kSettingsFields[] = {SettingsField::MainLeft,  SettingsField::MainTop,
                                             SettingsField::MainWidth, SettingsField::MainHeight,
                                             SettingsField::PanelLeft, SettingsField::PanelTop};
constexpr int kSettingsFieldCount = 6;
constexpr int kSettingsRecordBytes = 24;

class SettingsWindows {
 public:
  virtual ~SettingsWindows() = default;
  virtual std::int32_t value(SettingsField field) const = 0;      // read from its window
  virtual void apply(SettingsField field, std::int32_t value) = 0;  // set on its window
};

// Reads the values in file order from an open file, applying each one as
// soon as it was read in full; stops at the first that cannot be. Returns
// how many were applied.
int readSettingsRecord(LayoutFile& file, SettingsWindows& windows);

// Writes the six values in file order, each taken from its window at the
// moment it is written; stops at the first write that fails.
bool writeSettingsRecord(LayoutFile& file, const SettingsWindows& windows);

// Opens `path` for reading and applies what it holds; a missing file
// changes nothing. Returns how many values were applied.
int loadSettingsFile(FileSystem& files, const std::string& path, SettingsWindows& windows);

// Writes the record to a temporary file beside `path` that replaces the old
// file only once all 24 bytes were written and the file closed; on failure
// the old file stays. Returns 0 or the system error.
SystemError saveSettingsFile(FileSystem& files, const std::string& path, const SettingsWindows& windows);

}  // namespace rovenza
