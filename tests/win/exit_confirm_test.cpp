// Leaving the program: the question, what No leaves alone, what Yes stops,
// saves and releases, by File > Exit and by closing the main window; and the
// guard that keeps commands away while a sign rolls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/Commands.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Settings.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::doOnce;
using test::ModalDriver;
using test::ProgramSession;
using test::waitFor;
using test::Bytes;
using test::readFile;
using test::writeFile;

const char kQuestion[] = "Rovenzaを終了します。よろしいですか？";
const char kCaption[] = "終了の確認";

// ---- files ---------------------------------------------------------------

FILETIME lastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// ---- the message box ----------------------------------------------------

struct FindBox {
  HWND found = nullptr;
};

BOOL CALLBACK matchBox(HWND window, LPARAM param) {
  if (test::windowText(window) == kCaption && IsWindowVisible(window)) {
    reinterpret_cast<FindBox*>(param)->found = window;
    return FALSE;
  }
  return TRUE;
}

// The exit question if it is open; looks without pumping messages, so that it
// can run inside the message box's own loop.
HWND exitQuestion() {
  FindBox find;
  EnumThreadWindows(GetCurrentThreadId(), matchBox, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

struct BoxChildren {
  std::vector<std::string> texts;
  std::vector<HICON> icons;
};

BOOL CALLBACK collectChild(HWND child, LPARAM param) {
  auto* children = reinterpret_cast<BoxChildren*>(param);
  children->texts.push_back(test::windowText(child));
  if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      lstrcmpiA(test::className(child).c_str(), "Static") == 0) {
    children->icons.push_back(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
  }
  return TRUE;
}

// What the question looked like while it was open.
struct Seen {
  HWND box = nullptr;
  std::string caption;
  bool textFound = false;
  bool questionIcon = false;
  HWND owner = nullptr;
  bool yesAndNo = false;
  bool otherButtons = false;
  bool panelEnabled = true;
  bool mainEnabled = true;
  std::int32_t windowValues[6] = {};
};

// Steps that wait for the question, note what it shows and press `button`
// (IDYES or IDNO) as a user would.
std::vector<ModalDriver::Step> answer(int button, Seen& seen) {
  return {
      waitFor([&seen] { return (seen.box = exitQuestion()) != nullptr; }),
      doOnce([&seen, button] {
        HWND box = seen.box;
        seen.caption = test::windowText(box);
        BoxChildren children;
        EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&children));
        for (const std::string& text : children.texts) seen.textFound |= text == kQuestion;
        for (HICON icon : children.icons) seen.questionIcon |= icon == LoadIconA(nullptr, IDI_QUESTION);
        seen.owner = GetWindow(box, GW_OWNER);
        auto shown = [box](int id) {
          HWND control = GetDlgItem(box, id);
          return control && IsWindowVisible(control);
        };
        seen.yesAndNo = shown(IDYES) && shown(IDNO);
        seen.otherButtons = shown(IDOK) || shown(IDCANCEL) || shown(IDABORT) || shown(IDRETRY) || shown(IDIGNORE);
        seen.panelEnabled = IsWindowEnabled(app.panelWindow) != FALSE;
        seen.mainEnabled = IsWindowEnabled(app.mainWindow) != FALSE;
        const std::int32_t values[6] = {app.mainRef.left(),   app.mainRef.top(),   app.mainRef.width(),
                                        app.mainRef.height(), app.panelRef.left(), app.panelRef.top()};
        std::copy(values, values + 6, seen.windowValues);
        HWND press = GetDlgItem(box, button);
        if (press && IsWindowEnabled(press)) SendMessageA(press, BM_CLICK, 0, 0);
      }),
  };
}

void expectQuestion(const Seen& seen) {
  EXPECT_EQ(kCaption, seen.caption);
  EXPECT_TRUE(seen.textFound) << "the question reads \"" << kQuestion << "\"";
  EXPECT_TRUE(seen.questionIcon) << "question-mark icon";
  EXPECT_EQ(app.mainWindow ? app.mainWindow : seen.owner, seen.owner) << "owned by the main window";
  EXPECT_TRUE(seen.yesAndNo);
  EXPECT_FALSE(seen.otherButtons);
  EXPECT_FALSE(seen.panelEnabled) << "the panel is disabled while the question is open";
}

// ---- fixture --------------------------------------------------------------

class Exit : public ::testing::Test {
 protected:
  Exit() : path_(settingsPath()) {
    clear();
    writeFile(path_, test::int32Record({30, 40, 460, 430, 520, 90}));
    session_ = std::make_unique<ProgramSession>();
    session_->closeSplash();
  }
  ~Exit() override {
    session_.reset();
    clear();
  }
  void clear() { DeleteFileA(path_.c_str()); }
  HWND main() const { return session_->main(); }
  ProgramSession& session() { return *session_; }
  const std::string& path() const { return path_; }

