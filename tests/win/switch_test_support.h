#pragma once
// A test of one of the 設定 menu's switches kept in an INI file beside the
// program: the file is removed before and after the test, and the program is
// started and ended again as the test needs.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza::test {

class SwitchFileTest : public ::testing::Test {
 protected:
  SwitchFileTest(std::string switchFile, UINT switchCommand, const char* switchSection)
      : file(std::move(switchFile)), command(switchCommand), section(switchSection) {
    DeleteFileA(file.c_str());
  }
  ~SwitchFileTest() override {
    session.reset();
    DeleteFileA(file.c_str());
  }
  void start() {
    session.emplace();
    session->closeSplash();
  }
  UINT itemState() const { return GetMenuState(app.settingsMenu.get(), command, MF_BYCOMMAND); }
  // Chooses the item, as a click on it does.
  void choose() {
    PostMessageA(session->main(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    pumpPending();
  }
  // The key's number in the switch's section; -1 when it is not there.
  int kept(const char* key) const { return static_cast<int>(GetPrivateProfileIntA(section, key, -1, file.c_str())); }

  const std::string file;
  const UINT command;
  const char* const section;
  std::optional<ProgramSession> session;
};

}  // namespace rovenza::test
