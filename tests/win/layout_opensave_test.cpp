// File > Open and File > Save As through the real file dialogs, and the
// command-line argument rule against the system's own.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "../core/LayoutFileBytes.h"
#include "LayoutTestWindows.h"
#include "app/win32/MainWindow.h"
#include "board/win32/OpenSave.h"
#include "layout/CommandLine.h"
#include "layout/LayoutMessages.h"
#include "state/win32/AppState.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ModalDriver;

constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileTypeCombo = 0x470;  // cmb1
constexpr int kReadOnlyCheck = 0x410;  // chx1

// The edit of a file dialog that takes the typed file name.
HWND fileNameEdit(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, kFileNameEdit)) return edit;
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  if (!combo) return nullptr;
  if (test::className(combo) == WC_COMBOBOXEXA) {
    return reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
  }
  return FindWindowExA(combo, nullptr, "Edit", nullptr);
}

std::vector<std::string> comboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

struct DialogSeen {
  bool panelEnabled = true;
  bool readOnlyShown = true;
  HWND owner = nullptr;
  std::vector<std::string> fileTypes;
  std::string selectedType;
};

// Steps that wait for the dialog titled `title`, note what it shows, type
// `name` into it and press its OK button (the dialog's loop ends with it).
std::vector<ModalDriver::Step> typeIntoDialog(const std::string& title, const std::string& name, DialogSeen& seen) {
  auto dialog = std::make_shared<HWND>(nullptr);
  return {
      test::waitFor([=] {
        *dialog = test::threadWindow(title);
        return *dialog != nullptr && fileNameEdit(*dialog) != nullptr;
      }),
      test::doOnce([=, &seen] {
        seen.panelEnabled = IsWindowEnabled(app.panelWindow) != FALSE;
        seen.owner = GetWindow(*dialog, GW_OWNER);
        seen.readOnlyShown = IsWindowVisible(GetDlgItem(*dialog, kReadOnlyCheck)) != FALSE;
        HWND types = GetDlgItem(*dialog, kFileTypeCombo);
        seen.fileTypes = comboItems(types);
        char selected[256] = {};
        GetWindowTextA(types, selected, sizeof selected);
        seen.selectedType = selected;
        SetWindowTextA(fileNameEdit(*dialog), name.c_str());
        HWND ok = GetDlgItem(*dialog, IDOK);
        PostMessageA(*dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
      }),
  };
}

class OpenSave : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }

  void expectPanelBackAndFocused() {
    EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == app.panelWindow || IsChild(app.panelWindow, focus));
  }

  test::ProgramSession session;
  test::TempFolder folder;
};

TEST_F(OpenSave, SaveAsWritesTheNameTypedIntoTheDialogWithQv4Added) {
  app.mainRef.setWidth(432);
  app.clips[0].setLeft(21);
  DialogSeen seen;
  {
    ModalDriver driver(typeIntoDialog("名前をつけて保存", folder.file("board"), seen));
    SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdSaveAs, 0), 0);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_FALSE(seen.panelEnabled) << "the panel is disabled while the dialog is open";
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_EQ(std::vector<std::string>{"RovenzaVer4(*.qv4)"}, seen.fileTypes);
  EXPECT_EQ("RovenzaVer4(*.qv4)", seen.selectedType);
  EXPECT_FALSE(seen.readOnlyShown);
  expectPanelBackAndFocused();

  EXPECT_EQ(std::vector<std::string>{"board.qv4"}, test::filesIn(folder.path()));
  const std::vector<unsigned char> bytes = test::readWholeFile(folder.file("board.qv4"));
  ASSERT_EQ(96u, bytes.size());
  EXPECT_EQ(std::string("QvApp4DataFile"), std::string(bytes.begin() + 4, bytes.begin() + 18));
  EXPECT_EQ(432, bytes[22] | bytes[23] << 8);
  EXPECT_EQ(21, bytes[31]);
}

TEST_F(OpenSave, SaveAsKeepsANameThatEndsInQv4AsTyped) {
  DialogSeen seen;
  ModalDriver driver(typeIntoDialog("名前をつけて保存", folder.file("board.QV4"), seen));
  saveLayoutCommand();
  EXPECT_TRUE(driver.finished()) << driver.status();
  const std::vector<std::string> files = test::filesIn(folder.path());
  ASSERT_EQ(1u, files.size());
  EXPECT_EQ(0, lstrcmpiA("board.QV4", files[0].c_str()));
  EXPECT_EQ(96u, test::readWholeFile(folder.file("board.QV4")).size());
}

