// runModalWindow and endModalWindow: the keys, the "Set" window, the nested
// loop that takes its own quit message, and the Settings and About commands
// with the operation panel disabled meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "app/win32/StartUp.h"
#include "state/win32/AppState.h"
#include "state/win32/Modal.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::doOnce;
using test::ModalDriver;
using test::ProgramSession;
using test::waitFor;

BOOL CALLBACK collect(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::vector<HWND> threadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool isOpen(HWND window) { return window && IsWindowVisible(window); }

class ModalLoop : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  ProgramSession session;
};

TEST_F(ModalLoop, AnyOtherKeyReturnsZeroAndCreatesNothing) {
  const char* keys[] = {"about", "ABOUT", "set", "SET", "About ", "Set\t", " Set", "Ctrl", "Splash", "", nullptr};
  const std::vector<HWND> before = threadWindows();
  for (const char* key : keys) {
    SCOPED_TRACE(key ? std::string("key \"") + key + "\"" : std::string("null key"));
    ModalDriver watchdog({waitFor([] { return false; })}, 3000);  // ends a loop that should not run
    EXPECT_EQ(0, runModalWindow(session.main(), key));
    EXPECT_FALSE(watchdog.gaveUp()) << "a nested loop ran";
    EXPECT_EQ(before, threadWindows());
    EXPECT_EQ(nullptr, app.aboutWindow);
    EXPECT_EQ(nullptr, app.formWindow);
    EXPECT_TRUE(IsWindowEnabled(session.main()));
  }
}

TEST_F(ModalLoop, SetWindowHasItsClassTitleSizeAndOwnerAndDisablesTheOwner) {
  HWND seen = nullptr;
  ModalDriver driver({
      waitFor([] { return isOpen(app.formWindow); }),
      doOnce([&] {
        seen = app.formWindow;
        EXPECT_EQ("NORMALDLG", test::className(seen));
        EXPECT_EQ("設定", test::windowText(seen));
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(seen, GWL_STYLE));
        EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
        EXPECT_EQ(0u, style & (WS_SYSMENU | WS_THICKFRAME | WS_CHILD | WS_POPUP));
        EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongPtrA(seen, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE);
        const RECT r = test::windowRect(seen);
        EXPECT_EQ(600, r.right - r.left);
        EXPECT_EQ(448, r.bottom - r.top);
        EXPECT_EQ(session.main(), GetWindow(seen, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(session.main()));
        EXPECT_EQ(nullptr, app.aboutWindow);
        PostMessageA(seen, WM_CLOSE, 0, 0);
      }),
  });
  runModalWindow(session.main(), "Set");
  EXPECT_TRUE(driver.finished()) << driver.status();
  EXPECT_NE(nullptr, seen);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(nullptr, app.formWindow);
  EXPECT_TRUE(IsWindowEnabled(session.main()));
}

TEST_F(ModalLoop, EndModalWindowEnablesTheOwnerDestroysTheWindowAndHandsBackTheCode) {
  const std::int32_t codes[] = {1, 0, -3, 123456};
  for (std::int32_t code : codes) {
    SCOPED_TRACE(code);
    HWND seen = nullptr;
    ModalDriver driver({
        waitFor([] { return isOpen(app.aboutWindow); }),
        doOnce([&] {
          seen = app.aboutWindow;
          endModalWindow(seen, code);
          // The owner is enabled and the window gone before the loop ends.
          EXPECT_TRUE(IsWindowEnabled(session.main()));
          EXPECT_FALSE(IsWindow(seen));
        }),
    });
    EXPECT_EQ(code, runModalWindow(session.main(), "About"));
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
}

// The program's own outer loop keeps running after a modal window has ended:
// the quit message that ended the nested loop never reaches it.
TEST_F(ModalLoop, TheOuterLoopGoesOnAfterTheNestedLoopHasEnded) {
  constexpr int kEndOfTest = 4242;
  bool aboutSeen = false;
  bool mainUsedAfterwards = false;
  ModalDriver driver({
      doOnce([&] { PostMessageA(session.main(), WM_COMMAND, kCmdAbout, 0); }),
      waitFor([] { return isOpen(app.aboutWindow); }),
      doOnce([&] {
        aboutSeen = true;
        SendMessageA(GetDlgItem(app.aboutWindow, 1008), BM_CLICK, 0, 0);
      }),
      // Runs only in the outer loop, once the About window has gone.
      waitFor([] { return app.aboutWindow == nullptr; }),
      doOnce([&] {
        EXPECT_TRUE(IsWindowEnabled(session.main()));
        mainUsedAfterwards = IsWindow(session.main()) != FALSE;
        PostQuitMessage(kEndOfTest);
      }),
  });
  runMessageLoop();
  EXPECT_TRUE(aboutSeen);
  EXPECT_TRUE(mainUsedAfterwards);
  EXPECT_TRUE(driver.finished()) << driver.status() << ": the outer loop ended early";
}

struct ModalCommand {
  const char* name;
  WORD menuId;
  HWND AppState::*slot;
};

const ModalCommand kModalCommands[] = {
    {"About", kCmdAbout, &AppState::aboutWindow},
    {"Settings", kCmdSettings, &AppState::formWindow},
};

TEST_F(ModalLoop, CommandsKeepThePanelDisabledWhileOpenThenEnableAndFocusIt) {
  for (const ModalCommand& command : kModalCommands) {
    SCOPED_TRACE(command.name);
    HWND seen = nullptr;
    ModalDriver driver({
        waitFor([&] { return isOpen(app.*command.slot); }),
        doOnce([&] {
          seen = app.*command.slot;
          EXPECT_FALSE(IsWindowEnabled(app.panelWindow));
          EXPECT_FALSE(IsWindowEnabled(session.main()));
          PostMessageA(seen, WM_CLOSE, 0, 0);
        }),
    });
    PostMessageA(session.main(), WM_COMMAND, command.menuId, 0);
    ASSERT_TRUE(test::pumpUntil([&] { return driver.finished() || driver.gaveUp(); }, 30000)) << driver.status();
    EXPECT_TRUE(driver.finished()) << driver.status();
    test::pumpPending();
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
    EXPECT_TRUE(IsWindowEnabled(session.main()));
    EXPECT_EQ(app.panelWindow, GetFocus());
    EXPECT_EQ(-1, test::quitCode());
    // Hand the focus back for the next command.
    SetFocus(session.main());
  }
}

}  // namespace
}  // namespace rovenza