  // Moves the windows somewhere the settings file does not hold yet.
  void moveWindows() {
    MoveWindow(main(), 61, 72, 470, 415, TRUE);
    SetWindowPos(app.panelWindow, nullptr, 480, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  std::vector<std::int32_t> savedValues() {
    Bytes bytes;
    if (!readFile(path_, bytes)) return {};
    EXPECT_EQ(24u, bytes.size());
    return test::int32Values(bytes);
  }

 private:
  std::string path_;
  std::unique_ptr<ProgramSession> session_;
};

TEST_F(Exit, NoLeavesEverythingAndGivesThePanelTheFocus) {
  moveWindows();
  const Bytes before = [this] {
    Bytes bytes;
    readFile(path(), bytes);
    return bytes;
  }();
  const FILETIME written = lastWrite(path());
  Seen seen;
  ModalDriver driver(answer(IDNO, seen));
  const bool cancelled = confirmExit();
  ASSERT_TRUE(driver.finished()) << driver.status();
  expectQuestion(seen);
  EXPECT_EQ(main(), seen.owner);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(nullptr, exitQuestion());
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_EQ(app.panelWindow, GetFocus());
  EXPECT_TRUE(IsWindow(main()));
  EXPECT_TRUE(IsWindow(app.panelWindow));
  Bytes after;
  ASSERT_TRUE(readFile(path(), after));
  EXPECT_EQ(before, after) << "the settings file is not touched";
  const FILETIME writtenAfter = lastWrite(path());
  EXPECT_EQ(0, CompareFileTime(&written, &writtenAfter));
  test::pumpPending();
  EXPECT_EQ(-1, test::quitCode()) << "nothing ends";
}

TEST_F(Exit, YesSavesTheWindowsAndKeepsThePanelDisabled) {
  moveWindows();
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  const bool cancelled = confirmExit();
  ASSERT_TRUE(driver.finished()) << driver.status();
  expectQuestion(seen);
  EXPECT_FALSE(cancelled);
  EXPECT_FALSE(IsWindowEnabled(app.panelWindow)) << "the caller goes on to end the program";
  EXPECT_EQ((std::vector<std::int32_t>{61, 72, 470, 415, 480, 111}), savedValues());
  EXPECT_EQ(std::vector<std::int32_t>(seen.windowValues, seen.windowValues + 6), savedValues());
  EXPECT_TRUE(IsWindow(main())) << "confirmExit itself destroys nothing";
}

TEST_F(Exit, YesWritesTheSettingsWhenNoFileWasThere) {
  clear();
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  EXPECT_FALSE(confirmExit());
  ASSERT_TRUE(driver.finished()) << driver.status();
  const std::vector<std::int32_t> values = savedValues();
  ASSERT_EQ(6u, values.size());
  EXPECT_EQ(app.mainRef.left(), values[0]);
  EXPECT_EQ(app.mainRef.top(), values[1]);
  EXPECT_EQ(app.mainRef.width(), values[2]);
  EXPECT_EQ(app.mainRef.height(), values[3]);
  EXPECT_EQ(app.panelRef.left(), values[4]);
  EXPECT_EQ(app.panelRef.top(), values[5]);
}

// Starts a slow roll of the sign to frame 5 from the panel, as "ON" does.
void startSlowRoll(int sign) {
  SetDlgItemTextA(app.panelWindow, kPanelGroups[sign].numberDisplay, "5");
  SetDlgItemTextA(app.panelWindow, kPanelGroups[sign].speedEdit, "1000");
  rollSign(sign);
}

TEST_F(Exit, YesStopsBothRollsAtOnceBeforeSaving) {
  startSlowRoll(0);
  startSlowRoll(1);
  ASSERT_TRUE(isRollRunning(0));
  ASSERT_TRUE(isRollRunning(1));
  ASSERT_TRUE(test::pumpUntil([] { return app.signStates[0].stripOffset != 0 && app.signStates[1].stripOffset != 0; }));
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  EXPECT_FALSE(confirmExit());
  ASSERT_TRUE(driver.finished()) << driver.status();
  DWORD status[2] = {};
  for (int sign : {0, 1}) {
    ASSERT_TRUE(app.signStates[sign].rollThread.valid());
    GetExitCodeThread(app.signStates[sign].rollThread.get(), &status[sign]);
  }
  EXPECT_EQ(1u, status[0]);
  EXPECT_EQ(2u, status[1]);
  // Stopped mid-roll: no step moves a sign window any more.
  const int tops[2] = {app.signWindows[0].top(), app.signWindows[1].top()};
  const std::int32_t offsets[2] = {app.signStates[0].stripOffset, app.signStates[1].stripOffset};
  EXPECT_GT(offsets[0], -5 * 57);
  EXPECT_GT(offsets[1], -5 * 57);
  test::pumpPending();
  EXPECT_EQ(tops[0], app.signWindows[0].top());
  EXPECT_EQ(tops[1], app.signWindows[1].top());
  EXPECT_EQ(offsets[0], app.signStates[0].stripOffset);
  EXPECT_EQ(offsets[1], app.signStates[1].stripOffset);
  EXPECT_EQ(6u, savedValues().size());
}

TEST_F(Exit, NoLeavesTheRollsRunning) {
  startSlowRoll(0);
  ASSERT_TRUE(isRollRunning(0));
  Seen seen;
  ModalDriver driver(answer(IDNO, seen));
  EXPECT_TRUE(confirmExit());
  ASSERT_TRUE(driver.finished()) << driver.status();
  EXPECT_TRUE(isRollRunning(0));
  const std::int32_t offset = app.signStates[0].stripOffset;
  EXPECT_TRUE(test::pumpUntil([&] { return app.signStates[0].stripOffset != offset; }, 5000)) << "it keeps rolling";
  stopRoll(0);
}

TEST_F(Exit, ExitCommandAnsweredNoKeepsTheProgramRunning) {
  Seen seen;
  ModalDriver driver(answer(IDNO, seen));
  SendMessageA(main(), WM_COMMAND, MAKEWPARAM(kCmdExit, 0), 0);
  ASSERT_TRUE(driver.finished()) << driver.status();
  expectQuestion(seen);
  test::pumpPending();
  EXPECT_EQ(-1, test::quitCode());
  EXPECT_TRUE(IsWindow(app.panelWindow));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_TRUE(app.menuBar.valid());
  EXPECT_EQ((std::vector<std::int32_t>{30, 40, 460, 430, 520, 90}), savedValues());
}

TEST_F(Exit, ExitCommandAnsweredYesSavesAndRunsTheReleaseSequence) {
  moveWindows();
  HWND panel = app.panelWindow;
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  SendMessageA(main(), WM_COMMAND, MAKEWPARAM(kCmdExit, 0), 0);
  ASSERT_TRUE(driver.finished()) << driver.status();
  expectQuestion(seen);
  EXPECT_EQ((std::vector<std::int32_t>{61, 72, 470, 415, 480, 111}), savedValues());
  // The release sequence: panel, background, menus, fonts, brush, quit message.
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_FALSE(app.menuBar.valid());
  EXPECT_EQ(nullptr, app.mainFont.get());
  EXPECT_EQ(nullptr, app.faceBrush.get());
  ASSERT_TRUE(test::pumpUntil([] { return test::quitCode() != -1; }, 5000));
  EXPECT_EQ(0, test::quitCode());
  // The session ends the main window as the process would; take that quit too.
  test::resetQuitCode();
}

TEST_F(Exit, CloseAnsweredNoKeepsTheMainWindow) {
  Seen seen;
  ModalDriver driver(answer(IDNO, seen));
  PostMessageA(main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return driver.finished(); }, 15000)) << driver.status();
  test::pumpPending();
  expectQuestion(seen);
  EXPECT_TRUE(IsWindow(main()));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  EXPECT_EQ(app.panelWindow, GetFocus());
  EXPECT_EQ(-1, test::quitCode());
  EXPECT_EQ((std::vector<std::int32_t>{30, 40, 460, 430, 520, 90}), savedValues());
}

