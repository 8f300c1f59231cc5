// Help: the menu's Topics and F1 in the main window ask HTML Help for the
// table of contents of the help file named like the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/Commands.h"
#include "app/win32/Help.h"
#include "app/win32/MainWindow.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

struct HelpRequest {
  HWND caller;
  std::string file;
  UINT command;
  DWORD_PTR data;
};

std::vector<HelpRequest> helpRequests;

HWND WINAPI recordHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  helpRequests.push_back({caller, file ? file : "(null)", command, data});
  return nullptr;
}

// This program's path with ".exe" replaced by ".chm".
std::string expectedHelpFile() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string file(path, length);
  EXPECT_EQ(0, lstrcmpiA(".exe", file.substr(file.size() - 4).c_str()));
  return file.substr(0, file.size() - 4) + ".chm";
}

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    helpRequests.clear();
    previous_ = setHelpViewer(recordHelp);
  }
  void TearDown() override { setHelpViewer(previous_); }
  ProgramSession session;

 private:
  HelpViewer previous_ = nullptr;
};

struct Trigger {
  const char* name;
  UINT message;
  WPARAM wParam;
};

const Trigger kTriggers[] = {
    {"F1 in the main window", WM_KEYDOWN, VK_F1},
    {"Help > Topics", WM_COMMAND, kCmdHelpTopics},
};

TEST_F(Help, AsksForTheTableOfContentsOfTheProgramsHelpFile) {
  const std::string file = expectedHelpFile();
  EXPECT_NE(std::string::npos, file.find("modal_help_test.chm"));
  for (const Trigger& trigger : kTriggers) {
    SCOPED_TRACE(trigger.name);
    helpRequests.clear();
    PostMessageA(session.main(), trigger.message, trigger.wParam, 0);
    ASSERT_TRUE(test::pumpUntil([] { return !helpRequests.empty(); }));
    test::pumpPending();
    ASSERT_EQ(1u, helpRequests.size());
    EXPECT_EQ(session.main(), helpRequests[0].caller);
    EXPECT_EQ(file, helpRequests[0].file);
    EXPECT_EQ(1u, helpRequests[0].command);  // HH_DISPLAY_TOC
    EXPECT_EQ(0u, helpRequests[0].data);
  }
}

TEST_F(Help, OtherKeysInTheMainWindowAskForNothing) {
  for (WPARAM key : {WPARAM{VK_F2}, WPARAM{VK_RETURN}, WPARAM{'H'}}) {
    PostMessageA(session.main(), WM_KEYDOWN, key, 0);
  }
  // A marker message: once it has been handled, the keys before it have been too.
  PostMessageA(session.main(), WM_KEYDOWN, VK_F1, 0);
  ASSERT_TRUE(test::pumpUntil([] { return !helpRequests.empty(); }));
  EXPECT_EQ(1u, helpRequests.size());
}

TEST_F(Help, ShowHelpNamesTheMainWindowAsCaller) {
  showHelp();
  ASSERT_EQ(1u, helpRequests.size());
  EXPECT_EQ(app.mainWindow, helpRequests[0].caller);
  EXPECT_EQ(expectedHelpFile(), helpRequests[0].file);
}

}  // namespace
}  // namespace rovenza