// A name of 258 bytes does not fit the dialog's buffer: the dialog gives
// nothing back, and the save says that it failed.
TEST_F(OpenSave, SaveAsANameTooLongForTheDialogShowsTheSaveError) {
  const std::string base = folder.file("");
  ASSERT_LT(base.size(), 200u);
  const std::string name = base + std::string(258 - base.size(), 'n');
  ASSERT_EQ(258u, name.size());
  DialogSeen seen;
  test::MessageBoxSeen box;
  std::vector<ModalDriver::Step> steps = typeIntoDialog("名前をつけて保存", name, seen);
  steps.push_back(test::waitFor([&] {
    HWND message = test::threadWindow(kLayoutErrorCaption);
    if (message) test::readAndCloseMessageBox(message, box);
    return message != nullptr;
  }));
  {
    ModalDriver driver(steps);
    saveLayoutCommand();
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_EQ(std::string(kSaveErrorFirstLine) + "\r\n\r\n" + test::systemText(ERROR_FILENAME_EXCED_RANGE), box.text);
  EXPECT_EQ(session.main(), box.owner);
  EXPECT_TRUE(box.hadErrorIcon);
  EXPECT_TRUE(test::filesIn(folder.path()).empty());
  expectPanelBackAndFocused();
}

TEST_F(OpenSave, OpenReadsTheFileChosenInTheDialog) {
  const test::FileBytes file =
      test::qv4File("", 410, 370, test::Qv4Sign{0, 15, 16, 100, 50, 0, 0, 0, ""},
                    test::Qv4Sign{2, 200, 60, 90, 45, 0, 0, 0, ""});
  ASSERT_TRUE(test::writeWholeFile(folder.file("chosen.qv4"), file.bytes));
  DialogSeen seen;
  {
    ModalDriver driver(typeIntoDialog("ファイルを開く", folder.file("chosen.qv4"), seen));
    SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdOpen, 0), 0);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_FALSE(seen.panelEnabled);
  EXPECT_EQ(session.main(), seen.owner);
  const std::vector<std::string> types = {"RovenzaVer4(*.qv4)", "RovenzaVer3(*.qv3)",
                                          "Rovenza(デジタル)Ver3(*.qvd)"};
  EXPECT_EQ(types, seen.fileTypes);
  EXPECT_EQ(types[0], seen.selectedType);
  EXPECT_FALSE(seen.readOnlyShown);
  expectPanelBackAndFocused();
  EXPECT_EQ(410, app.mainRef.width());
  EXPECT_EQ(15, app.clips[0].left());
  EXPECT_FALSE(IsWindowVisible(app.clips[1].handle()));
}

TEST_F(OpenSave, ACancelledDialogChangesNothingAndGivesThePanelBack) {
  const std::int32_t width = app.mainRef.width();
  ModalDriver driver({test::waitFor([] {
    HWND dialog = test::threadWindow("ファイルを開く");
    if (dialog) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return dialog != nullptr;
  })});
  openLayoutCommand();
  EXPECT_TRUE(driver.finished()) << driver.status();
  EXPECT_EQ(width, app.mainRef.width());
  expectPanelBackAndFocused();
}

TEST(CommandLineArguments, SplitLikeTheSystem) {
  const char* lines[] = {
      "rovenza.exe",
      "rovenza.exe a.qv4",
      "rovenza.exe  \"C:\\my boards\\a.qv4\"",
      "\"C:\\Program Files\\r\\rovenza.exe\" \"C:\\my boards\\a b.qv4\" ",
      "\"C:\\Program Files\\r\\rovenza.exe\"",
      "C:\\Program Files\\rovenza.exe x.qv4",
      "\"C:\\x\"y z\" q",
      "rovenza.exe C:\\\x95\x5C\\a.qv4\x81\x40",
      "\"\" x",
      "",
  };
  for (const char* line : lines) {
    EXPECT_EQ(std::string(PathGetArgsA(line)), std::string(commandLineArguments(line))) << line;
  }
}

}  // namespace
}  // namespace rovenza
