// The About window as runModalWindow shows it: class, title, size, controls,
// pictures, the web-page buttons, its two ways out and Tab between buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/win32/AboutWindow.h"
#include "app/win32/Commands.h"
#include "state/win32/AppState.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::doOnce;
using test::ModalDriver;
using test::ProgramSession;
using test::waitFor;

struct OpenRequest {
  HWND owner;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
  bool aboutStillOpen;
};

std::vector<OpenRequest> openRequests;

HINSTANCE WINAPI recordOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  openRequests.push_back({owner, verb ? verb : "(null)", file ? file : "(null)", parameters ? parameters : "(null)",
                          directory ? directory : "(null)", show, IsWindow(owner) != FALSE});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

bool aboutOpen() { return app.aboutWindow && IsWindowVisible(app.aboutWindow); }

HWND aboutControl(int id) { return GetDlgItem(app.aboutWindow, id); }

// Clicks a button as a user would: only when it is enabled.
void click(int id) {
  HWND button = aboutControl(id);
  EXPECT_TRUE(IsWindowEnabled(button)) << "button " << id;
  if (IsWindowEnabled(button)) SendMessageA(button, BM_CLICK, 0, 0);
}

class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    openRequests.clear();
    previousOpener_ = setWebPageOpener(recordOpen);
  }
  void TearDown() override { setWebPageOpener(previousOpener_); }

  // Runs the About window with `whileOpen` after it has appeared; returns its code.
  std::int32_t runAbout(std::vector<ModalDriver::Step> whileOpen) {
    whileOpen.insert(whileOpen.begin(), waitFor(aboutOpen));
    ModalDriver driver(std::move(whileOpen));
    const std::int32_t code = runModalWindow(session.main(), "About");
    EXPECT_TRUE(driver.finished()) << driver.status();
    return code;
  }

  ProgramSession session;

 private:
  WebPageOpener previousOpener_ = nullptr;
};

TEST_F(AboutWindow, HasItsClassTitleStyleSizeAndOwner) {
  HWND seen = nullptr;
  runAbout({doOnce([&] {
              seen = app.aboutWindow;
              EXPECT_EQ("NORMALDLG", test::className(seen));
              EXPECT_EQ("Rovenzaのバージョン情報", test::windowText(seen));
              const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(seen, GWL_STYLE));
              EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
              EXPECT_EQ(0u, style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP));
              // The window is created with no extended style; the system adds the caption's edge.
              EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongPtrA(seen, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE);
              const RECT r = test::windowRect(seen);
              EXPECT_EQ(455, r.right - r.left);
              EXPECT_EQ(159, r.bottom - r.top);
              EXPECT_EQ(session.main(), GetWindow(seen, GW_OWNER));
              EXPECT_FALSE(IsWindowEnabled(session.main()));
              EXPECT_TRUE(IsWindowEnabled(seen));
            }),
            doOnce([] { PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0); })});
  EXPECT_NE(nullptr, seen);
}

struct ControlSpec {
  int id;
  const char* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
};

// In creation order. The three buttons carry WS_TABSTOP so that Tab reaches them.
const ControlSpec kControls[] = {
    {1000, "Static", "", 0x5000000E, 0, 0, 0, 450, 50},
    {1008, "Button", "OK", 0x50010000, 0, 377, 109, 67, 21},
    {1002, "Static", "", 0x50000000, WS_EX_STATICEDGE, 0, 101, 449, 2},
    {1003, "Static", "企画：Corvane", 0x50000000, 0, 78, 59, 179, 14},
    {1032, "Static", "製作：Vellumark", 0x50000000, 0, 78, 82, 133, 15},
    {1009, "Button", "Corvaneアプリのサイトへ...", 0x50010000, 0, 9, 109, 142, 20},
    {1010, "Button", "Corvaneのサイトへ...", 0x50010000, 0, 159, 109, 150, 20},
    {1001, "Static", "", 0x50000003, WS_EX_STATICEDGE, 32, 60, 34, 34},
};

