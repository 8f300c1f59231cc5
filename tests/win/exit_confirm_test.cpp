// The exit question: No keeps everything, Yes stops the rolls, saves the
// settings and ends the program.
#include <gtest/gtest.h>

#include <string>

#include "app/win32/AppState.h"
#include "app/win32/Commands.h"
#include "app/win32/Settings.h"
#include "sign/win32/Roll.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

// Answers the exit question from a timer while the message box runs its own
// loop, after checking its caption and text.
struct Answerer {
  static int button;
  static std::string caption;
  static std::string text;
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = test::findTopLevel("終了の確認");
    if (!box) return;
    KillTimer(nullptr, id);
    caption = test::windowText(box);
    char buffer[256] = {};
    HWND label = GetDlgItem(box, 0xFFFF);
    if (label) GetWindowTextA(label, buffer, sizeof buffer);
    text = buffer;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }
};
int Answerer::button = IDNO;
std::string Answerer::caption;
std::string Answerer::text;

class ExitQuestion : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(settingsPath().c_str());
    session.closeSplash();
  }
  void TearDown() override { DeleteFileA(settingsPath().c_str()); }
  ProgramSession session;
};

TEST_F(ExitQuestion, NoKeepsEverythingAndFocusesThePanel) {
  Answerer::button = IDNO;
  Answerer::caption.clear();
  SetTimer(nullptr, 0, 50, Answerer::onTimer);
  EXPECT_TRUE(confirmExit());
  EXPECT_EQ("終了の確認", Answerer::caption);
  if (!Answerer::text.empty()) {
    EXPECT_EQ("Rovenzaを終了します。よろしいですか？", Answerer::text);
  }
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_EQ(app.panelWindow, GetFocus() ? GetAncestor(GetFocus(), GA_ROOT) : nullptr);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(settingsPath().c_str())) << "settings untouched";
  EXPECT_TRUE(IsWindow(session.main()));
}

TEST_F(ExitQuestion, CloseAnsweredNoLeavesTheMainWindow) {
  Answerer::button = IDNO;
  SetTimer(nullptr, 0, 50, Answerer::onTimer);
  SendMessageA(session.main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(session.main()));
}

TEST_F(ExitQuestion, YesSavesTheSettingsAndStopsBothRolls) {
  Answerer::button = IDYES;
  SetTimer(nullptr, 0, 50, Answerer::onTimer);
  EXPECT_FALSE(confirmExit());
  EXPECT_FALSE(IsWindowEnabled(app.panelWindow)) << "the panel stays disabled on the way out";
  HANDLE file = CreateFileA(settingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  EXPECT_EQ(24u, GetFileSize(file, nullptr));
  CloseHandle(file);
  EXPECT_FALSE(isRollRunning(0));
  EXPECT_FALSE(isRollRunning(1));
}

}  // namespace
}  // namespace rovenza
