// The settings record: read value by value into the windows, written value
// by value from them, saved without ever losing the previous file.
#include "app/SettingsRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "layout/MemoryFileSystem.h"

namespace rovenza {
namespace {

using Bytes = MemoryFileSystem::Bytes;

class FakeWindows : public SettingsWindows {
 public:
  std::int32_t values[kSettingsFieldCount] = {1, 2, 450, 450, 5, 6};
  std::vector<std::pair<SettingsField, std::int32_t>> applied;
  mutable std::vector<SettingsField> taken;

  std::int32_t value(SettingsField field) const override {
    taken.push_back(field);
    return values[static_cast<int>(field)];
  }
  void apply(SettingsField field, std::int32_t value) override {
    applied.emplace_back(field, value);
    values[static_cast<int>(field)] = value;
  }
};

Bytes record(const std::vector<std::int32_t>& values) {
  Bytes bytes;
  for (std::int32_t v : values) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(u >> shift));
  }
  return bytes;
}

TEST(SettingsRecord, AFullRecordIsAppliedInFileOrder) {
  MemoryFileSystem files;
  files.files["r.ini"] = record({10, 20, 500, 400, 600, 30});
  FakeWindows windows;
  EXPECT_EQ(6, loadSettingsFile(files, "r.ini", windows));
  const std::vector<std::pair<SettingsField, std::int32_t>> expected = {
      {SettingsField::MainLeft, 10},   {SettingsField::MainTop, 20},   {SettingsField::MainWidth, 500},
      {SettingsField::MainHeight, 400}, {SettingsField::PanelLeft, 600}, {SettingsField::PanelTop, 30}};
  EXPECT_EQ(expected, windows.applied);
}

TEST(SettingsRecord, OnlyValuesReadInFullAreApplied) {
  struct Case {
    std::size_t size;
    std::size_t applied;
  };
  const Case cases[] = {{0, 0}, {3, 0}, {4, 1}, {12, 3}, {15, 3}, {23, 5}, {24, 6}, {30, 6}};
  for (const Case& c : cases) {
    MemoryFileSystem files;
    Bytes bytes = record({-7, -8, 300, 200, 100, 50, 99, 99});
    bytes.resize(c.size);
    files.files["r.ini"] = bytes;
    FakeWindows windows;
    EXPECT_EQ(static_cast<int>(c.applied), loadSettingsFile(files, "r.ini", windows)) << c.size;
    ASSERT_EQ(c.applied, windows.applied.size()) << c.size;
    const std::int32_t defaults[] = {1, 2, 450, 450, 5, 6};
    const std::int32_t stored[] = {-7, -8, 300, 200, 100, 50};
    for (std::size_t i = 0; i < 6; ++i) {
      EXPECT_EQ(i < c.applied ? stored[i] : defaults[i], windows.values[i]) << c.size << " field " << i;
    }
  }
}

TEST(SettingsRecord, AMissingFileChangesNothing) {
  MemoryFileSystem files;
  FakeWindows windows;
  EXPECT_EQ(0, loadSettingsFile(files, "none.ini", windows));
  EXPECT_TRUE(windows.applied.empty());
}

TEST(SettingsRecord, SavingWritesTheWindowsAsTheyAreInTwentyFourBytes) {
  MemoryFileSystem files;
  files.files["r.ini"] = Bytes(40, 0xEE);
  FakeWindows windows;
  windows.values[0] = -3;
  EXPECT_EQ(0u, saveSettingsFile(files, "r.ini", windows));
  EXPECT_EQ(record({-3, 2, 450, 450, 5, 6}), files.files["r.ini"]);
  EXPECT_EQ(1u, files.files.size());
  const std::vector<SettingsField> order(std::begin(kSettingsFields), std::end(kSettingsFields));
  EXPECT_EQ(order, windows.taken);
}

TEST(SettingsRecord, AFailedSaveKeepsThePreviousFile) {
  MemoryFileSystem files;
  files.files["r.ini"] = record({10, 20, 500, 400, 600, 30});
  files.writeLimit = 10;
  FakeWindows windows;
  EXPECT_EQ(kErrorDiskFull, saveSettingsFile(files, "r.ini", windows));
  EXPECT_EQ(record({10, 20, 500, 400, 600, 30}), files.files["r.ini"]);
  EXPECT_EQ(1u, files.files.size());
  EXPECT_EQ(3u, windows.taken.size()) << "values after the failing write are not taken";
}

}  // namespace
}  // namespace rovenza
