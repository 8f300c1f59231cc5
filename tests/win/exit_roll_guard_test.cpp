// The roll-busy guard: commands that open a window or a file do nothing while
// either sign's roll thread runs, judged by the thread's exit status.
#include <gtest/gtest.h>

#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ModalDriver;
using test::ProgramSession;
using test::waitFor;

constexpr DWORD kStillActive = 259;

DWORD WINAPI waitForEvent(LPVOID event) {
  WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
  return 7;
}

DWORD WINAPI endAtOnce(LPVOID) { return 0; }

// A thread of this test standing in a sign's rollThread slot; it runs until
// `finish` and is taken out of the slot again when the object goes.
class StandInThread {
 public:
  StandInThread(int sign, bool running) : sign_(sign) {
    event_.reset(CreateEventA(nullptr, TRUE, running ? FALSE : TRUE, nullptr));
    thread_ = CreateThread(nullptr, 0, running ? waitForEvent : endAtOnce, event_.get(), 0, nullptr);
    if (!running) WaitForSingleObject(thread_, INFINITE);
    // The slot owns the thread's handle from here.
    app.signStates[sign_].rollThread.reset(thread_);
  }
  ~StandInThread() {
    finish();
    if (app.signStates[sign_].rollThread.get() == thread_) app.signStates[sign_].rollThread.reset();
  }
  void finish() {
    SetEvent(event_.get());
    WaitForSingleObject(thread_, INFINITE);
  }

 private:
  int sign_;
  ScopedHandle event_;
  HANDLE thread_;
};

class RollGuard : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  ProgramSession session;
};

TEST_F(RollGuard, GoesOnWhenNoRollWasEverStarted) {
  EXPECT_FALSE(app.signStates[0].rollThread.valid());
  EXPECT_FALSE(app.signStates[1].rollThread.valid());
  EXPECT_TRUE(rollBusyGuard());
  EXPECT_EQ(0u, app.signStates[0].rollExitCode);
  EXPECT_EQ(0u, app.signStates[1].rollExitCode);
}

TEST_F(RollGuard, ARunningThreadOfEitherSignStopsTheCommand) {
  for (int sign : {0, 1}) {
    SCOPED_TRACE("sign " + std::to_string(sign));
    StandInThread thread(sign, true);
    EXPECT_FALSE(rollBusyGuard());
    EXPECT_EQ(kStillActive, app.signStates[sign].rollExitCode);
    thread.finish();
    EXPECT_TRUE(rollBusyGuard());
    EXPECT_EQ(7u, app.signStates[sign].rollExitCode) << "the status of the ended thread is kept";
  }
}

TEST_F(RollGuard, WithoutAThreadTheLastStatusCounts) {
  // The read fails for a null handle; the status keeps its last value.
  for (int sign : {0, 1}) {
    SCOPED_TRACE("sign " + std::to_string(sign));
    app.signStates[sign].rollExitCode = kStillActive;
    EXPECT_FALSE(rollBusyGuard());
    EXPECT_EQ(kStillActive, app.signStates[sign].rollExitCode);
    app.signStates[sign].rollExitCode = 1;
    EXPECT_TRUE(rollBusyGuard());
  }
}

TEST_F(RollGuard, TheSecondSignIsAskedOnlyWhenTheFirstIsIdle) {
  StandInThread ended(1, false);
  app.signStates[1].rollExitCode = kStillActive;  // stale: the thread has ended
  app.signStates[0].rollExitCode = kStillActive;
  EXPECT_FALSE(rollBusyGuard());
  EXPECT_EQ(kStillActive, app.signStates[1].rollExitCode) << "the 2nd sign's thread was not read";
  app.signStates[0].rollExitCode = 0;
  EXPECT_TRUE(rollBusyGuard());
  EXPECT_EQ(0u, app.signStates[1].rollExitCode);
}

TEST_F(RollGuard, AboutAndSettingsDoNothingWhileASignRolls) {
  for (int command : {kCmdAbout, kCmdSettings}) {
    for (int sign : {0, 1}) {
      SCOPED_TRACE("command " + std::to_string(command) + ", sign " + std::to_string(sign));
      StandInThread thread(sign, true);
      ModalDriver watchdog({waitFor([] { return false; })}, 3000);  // ends a loop that should not run
      SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
      EXPECT_FALSE(watchdog.gaveUp()) << "a modal window ran";
      EXPECT_EQ(nullptr, app.aboutWindow);
      EXPECT_EQ(nullptr, app.formWindow);
      EXPECT_TRUE(IsWindowEnabled(app.panelWindow)) << "the panel is not even disabled";
    }
  }
}

}  // namespace
}  // namespace rovenza
