// The layout form as the Settings command opens it: its controls, the live
// values it shows, its colours, tooltips, help image and brushes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/Help.h"
#include "form/FormIds.h"
#include "state/win32/AppState.h"
#include "support/ControlTable.h"
#include "support/FormHarness.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::FormStep;
using test::formControl;
using test::runFormSteps;

class LayoutFormWindow : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  test::ProgramSession session;
};

std::string thousands(const std::string& digits) {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  return digits.substr(0, digits.size() - 3) + separator + digits.substr(digits.size() - 3);
}

TEST_F(LayoutFormWindow, IsTheSetWindowOwnedByTheMainWindowWithCaptionOnly) {
  HWND seen = nullptr;
  const std::vector<FormStep> steps = {[&] {
    seen = app.formWindow;
    ASSERT_TRUE(IsWindow(seen));
    EXPECT_EQ("NORMALDLG", test::className(seen));
    EXPECT_EQ("設定", test::windowText(seen));
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(0x00C00000u,
              static_cast<DWORD>(GetWindowLongPtrA(seen, GWL_STYLE)) & 0xFFFF0000u & ~(WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_TRUE(IsWindowVisible(seen));
    const RECT outer = test::windowRect(seen);
    EXPECT_EQ(600, outer.right - outer.left);
    EXPECT_EQ(448, outer.bottom - outer.top);
    EXPECT_EQ(session.main(), GetWindow(seen, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(session.main()));
    EXPECT_FALSE(IsWindowEnabled(app.panelWindow));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_TRUE(IsWindowEnabled(session.main()));
}

// The form's rows as a table cannot check them, and every control's id,
// class, styles, place, size and text against tests/win/snapshots/layout-form.txt.
TEST_F(LayoutFormWindow, ControlsAreAWellBuiltTableAndMatchTheirSnapshot) {
  const std::vector<FormStep> steps = {[&] {
    EXPECT_EQ(65u, test::childControls(app.formWindow).size());
    test::expectWellBuiltControls(app.formWindow);
    for (HWND control : test::childControls(app.formWindow)) {
      if (test::className(control) == UPDOWN_CLASSA) continue;
      EXPECT_EQ(reinterpret_cast<LRESULT>(app.formFont.get()), SendMessageA(control, WM_GETFONT, 0, 0))
          << GetDlgCtrlID(control);
    }
    test::expectControlsMatchSnapshot(app.formWindow, "layout-form");
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormWindow, ShowsTheLiveWindowsAndTheLayout) {
  app.mainRef.setWidth(512);
  app.mainRef.setHeight(420);
  app.clips[0].setLeft(10);
  app.clips[0].setTop(20);
  app.clips[0].setWidth(120);
  app.clips[0].setHeight(40);
  app.clips[1].setLeft(300);
  app.clips[1].setTop(44);
  app.clips[1].setWidth(96);
  app.clips[1].setHeight(33);
  app.layout.signs[0].cornerRound = 12;
  app.layout.signs[1].cornerRound = 50;
  app.layout.backgroundPicture = "C:\\絵\\背景.jpg";
  app.layout.signs[0].picturePath = "C:\\絵\\幕.bmp";
  app.layout.signs[1].picturePath = "C:\\絵\\LED";
  app.layout.signs[0].kind = 1;
  app.layout.signs[1].kind = 2;
  app.templateFrames[0] = 7;
  const std::vector<FormStep> steps = {[&] {
    const struct {
      int edit;
      int upDown;
      const char* text;
      int low;
      int high;
    } fields[] = {
        {1036, 1034, "512", 20, 1024}, {1040, 1037, "420", 20, 1024}, {1052, 1041, "10", 0, 1024},
        {1054, 1043, "20", 0, 1024},   {1056, 1057, "120", 1, 1024},  {1059, 1060, "40", 1, 1024},
        {1066, 1067, "300", 0, 1024},  {1069, 1070, "44", 0, 1024},   {1072, 1073, "96", 1, 1024},
        {1075, 1076, "33", 1, 1024},   {1078, 1079, "1", 1, 20},      {1081, 1082, "1", 1, 20},
        {1084, 1085, "12", 0, 50},     {1087, 1088, "50", 0, 50},
    };
    for (const auto& f : fields) {
      SCOPED_TRACE(f.edit);
      EXPECT_EQ(f.text, test::windowText(formControl(f.edit)));
      int low = -1;
      int high = -1;
      SendMessageA(formControl(f.upDown), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                   reinterpret_cast<LPARAM>(&high));
      EXPECT_EQ(f.low, low);
      EXPECT_EQ(f.high, high);
    }
    EXPECT_EQ("C:\\絵\\背景.jpg", test::windowText(formControl(1033)));
    EXPECT_EQ("C:\\絵\\幕.bmp", test::windowText(formControl(1042)));
    EXPECT_EQ("C:\\絵\\LED", test::windowText(formControl(1064)));
    EXPECT_EQ(1, SendMessageA(formControl(1051), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(2, SendMessageA(formControl(1062), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("使用しない（非表示）", test::windowText(formControl(1062)));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  // Opening changes nothing of the layout.
  EXPECT_EQ(512, app.mainRef.width());
  EXPECT_EQ(10, app.clips[0].left());
  EXPECT_EQ(1, app.templateFrames[0]) << "the counts start again at what the fields show";
  EXPECT_EQ("C:\\絵\\幕.bmp", app.layout.signs[0].picturePath);
}

TEST_F(LayoutFormWindow, ClampsWhatLiesOutsideAFieldsRange) {
  // The system keeps a window within the screen's size plus its frame: ask
  // for more than 1024 and take what it gives.
  app.mainRef.setWidth(1100);
  const int wide = app.mainRef.width();
  ASSERT_GT(wide, 1024);
  app.clips[0].setLeft(-5);
  app.clips[1].setTop(-30);
  app.layout.signs[0].cornerRound = 80;
  const std::vector<FormStep> steps = {[&] {
    EXPECT_EQ(thousands("1024"), test::windowText(formControl(1036)));
    EXPECT_EQ("0", test::windowText(formControl(1052)));
    EXPECT_EQ("0", test::windowText(formControl(1069)));
    EXPECT_EQ("50", test::windowText(formControl(1084)));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  // Nothing changes until an arrow is used.
  EXPECT_EQ(wide, app.mainRef.width());
  EXPECT_EQ(-5, app.clips[0].left());
  EXPECT_EQ(-30, app.clips[1].top());
  EXPECT_EQ(80, app.layout.signs[0].cornerRound);
}

TEST_F(LayoutFormWindow, KindBoxesOfferTwoAndThreeKinds) {
  const std::vector<FormStep> steps = {[&] {
    const struct {
      int id;
      std::vector<std::string> items;
    } boxes[] = {{1051, {"幕式", "LED風"}}, {1062, {"幕式", "LED風", "使用しない（非表示）"}}};
    for (const auto& box : boxes) {
      HWND combo = formControl(box.id);
      ASSERT_EQ(static_cast<LRESULT>(box.items.size()), SendMessageA(combo, CB_GETCOUNT, 0, 0)) << box.id;
      for (size_t i = 0; i < box.items.size(); ++i) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(box.items[i], text) << box.id << " item " << i;
      }
      EXPECT_EQ(0, SendMessageA(combo, CB_GETCURSEL, 0, 0)) << box.id;
      EXPECT_EQ(app.form.kindCombo1.handle() == combo || app.form.kindCombo2.handle() == combo, true);
    }
    EXPECT_EQ(formControl(1051), app.form.kindCombo1.handle());
    EXPECT_EQ(formControl(1062), app.form.kindCombo2.handle());
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormWindow, AKindOutsideTheBoxSelectsNothing) {
  app.layout.signs[0].kind = 2;
  app.layout.signs[1].kind = 9;
  const std::vector<FormStep> steps = {[&] {
    EXPECT_EQ(CB_ERR, SendMessageA(formControl(1051), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("", test::windowText(formControl(1051)));
    EXPECT_EQ(CB_ERR, SendMessageA(formControl(1062), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, app.form.kindCombo1.selected());
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ(2, app.layout.signs[0].kind);
  EXPECT_EQ(9, app.layout.signs[1].kind);
}

COLORREF brushColour(HBRUSH brush) {
  LOGBRUSH info{};
  if (!GetObjectA(brush, sizeof info, &info)) return CLR_INVALID;
  return info.lbColor;
}

TEST_F(LayoutFormWindow, ColoursFifteenEditsAndLeavesTheFrameCountsAlone) {
  constexpr COLORREF keep = RGB(1, 2, 3);  // set before: the form must leave it
  const struct {
    int id;
    COLORREF text;
    COLORREF background;
  } edits[] = {
      {1033, RGB(255, 255, 0), RGB(0, 0, 0)},     {1042, RGB(255, 255, 0), RGB(0, 0, 0)},
      {1064, RGB(255, 255, 0), RGB(0, 0, 0)},     {1036, keep, RGB(0, 255, 255)},
      {1040, keep, RGB(0, 255, 255)},             {1052, RGB(255, 255, 255), RGB(0, 0, 255)},
      {1054, RGB(255, 255, 255), RGB(0, 0, 255)}, {1056, RGB(255, 255, 255), RGB(0, 0, 255)},
      {1059, RGB(255, 255, 255), RGB(0, 0, 255)}, {1066, RGB(255, 255, 255), RGB(0, 0, 255)},
      {1069, RGB(255, 255, 255), RGB(0, 0, 255)}, {1072, RGB(255, 255, 255), RGB(0, 0, 255)},
      {1075, RGB(255, 255, 255), RGB(0, 0, 255)}, {1084, keep, RGB(255, 255, 0)},
      {1087, keep, RGB(255, 255, 0)},
  };
  const std::vector<FormStep> steps = {[&] {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const auto& e : edits) {
      SCOPED_TRACE(e.id);
      SetTextColor(dc, keep);
      SetBkMode(dc, OPAQUE);
      const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
          app.formWindow, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(formControl(e.id))));
      EXPECT_EQ(e.background, brushColour(brush));
      EXPECT_EQ(e.text, GetTextColor(dc));
      EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
      bool isFormBrush = false;
      for (const ScopedBrush& own : app.form.brushes) isFormBrush = isFormBrush || own.get() == brush;
      EXPECT_TRUE(isFormBrush);
    }
    for (int id : {1078, 1081}) {
      SetTextColor(dc, keep);
      SetBkMode(dc, OPAQUE);
      const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
          app.formWindow, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(formControl(id))));
      for (const ScopedBrush& own : app.form.brushes) EXPECT_NE(own.get(), brush) << id;
      EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), GetTextColor(dc)) << id;
      EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetBkColor(dc)) << id;
    }
    DeleteDC(dc);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormWindow, BrushesAreMadeAtEveryOpeningAndReleasedWhenTheFormEnds) {
  for (int opening = 0; opening < 2; ++opening) {
    HBRUSH seen[kFormBrushCount] = {};
    const std::vector<FormStep> steps = {[&] {
      const COLORREF colours[] = {RGB(0, 0, 0), RGB(0, 0, 255), RGB(0, 255, 255), RGB(255, 255, 0)};
      for (int i = 0; i < kFormBrushCount; ++i) {
        seen[i] = app.form.brushes[i].get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(seen[i])) << i;
        EXPECT_EQ(colours[i], brushColour(seen[i])) << i;
      }
    }};
    EXPECT_EQ(1u, runFormSteps(steps)) << opening;
    for (int i = 0; i < kFormBrushCount; ++i) {
      EXPECT_EQ(nullptr, app.form.brushes[i].get()) << opening;
      EXPECT_EQ(0u, GetObjectType(seen[i])) << "brush " << i << " deleted, opening " << opening;
    }
  }
}

TEST_F(LayoutFormWindow, TheCloseButtonEndsTheFormAndGivesTheWindowsBack) {
  HWND form = nullptr;
  const std::vector<FormStep> steps = {[&] {
    form = app.formWindow;
    EXPECT_TRUE(test::clickButton(formControl(1016)));
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_FALSE(IsWindow(form));
  EXPECT_TRUE(IsWindowEnabled(session.main()));
  EXPECT_TRUE(IsWindowEnabled(app.panelWindow));
  for (const ScopedBrush& brush : app.form.brushes) EXPECT_EQ(nullptr, brush.get());
  // The program goes on: the main window still takes commands and lives.
  EXPECT_TRUE(IsWindow(session.main()));
  EXPECT_EQ(-1, test::quitCode());
}

TEST_F(LayoutFormWindow, TheFormEndsWithCodeOneFromItsButtonAndZeroFromACloseRequest) {
  const struct {
    const char* how;
    FormStep close;
    std::int32_t code;
  } cases[] = {
      {"button", [] { test::clickButton(formControl(1016)); }, 1},
      {"close request", [] { PostMessageA(app.formWindow, WM_CLOSE, 0, 0); }, 0},
  };
  for (const auto& c : cases) {
    HWND form = nullptr;
    HBITMAP image = nullptr;
    const std::vector<FormStep> steps = {[&] {
      form = app.formWindow;
      image = app.form.helpButtonImage.get();
      c.close();
    }};
    std::size_t ran = 0;
    EXPECT_EQ(c.code, test::runFormModal(steps, &ran)) << c.how;
    EXPECT_EQ(1u, ran) << c.how;
    EXPECT_FALSE(IsWindow(form)) << c.how;
    EXPECT_TRUE(IsWindowEnabled(session.main())) << c.how;
    for (const ScopedBrush& brush : app.form.brushes) EXPECT_EQ(nullptr, brush.get()) << c.how;
    // The help button's bitmap goes with the button.
    EXPECT_EQ(0u, GetObjectType(image)) << c.how;
    EXPECT_EQ(nullptr, app.form.helpButtonImage.get()) << c.how;
  }
}

struct HelpRequest {
  int count = 0;
  HWND caller = nullptr;
  std::string file;
  UINT command = 0;
};
HelpRequest helpAsked;

HWND WINAPI recordHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR) {
  ++helpAsked.count;
  helpAsked.caller = caller;
  helpAsked.file = file ? file : "";
  helpAsked.command = command;
  return nullptr;
}

TEST_F(LayoutFormWindow, TheHelpButtonOpensTheHelpFilesContents) {
  helpAsked = HelpRequest{};
  const HelpViewer previous = setHelpViewer(recordHelp);
  const std::vector<FormStep> steps = {[&] {
    EXPECT_TRUE(test::clickButton(formControl(1017)));
    EXPECT_TRUE(IsWindow(app.formWindow)) << "the form stays open";
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  setHelpViewer(previous);
  char program[512] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string expected = program;
  expected = expected.substr(0, expected.size() - 4) + ".chm";
  EXPECT_EQ(1, helpAsked.count);
  EXPECT_EQ(expected, helpAsked.file);
  EXPECT_EQ(kHelpDisplayToc, helpAsked.command);
  EXPECT_EQ(session.main(), helpAsked.caller);
}

TEST_F(LayoutFormWindow, HelpButtonShowsItsBitmap) {
  const std::vector<FormStep> steps = {[&] {
    HWND help = formControl(1017);
    const auto image = reinterpret_cast<HBITMAP>(SendMessageA(help, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(app.form.helpButtonImage.get(), image);
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(image, sizeof info, &info));
    EXPECT_EQ(71, info.bmWidth);
    EXPECT_EQ(29, info.bmHeight);
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

struct ToolSeen {
  int id;
  std::string text;
};

std::vector<ToolSeen> readTools(HWND tooltip) {
  std::vector<ToolSeen> tools;
  const LRESULT count = SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.lpszText = text;
    if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool))) continue;
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS), tool.uFlags & (TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), tool.hwnd);
    tools.push_back({GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)), text});
  }
  return tools;
}

TEST_F(LayoutFormWindow, TooltipsNameTheUpDownsAndButtons) {
  const std::vector<FormStep> steps = {[&] {
    HWND tooltip = app.form.tooltips.tooltip;
    ASSERT_TRUE(IsWindow(tooltip));
    EXPECT_EQ(0, lstrcmpiA("tooltips_class32", test::className(tooltip).c_str()));
    EXPECT_EQ(app.formWindow, app.form.tooltips.owner);
    EXPECT_EQ(app.formWindow, GetWindow(tooltip, GW_OWNER));
    EXPECT_TRUE(GetWindowLongPtrA(tooltip, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_FALSE(GetWindowLongPtrA(tooltip, GWL_STYLE) & TTS_BALLOON);
    const std::vector<ToolSeen> expected = {
        {1034, "フォームの幅を設定します"},
        {1037, "フォームの高さを設定します"},
        {1041, "幕の左位置を設定します"},
        {1043, "幕の上位置を設定します"},
        {1057, "幕の幅を設定します"},
        {1060, "幕の高さを設定します"},
        {1067, "幕の左位置を設定します"},
        {1070, "幕の上位置を設定します"},
        {1073, "幕の幅を設定します"},
        {1076, "幕の高さを設定します"},
        {1079, "原稿幕の製作枚数を設定します"},
        {1082, "原稿幕の製作枚数を設定します"},
        {1085, "幕に対するカドの丸め具合を設定します"},
        {1088, "幕に対するカドの丸め具合を設定します"},
        {1008, "背景用の画像ファイルを選択します"},
        {1009, "現在の背景画像を削除します"},
        {1051, "幕の種類を選択します"},
        {1010, "幕用の画像ファイルを選択します"},
        {1011, "現在の幕画像を削除します"},
        {1012, "幕用の画像ファイルを選択します"},
        {1013, "現在の幕画像を削除します"},
        {1014, "上のサイズをもとに原稿用画像をコピーします"},
        {1015, "上のサイズをもとに原稿用画像をコピーします"},
    };
    const std::vector<ToolSeen> tools = readTools(tooltip);
    ASSERT_EQ(expected.size(), tools.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(expected[i].id, tools[i].id) << i;
      EXPECT_EQ(expected[i].text, tools[i].text) << i;
    }
    // No tip on the 2nd sign's kind box nor on any edit.
    for (const ToolSeen& tool : tools) {
      EXPECT_NE(1062, tool.id);
      EXPECT_NE("Edit", test::className(formControl(tool.id)));
    }
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
}

TEST_F(LayoutFormWindow, TabMovesTheFocusThroughTheForm) {
  std::vector<int> visited;
  auto pressTab = [&](bool back) {
    return [&visited, back] {
      visited.push_back(GetDlgCtrlID(GetFocus()));
      if (back) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
      }
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    };
  };
  const std::vector<FormStep> steps = {
      [] { SetFocus(formControl(1033)); },
      pressTab(false),
      pressTab(false),
      pressTab(false),
      pressTab(true),
      [&] {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        visited.push_back(GetDlgCtrlID(GetFocus()));
      },
  };
  EXPECT_EQ(steps.size(), runFormSteps(steps));
  // Forward through the background path and its two buttons to the width,
  // then back again.
  const std::vector<int> expected = {1033, 1008, 1009, 1036, 1009};
  EXPECT_EQ(expected, visited);
}

}  // namespace
}  // namespace rovenza
