// The Settings, About, Open and Save As commands do nothing while either
// sign's roll thread runs, and open their window again once it has ended. A roll thread here is
// a thread that waits for the test's signal: the guard reads its exit status
// exactly as it reads a real roll's.
#include <gtest/gtest.h>

#include <string>

#include "LayoutTestWindows.h"
#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "common/win32/Scoped.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::doOnce;
using test::ModalDriver;
using test::ProgramSession;
using test::waitFor;

DWORD WINAPI waitForRelease(void* event) {
  WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
  return 0;
}

// A stand-in roll thread for one sign, running until release().
class RunningRoll {
 public:
  explicit RunningRoll(int sign) : sign_(sign), release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    app.signStates[sign_].rollThread.reset(CreateThread(nullptr, 0, waitForRelease, release_.get(), 0, nullptr));
  }
  ~RunningRoll() {
    release();
    // The guard keeps the exit status it read last; let it read the ended one.
    isRollRunning(sign_);
    app.signStates[sign_].rollThread.reset();
  }
  RunningRoll(const RunningRoll&) = delete;
  RunningRoll& operator=(const RunningRoll&) = delete;

  void release() {
    SetEvent(release_.get());
    WaitForSingleObject(app.signStates[sign_].rollThread.get(), 10000);
  }

 private:
  int sign_;
  ScopedHandle release_;
};

struct Command {
  const char* name;
  void (*run)();
  HWND AppState::*slot;
};

const Command kCommands[] = {
    {"About", aboutCommand, &AppState::aboutWindow},
    {"Settings", settingsCommand, &AppState::formWindow},
};

// Runs the command; if it opens its window, closes it again. Returns whether it opened.
bool commandOpensItsWindow(const Command& command) {
  bool opened = false;
  ModalDriver driver({waitFor([&] { return app.*command.slot && IsWindowVisible(app.*command.slot); }),
                      doOnce([&] {
                        opened = true;
                        PostMessageA(app.*command.slot, WM_CLOSE, 0, 0);
                      })},
                     20000);
  command.run();
  return opened;
}

class BusyGuard : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  ProgramSession session;
};

TEST_F(BusyGuard, CommandsDoNothingWhileEitherSignRollsAndWorkAfterwards) {
  for (int sign = 0; sign < 2; ++sign) {
    for (const Command& command : kCommands) {
      SCOPED_TRACE(std::string(command.name) + " while sign " + std::to_string(sign) + " rolls");
      RunningRoll roll(sign);
      EXPECT_FALSE(commandOpensItsWindow(command));
      EXPECT_EQ(259u, app.signStates[sign].rollExitCode);
      // Refused at once: the panel was never disabled, the main window stays enabled.
      EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
      EXPECT_TRUE(IsWindowEnabled(session.main()));

      roll.release();
      EXPECT_TRUE(commandOpensItsWindow(command)) << "after the roll ended";
      EXPECT_EQ(0u, app.signStates[sign].rollExitCode);
    }
  }
}

TEST_F(BusyGuard, MenuCommandsAreDroppedWhileASignRolls) {
  RunningRoll roll(1);
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.name);
    const WORD id = command.slot == &AppState::aboutWindow ? WORD{kCmdAbout} : WORD{kCmdSettings};
    bool opened = false;
    ModalDriver driver({waitFor([&] { return app.*command.slot && IsWindowVisible(app.*command.slot); }),
                        doOnce([&] {
                          opened = true;
                          PostMessageA(app.*command.slot, WM_CLOSE, 0, 0);
                        })});
    SendMessageA(session.main(), WM_COMMAND, id, 0);
    EXPECT_FALSE(opened);
    EXPECT_EQ(nullptr, app.*command.slot);
  }
}

TEST_F(BusyGuard, FileDialogsDoNotOpenWhileASignRolls) {
  struct FileCommand {
    const char* title;
    WORD id;
  };
  for (FileCommand command : {FileCommand{"名前をつけて保存", kCmdSaveAs}, FileCommand{"ファイルを開く", kCmdOpen}}) {
    SCOPED_TRACE(command.title);
    // Sends the menu command; cancels its dialog if one appears. Returns whether one did.
    auto dialogShown = [&] {
      bool shown = false;
      ModalDriver driver({waitFor([&] {
        HWND dialog = test::threadWindow(command.title);
        if (dialog) {
          shown = true;
          PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        return dialog != nullptr;
      })});
      SendMessageA(session.main(), WM_COMMAND, command.id, 0);
      return shown;
    };
    EXPECT_TRUE(dialogShown()) << "with no roll";
    for (int sign = 0; sign < 2; ++sign) {
      RunningRoll roll(sign);
      EXPECT_FALSE(dialogShown()) << "while sign " << sign << " rolls";
      EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
    }
  }
}

TEST_F(BusyGuard, ASignWhoseThreadNeverStartedDoesNotBlock) {
  ASSERT_FALSE(app.signStates[0].rollThread.valid());
  ASSERT_FALSE(app.signStates[1].rollThread.valid());
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.name);
    EXPECT_TRUE(commandOpensItsWindow(command));
    EXPECT_EQ(0u, app.signStates[0].rollExitCode);
    EXPECT_EQ(0u, app.signStates[1].rollExitCode);
  }
}

TEST_F(BusyGuard, ARealRollBlocksTheCommandsUntilItIsStopped) {
  for (int sign = 0; sign < 2; ++sign) {
    SCOPED_TRACE("sign " + std::to_string(sign));
    // A slow roll to frame 5: a second per pixel, five more per frame.
    test::setPanelText(kPanelGroups[sign].speedEdit, "1000");
    test::setPanelText(kPanelGroups[sign].intervalEdit, "5000");
    test::setPanelText(kPanelGroups[sign].numberDisplay, "5");
    rollSign(sign);
    ASSERT_TRUE(isRollRunning(sign));
    for (const Command& command : kCommands) {
      SCOPED_TRACE(command.name);
      EXPECT_FALSE(commandOpensItsWindow(command));
    }
    resetSign(sign);
    ASSERT_TRUE(test::pumpUntil([&] { return !isRollRunning(sign); }));
    for (const Command& command : kCommands) {
      SCOPED_TRACE(std::string(command.name) + " after the roll was stopped");
      EXPECT_TRUE(commandOpensItsWindow(command));
    }
  }
}

}  // namespace
}  // namespace rovenza
