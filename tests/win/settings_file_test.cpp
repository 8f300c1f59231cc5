// The settings file beside the program: applied at start value by value,
// written from the windows, and never lost by a save that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/win32/Settings.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;
using test::Bytes;
using test::readFile;
using test::writeFile;

std::string modulePath() {
  char name[1024] = {};
  GetModuleFileNameA(nullptr, name, sizeof name);
  return name;
}

int countTemporaryFiles(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\rvz*.tmp").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    ++count;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

std::string folderOfModule() {
  const std::string path = modulePath();
  return path.substr(0, path.find_last_of('\\'));
}

// The settings file of this test program: removed before and after each test.
class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() : path_(settingsPath()) { clear(); }
  ~SettingsFile() override { clear(); }
  void clear() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
  }
  const std::string& path() const { return path_; }

  // Where start-up puts the windows without a settings file.
  static RECT defaultMainPlace() {
    ProgramSession session;
    return test::windowRect(session.main());
  }

  static void expectPanelCentred() {
    const RECT desktop = test::windowRect(GetDesktopWindow());
    EXPECT_EQ(static_cast<int>((desktop.right - app.panelRef.width()) / 2.0), app.panelRef.left());
    EXPECT_EQ(static_cast<int>((desktop.bottom - app.panelRef.height()) / 2.0), app.panelRef.top());
  }

 private:
  std::string path_;
};

TEST_F(SettingsFile, PathIsTheProgramsWithItsLastFourBytesReplaced) {
  const std::string module = modulePath();
  ASSERT_GT(module.size(), 4u);
  EXPECT_EQ(module.substr(0, module.size() - 4) + ".ini", path());
  EXPECT_EQ("settings_file_test.ini", path().substr(path().find_last_of('\\') + 1));
}

TEST_F(SettingsFile, A24ByteFilePlacesMainWindowAndPanel) {
  writeFile(path(), test::int32Record({10, 20, 500, 400, 600, 30}));
  ProgramSession session;
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ(10, main.left);
  EXPECT_EQ(20, main.top);
  EXPECT_EQ(500, main.right - main.left);
  EXPECT_EQ(400, main.bottom - main.top);
  const RECT panel = test::windowRect(app.panelWindow);
  EXPECT_EQ(600, panel.left);
  EXPECT_EQ(30, panel.top);
  EXPECT_EQ(270, panel.right - panel.left) << "the panel's size is not stored";
}

TEST_F(SettingsFile, A12ByteFileSetsLeftTopAndWidthOnly) {
  writeFile(path(), test::int32Record({10, 20, 500}));
  ProgramSession session;
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ(10, main.left);
  EXPECT_EQ(20, main.top);
  EXPECT_EQ(500, main.right - main.left);
  EXPECT_EQ(450, main.bottom - main.top);
  expectPanelCentred();
}

TEST_F(SettingsFile, AnEmptyFileChangesNothing) {
  const RECT expected = defaultMainPlace();
  writeFile(path(), {});
  ProgramSession session;
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ(expected.left, main.left);
  EXPECT_EQ(expected.top, main.top);
  EXPECT_EQ(450, main.right - main.left);
  EXPECT_EQ(450, main.bottom - main.top);
  expectPanelCentred();
}

TEST_F(SettingsFile, NoFileKeepsTheStartUpPlaces) {
  ProgramSession session;
  EXPECT_EQ(450, app.mainRef.width());
  EXPECT_EQ(450, app.mainRef.height());
  expectPanelCentred();
  Bytes none;
  EXPECT_FALSE(readFile(path(), none));
}

TEST_F(SettingsFile, EachValueReadInFullIsApplied) {
  const std::vector<std::int32_t> stored = {12, 34, 300, 200, 40, 50};
  for (std::size_t size : {3u, 4u, 7u, 8u, 15u, 16u, 20u, 23u, 30u}) {
    SCOPED_TRACE("file of " + std::to_string(size) + " bytes");
    Bytes bytes = test::int32Record(stored);
    bytes.resize(size, 0x7F);
    writeFile(path(), bytes);
    ProgramSession session;
    const std::size_t applied = std::min<std::size_t>(size / 4, 6);
    const std::int32_t got[] = {app.mainRef.left(),   app.mainRef.top(),   app.mainRef.width(),
                                app.mainRef.height(), app.panelRef.left(), app.panelRef.top()};
    for (std::size_t i = 0; i < applied; ++i) EXPECT_EQ(stored[i], got[i]) << "value " << i;
    if (applied < 3) {
      EXPECT_EQ(450, got[2]);
    }
    if (applied < 4) {
      EXPECT_EQ(450, got[3]);
    }
    if (applied < 5) expectPanelCentred();
  }
}

