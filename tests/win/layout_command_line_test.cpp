// The layout file named on the command line of the real program: it is
// opened when the start-up splash goes, not before; a quoted path with
// blanks opens, a quoted path followed by a blank does not.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "../core/LayoutFileBytes.h"
#include "LayoutTestWindows.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

std::string programPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string text = path;
  return text.substr(0, text.rfind('\\') + 1) + "rovenza.exe";
}

struct Found {
  DWORD process;
  HWND main;
  HWND splash;
};

BOOL CALLBACK findProgramWindows(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != found->process) return TRUE;
  const std::string cls = test::className(window);
  if (cls == "NORMAL0") found->main = window;
  // The splash is the program's topmost secondary window.
  if (cls == "NORMALDLG" && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsWindowVisible(window)) {
    found->splash = window;
  }
  return TRUE;
}

// The real program started with a command line, ended when the test is done.
class Program {
 public:
  explicit Program(const std::string& arguments) {
    std::string line = "\"" + programPath() + "\"" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
  }
  ~Program() {
    if (!started_) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool started() const { return started_; }
  Found windows() const {
    Found found{info_.dwProcessId, nullptr, nullptr};
    EnumWindows(findProgramWindows, reinterpret_cast<LPARAM>(&found));
    return found;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

int outerWidth(HWND window) {
  const RECT rect = test::windowRect(window);
  return rect.right - rect.left;
}

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(folder.file("my boards").c_str(), nullptr);
    path = folder.file("my boards\\board one.qv4");
    const test::FileBytes file =
        test::qv4File("", 401, 377, test::Qv4Sign{0, 30, 40, 100, 50, 0, 0, 0, ""},
                      test::Qv4Sign{2, 200, 60, 90, 45, 0, 0, 0, ""});
    ASSERT_TRUE(test::writeWholeFile(path, file.bytes));
  }
  void TearDown() override {
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.file("my boards").c_str());
  }

  test::TempFolder folder;
  std::string path;
};

TEST_F(CommandLine, AQuotedPathWithBlanksOpensWhenTheSplashGoes) {
  Program program(" \"" + path + "\"");
  ASSERT_TRUE(program.started());
  Found found{};
  ASSERT_TRUE(test::pumpUntil([&] {
    found = program.windows();
    return found.main && found.splash;
  }, 30000)) << "the program shows its main window and splash";
  EXPECT_NE(401, outerWidth(found.main)) << "not opened while the splash shows";
  // The file's fields arrive one by one: the width, then the height.
  ASSERT_TRUE(test::pumpUntil(
      [&] {
        const RECT rect = test::windowRect(found.main);
        return rect.right - rect.left == 401 && rect.bottom - rect.top == 377;
      },
      30000));
  EXPECT_EQ(nullptr, program.windows().splash) << "opened once the splash had gone";
}

TEST_F(CommandLine, TwoBlanksBeforeTheQuotesStillOpen) {
  Program program("  \"" + path + "\"");
  ASSERT_TRUE(program.started());
  HWND main = nullptr;
  ASSERT_TRUE(test::pumpUntil([&] { return (main = program.windows().main) != nullptr; }, 30000));
  EXPECT_TRUE(test::pumpUntil([&] { return outerWidth(main) == 401; }, 30000));
}

TEST_F(CommandLine, AQuotedPathFollowedByABlankOpensNothing) {
  Program program(" \"" + path + "\" ");
  ASSERT_TRUE(program.started());
  Found found{};
  ASSERT_TRUE(test::pumpUntil([&] {
    found = program.windows();
    return found.main && found.splash;
  }, 30000));
  // Wait for the splash to go, then for anything it might have caused.
  ASSERT_TRUE(test::pumpUntil([&] { return program.windows().splash == nullptr; }, 30000));
  EXPECT_FALSE(test::pumpUntil([&] { return outerWidth(found.main) == 401; }, 1500));
}

}  // namespace
}  // namespace rovenza