TEST_F(Exit, CloseAnsweredYesSavesAndDestroysTheMainWindow) {
  moveWindows();
  HWND window = main();
  HWND panel = app.panelWindow;
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindow(window); }, 15000)) << driver.status();
  EXPECT_TRUE(driver.finished());
  expectQuestion(seen);
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ((std::vector<std::int32_t>{61, 72, 470, 415, 480, 111}), savedValues());
  ASSERT_TRUE(test::pumpUntil([] { return test::quitCode() != -1; }, 5000));
  EXPECT_EQ(0, test::quitCode());
}

TEST_F(Exit, SettingsSurviveAnExitAndARestart) {
  moveWindows();
  Seen seen;
  ModalDriver driver(answer(IDYES, seen));
  PostMessageA(main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindow(main()); }, 15000)) << driver.status();
  session().end();
  ProgramSession restarted;
  const RECT place = test::windowRect(restarted.main());
  EXPECT_EQ(61, place.left);
  EXPECT_EQ(72, place.top);
  EXPECT_EQ(470, place.right - place.left);
  EXPECT_EQ(415, place.bottom - place.top);
  EXPECT_EQ(480, app.panelRef.left());
  EXPECT_EQ(111, app.panelRef.top());
}

}  // namespace
}  // namespace rovenza