TEST_F(SettingsFile, SaveWritesTheWindowsAsTheyAreNow) {
  writeFile(path(), test::int32Record({1, 2, 3}));
  ProgramSession session;
  MoveWindow(session.main(), 33, 44, 480, 420, TRUE);
  SetWindowPos(app.panelWindow, nullptr, 555, 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const int temporariesBefore = countTemporaryFiles(folderOfModule());
  saveSettings();
  EXPECT_EQ(temporariesBefore, countTemporaryFiles(folderOfModule())) << "no temporary file is left";
  Bytes bytes;
  ASSERT_TRUE(readFile(path(), bytes));
  EXPECT_EQ(24u, bytes.size());
  EXPECT_EQ((std::vector<std::int32_t>{33, 44, 480, 420, 555, 66}), test::int32Values(bytes));
}

TEST_F(SettingsFile, ASavedFileIsAppliedAtTheNextStart) {
  {
    ProgramSession session;
    MoveWindow(session.main(), 21, 43, 470, 410, TRUE);
    SetWindowPos(app.panelWindow, nullptr, 500, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    saveSettings();
  }
  ProgramSession session;
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ((std::vector<LONG>{21, 43, 470, 410}),
            (std::vector<LONG>{main.left, main.top, main.right - main.left, main.bottom - main.top}));
  EXPECT_EQ(500, app.panelRef.left());
  EXPECT_EQ(80, app.panelRef.top());
}

// Partly off the screen, but each with most of its caption on it.
TEST_F(SettingsFile, NegativeAndPartlyOffScreenValuesAreAppliedAsStored) {
  writeFile(path(), test::int32Record({-40, 30, 200, 150, 900, 700}));
  ProgramSession session;
  EXPECT_EQ(-40, app.mainRef.left());
  EXPECT_EQ(30, app.mainRef.top());
  EXPECT_EQ(200, app.mainRef.width());
  EXPECT_EQ(150, app.mainRef.height());
  EXPECT_EQ(900, app.panelRef.left());
  EXPECT_EQ(700, app.panelRef.top());
}

// Places saved on a monitor that is no longer there: both windows come back
// onto the work area with their sizes, and the next save writes where they are.
TEST_F(SettingsFile, PlacesOffEveryMonitorAreMovedOntoTheWorkArea) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  writeFile(path(), test::int32Record({-30000, -30000, 460, 440, 50000, 50000}));
  ProgramSession session;
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ(work.left, main.left);
  EXPECT_EQ(work.top, main.top);
  EXPECT_EQ(460, main.right - main.left);
  EXPECT_EQ(440, main.bottom - main.top);
  const RECT panel = test::windowRect(app.panelWindow);
  EXPECT_EQ(270, panel.right - panel.left);
  EXPECT_EQ(work.right, panel.right);
  EXPECT_EQ(work.bottom, panel.bottom);
  saveSettings();
  Bytes bytes;
  ASSERT_TRUE(readFile(path(), bytes));
  EXPECT_EQ((std::vector<std::int32_t>{main.left, main.top, 460, 440, panel.left, panel.top}),
            test::int32Values(bytes));
}

TEST_F(SettingsFile, AFailedSaveKeepsTheOldFile) {
  const Bytes old = test::int32Record({7, 8, 9, 10, 11, 12});
  writeFile(path(), old);
  ProgramSession session;
  const int temporariesBefore = countTemporaryFiles(folderOfModule());
  {
    // Another program holds the old file open without sharing: it cannot be replaced.
    HANDLE holder = CreateFileA(path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    saveSettings();
    CloseHandle(holder);
  }
  Bytes bytes;
  ASSERT_TRUE(readFile(path(), bytes));
  EXPECT_EQ(old, bytes);
  EXPECT_EQ(temporariesBefore, countTemporaryFiles(folderOfModule())) << "the temporary file was removed";
  EXPECT_EQ(nullptr, test::findTopLevel("Rovenza")) << "no message";
}

TEST_F(SettingsFile, AReadOnlyOldFileIsKeptToo) {
  const Bytes old = test::int32Record({1, 1, 300, 300, 1, 1});
  writeFile(path(), old);
  ASSERT_TRUE(SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_READONLY));
  ProgramSession session;
  MoveWindow(session.main(), 40, 50, 300, 300, TRUE);  // differs from the file now
  const int temporariesBefore = countTemporaryFiles(folderOfModule());
  saveSettings();
  Bytes bytes;
  ASSERT_TRUE(readFile(path(), bytes));
  EXPECT_EQ(old, bytes);
  EXPECT_NE(0u, GetFileAttributesA(path().c_str()) & FILE_ATTRIBUTE_READONLY) << "the file keeps its mark";
  EXPECT_EQ(temporariesBefore, countTemporaryFiles(folderOfModule()));
}

}  // namespace
}  // namespace rovenza
