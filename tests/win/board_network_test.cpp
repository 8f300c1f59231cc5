// A layout file naming pictures on another computer: the program asks once
// before it touches any of them; No opens the board without them, for as long
// as that layout is open. Wine reaches "\\host\share" in the prefix's
// dosdevices\unc\host\share, which stands in for the network here.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../core/LayoutFileBytes.h"
#include "LayoutTestWindows.h"
#include "board/win32/LayoutFiles.h"
#include "layout/LayoutMessages.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::Qv4Sign;
using test::qv4File;

// Answers every network question the program asks, from within its message
// box's loop, and notes what the board held when the first was asked.
struct Answerer {
  static inline int answer = IDNO;
  static inline int asked = 0;
  static inline std::string text;
  static inline std::string backgroundWhenAsked;

  static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = test::threadWindow(kNetworkQuestionCaption);
    if (!box) return;
    if (++asked == 1) {
      text = test::windowText(GetDlgItem(box, 0xFFFF));
      backgroundWhenAsked = app.layout.backgroundPicture;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
  }
};

class BoardNetwork : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    const char* prefix = std::getenv("WINEPREFIX");
    ASSERT_NE(nullptr, prefix) << "runs under Wine";
    std::string unc = std::string("Z:") + prefix + "\\dosdevices\\unc";
    for (char& c : unc) c = c == '/' ? '\\' : c;
    CreateDirectoryA(unc.c_str(), nullptr);
    host = std::make_unique<test::TempFolder>(unc);
    const std::string folder = host->path();
    hostName = folder.substr(folder.rfind('\\') + 1);
    share = "\\\\" + hostName + "\\share";
    CreateDirectoryA(host->file("share").c_str(), nullptr);
    CreateDirectoryA(host->file("share\\led").c_str(), nullptr);
    test::writeBmp(host->file("share\\back.bmp"), 300, 200, RGB(0, 0, 200));
    test::writeBmp(host->file("share\\strip.bmp"), 40, 200, RGB(200, 0, 0));
    test::writeBmp(host->file("share\\led\\00.bmp"), 40, 20, RGB(0, 200, 0));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((share + "\\back.bmp").c_str())) << "the share answers";
    Answerer::asked = 0;
    timer = SetTimer(nullptr, 0, 10, Answerer::onTick);
  }

  void TearDown() override { KillTimer(nullptr, timer); }

  // A layout file at `path` whose background and both signs' pictures lie on the share.
  void writeLayout(const std::string& path) {
    ASSERT_TRUE(test::writeWholeFile(
        path, qv4File(share + "\\back.bmp", 400, 380, Qv4Sign{0, 30, 40, 40, 50, 10, 20, 0, share + "\\strip.bmp"},
                      Qv4Sign{1, 200, 60, 40, 20, 30, 40, 0, share + "\\led"})
                  .bytes));
  }

  test::ProgramSession session;
  std::unique_ptr<test::TempFolder> host;
  std::string hostName;
  std::string share;
  test::TempFolder local;
  UINT_PTR timer = 0;
};

TEST_F(BoardNetwork, AskedOnceBeforeAnythingIsTouchedAndNoHoldsWhileTheLayoutIsOpen) {
  const std::string layout = local.file("board.qv4");
  writeLayout(layout);
  app.layout.backgroundPicture = "C:\\before.bmp";
  Answerer::answer = IDNO;
  readLayoutFile(layout);

  EXPECT_EQ(1, Answerer::asked);
  EXPECT_EQ("このレイアウトはネットワーク上のファイルを開こうとしています (\\\\" + hostName + ")。開きますか？",
            Answerer::text);
  EXPECT_EQ("C:\\before.bmp", Answerer::backgroundWhenAsked) << "nothing of the file was applied before the answer";
  // The board opens without the pictures; the paths stay for Save As.
  EXPECT_EQ(share + "\\back.bmp", app.layout.backgroundPicture);
  EXPECT_EQ(share + "\\led", app.layout.signs[1].picturePath);
  EXPECT_EQ(nullptr, app.backgroundBitmap.get());
  EXPECT_EQ(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(nullptr, app.signStates[1].picture.get());
  // "ON" on the LED sign lists its folder again, every time: it stays empty.
  for (int press = 0; press < 2; ++press) {
    test::setPanelText(kPanelGroups[1].numberDisplay, "0");
    rollSign(1);
    EXPECT_EQ(0, frameCount(1));
    EXPECT_EQ(nullptr, app.signStates[1].picture.get());
  }
  EXPECT_EQ(1, Answerer::asked);

  // Yes opens them: the share was there all along.
  Answerer::answer = IDYES;
  readLayoutFile(layout);
  EXPECT_EQ(2, Answerer::asked);
  EXPECT_NE(nullptr, app.backgroundBitmap.get());
  EXPECT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_TRUE(test::pumpUntil([] { return app.signStates[1].picture.get() != nullptr; }));
  EXPECT_EQ(1, frameCount(1));
}

TEST_F(BoardNetwork, ALayoutOpenedFromTheHostItselfOpensItsPicturesThereWithoutAsking) {
  const std::string layout = share + "\\board.qv4";
  writeLayout(host->file("share\\board.qv4"));
  readLayoutFile(layout);

  EXPECT_EQ(0, Answerer::asked);
  EXPECT_NE(nullptr, app.backgroundBitmap.get());
  EXPECT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_TRUE(test::pumpUntil([] { return app.signStates[1].picture.get() != nullptr; }));
}

}  // namespace
}  // namespace rovenza
