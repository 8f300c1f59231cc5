// Help with the real HTML Help: the build puts a copy of rovenza.chm beside
// this test program under the test's own name, which is where showHelp looks.
// The viewer opens at the table of contents, which lists every page.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/Commands.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

BOOL CALLBACK findTree(HWND window, LPARAM param) {
  if (lstrcmpiA(test::className(window).c_str(), WC_TREEVIEWA) == 0) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

std::vector<std::string> treeTexts(HWND tree) {
  std::vector<std::string> texts;
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
    char text[256] = {};
    TVITEMA info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    texts.push_back(text);
  }
  return texts;
}

TEST(HelpViewer, OpensTheProgramsHelpFileAtItsTableOfContents) {
  ProgramSession session;
  session.closeSplash();
  showHelp();
  HWND viewer = test::findTopLevel("Rovenza ヘルプ", 20000);
  ASSERT_NE(nullptr, viewer) << "no help viewer window";
  HWND tree = nullptr;
  ASSERT_TRUE(test::pumpUntil([&] {
    EnumChildWindows(viewer, findTree, reinterpret_cast<LPARAM>(&tree));
    return tree && TreeView_GetCount(tree) > 0;
  }));
  const std::vector<std::string> expected = {"はじめに",           "幕画像の作り方",       "操作パネルの使い方",
                                             "設定フォーム",       "レイアウトファイル",   "車両ファイルと設定器",
                                             "困ったときは"};
  EXPECT_EQ(expected, treeTexts(tree));
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(test::pumpUntil([&] { return !IsWindow(viewer); }));
}

}  // namespace
}  // namespace rovenza