TEST_F(AboutWindow, BuildsItsControlsInOrderWithIdsTextsStylesAndPlaces) {
  runAbout({doOnce([] {
              HWND child = GetWindow(app.aboutWindow, GW_CHILD);
              for (const ControlSpec& c : kControls) {
                ASSERT_NE(nullptr, child) << "control " << c.id << " missing";
                EXPECT_EQ(c.id, GetDlgCtrlID(child));
                EXPECT_EQ(0, lstrcmpiA(c.className, test::className(child).c_str())) << c.id;
                EXPECT_EQ(c.text, test::windowText(child)) << c.id;
                EXPECT_EQ(c.style, static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE))) << c.id;
                EXPECT_EQ(c.exStyle, static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE))) << c.id;
                RECT r = test::windowRect(child);
                MapWindowPoints(nullptr, app.aboutWindow, reinterpret_cast<POINT*>(&r), 2);
                EXPECT_EQ(c.x, r.left) << c.id;
                EXPECT_EQ(c.y, r.top) << c.id;
                if (c.id == kAboutIcon) {
                  // Created 34 x 34; given its icon, the static takes the icon's size (32 x 32).
                  EXPECT_EQ(32, r.right - r.left);
                  EXPECT_EQ(32, r.bottom - r.top);
                } else {
                  EXPECT_EQ(c.width, r.right - r.left) << c.id;
                  EXPECT_EQ(c.height, r.bottom - r.top) << c.id;
                }
                // Picture statics keep no font; every other control has the window's.
                const DWORD type = c.style & SS_TYPEMASK;
                if (lstrcmpiA(c.className, "Static") != 0 || (type != SS_BITMAP && type != SS_ICON)) {
                  EXPECT_EQ(reinterpret_cast<LRESULT>(app.aboutFont.get()), SendMessageA(child, WM_GETFONT, 0, 0)) << c.id;
                }
                child = GetWindow(child, GW_HWNDNEXT);
              }
              EXPECT_EQ(nullptr, child) << "more controls than listed";
            }),
            doOnce([] { PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0); })});
}

TEST_F(AboutWindow, ShowsTheBannerAndTheProgramIcon) {
  runAbout({doOnce([] {
              const HBITMAP banner = app.about.aboutBanner.get();
              ASSERT_NE(nullptr, banner);
              EXPECT_EQ(reinterpret_cast<LRESULT>(banner),
                        SendMessageA(aboutControl(1000), STM_GETIMAGE, IMAGE_BITMAP, 0));
              BITMAP info{};
              ASSERT_EQ(static_cast<int>(sizeof info), GetObjectA(banner, sizeof info, &info));
              EXPECT_EQ(450, info.bmWidth);
              EXPECT_EQ(50, info.bmHeight);

              const HICON icon = app.about.aboutIcon.get();
              ASSERT_NE(nullptr, icon);
              EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(aboutControl(1001), STM_GETICON, 0, 0));
              ICONINFO iconInfo{};
              ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
              BITMAP mask{};
              GetObjectA(iconInfo.hbmMask, sizeof mask, &mask);
              EXPECT_EQ(32, mask.bmWidth);
              if (iconInfo.hbmColor) DeleteObject(iconInfo.hbmColor);
              DeleteObject(iconInfo.hbmMask);
            }),
            doOnce([] { PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0); })});
}

struct WayOut {
  const char* name;
  std::function<void()> act;
  std::int32_t code;
};

TEST_F(AboutWindow, OkEndsWithOneAndCloseWithZeroLeavingTheMainWindowEnabled) {
  const WayOut ways[] = {
      {"OK", [] { click(1008); }, 1},
      {"close request", [] { PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0); }, 0},
  };
  for (const WayOut& way : ways) {
    SCOPED_TRACE(way.name);
    HWND window = nullptr;
    HBITMAP banner = nullptr;
    HICON icon = nullptr;
    const std::int32_t code = runAbout({doOnce([&] {
      window = app.aboutWindow;
      banner = app.about.aboutBanner.get();
      icon = app.about.aboutIcon.get();
      way.act();
    })});
    EXPECT_EQ(way.code, code);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, app.aboutWindow);
    EXPECT_TRUE(IsWindowEnabled(session.main()));
    // The window's pictures went with it.
    EXPECT_EQ(nullptr, app.about.aboutBanner.get());
    EXPECT_EQ(nullptr, app.about.aboutIcon.get());
    EXPECT_EQ(0u, GetObjectType(banner));
    ICONINFO iconInfo{};
    EXPECT_FALSE(GetIconInfo(icon, &iconInfo));
    // The quit message that ended the nested loop was taken by it.
    test::pumpPending();
    EXPECT_EQ(-1, test::quitCode());
    EXPECT_TRUE(IsWindow(session.main()));
  }
}

TEST_F(AboutWindow, WebButtonsOpenTheirPagesAndTheWindowStaysOpen) {
  const std::int32_t code = runAbout({
      doOnce([] { click(1009); }),
      doOnce([] { click(1009); }),
      doOnce([] { click(1010); }),
      doOnce([] {
        EXPECT_TRUE(IsWindowVisible(app.aboutWindow));
        EXPECT_FALSE(IsWindowEnabled(app.mainWindow));
        click(1008);
      }),
  });
  EXPECT_EQ(1, code);
  const char* expected[] = {kCorvaneAppPage, kCorvaneAppPage, kCorvaneHomePage};
  ASSERT_EQ(3u, openRequests.size());
  for (size_t i = 0; i < openRequests.size(); ++i) {
    const OpenRequest& r = openRequests[i];
    EXPECT_TRUE(r.aboutStillOpen) << i;
    EXPECT_EQ("open", r.verb) << i;
    EXPECT_EQ(expected[i], r.file) << i;
    EXPECT_EQ("", r.parameters) << i;
    EXPECT_EQ("", r.directory) << i;
    EXPECT_EQ(SW_SHOWNORMAL, r.show) << i;
  }
  EXPECT_EQ(std::string("https://corvane.example.jp/apps/rovenza/"), kCorvaneAppPage);
  EXPECT_EQ(std::string("https://corvane.example.jp/"), kCorvaneHomePage);
}

TEST_F(AboutWindow, OtherCommandsAndNotificationsDoNothing) {
  const std::int32_t code = runAbout({
      doOnce([] {
        HWND ok = aboutControl(1008);
        // A focus notification from OK, the dialog keys' IDOK/IDCANCEL and an unknown id.
        SendMessageA(app.aboutWindow, WM_COMMAND, MAKEWPARAM(1008, BN_SETFOCUS), reinterpret_cast<LPARAM>(ok));
        SendMessageA(app.aboutWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        SendMessageA(app.aboutWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        SendMessageA(app.aboutWindow, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
        SendMessageA(app.aboutWindow, WM_COMMAND, MAKEWPARAM(1009, BN_DOUBLECLICKED), 0);
      }),
      doOnce([] {
        EXPECT_TRUE(IsWindowVisible(app.aboutWindow));
        EXPECT_TRUE(openRequests.empty());
        PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0);
      }),
  });
  EXPECT_EQ(0, code);
}

TEST_F(AboutWindow, TabAndShiftTabMoveTheFocusFromButtonToButton) {
  // Tab keys are posted, so that they go through the nested loop's dialog keyboard handling.
  auto pressTab = [] {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : app.aboutWindow, WM_KEYDOWN, VK_TAB, 0);
  };
  auto focusOn = [](int id) { return [id] { return GetFocus() == aboutControl(id); }; };
  auto setShift = [](bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  };
  std::vector<int> visited;
  auto note = [&] { visited.push_back(GetDlgCtrlID(GetFocus())); };
  runAbout({
      doOnce(pressTab), waitFor(focusOn(1008)), doOnce(note),
      doOnce(pressTab), waitFor(focusOn(1009)), doOnce(note),
      doOnce(pressTab), waitFor(focusOn(1010)), doOnce(note),
      doOnce(pressTab), waitFor(focusOn(1008)), doOnce(note),
      // Shift+Tab goes back: the dialog keyboard handling reads the thread's Shift state.
      doOnce([&] { setShift(true); }), doOnce(pressTab), waitFor(focusOn(1010)), doOnce(note),
      doOnce(pressTab), waitFor(focusOn(1009)), doOnce(note),
      doOnce([&] { setShift(false); }),
      doOnce([] { PostMessageA(app.aboutWindow, WM_CLOSE, 0, 0); }),
  });
  setShift(false);
  EXPECT_EQ((std::vector<int>{1008, 1009, 1010, 1008, 1010, 1009}), visited);
}

}  // namespace
}  // namespace rovenza
