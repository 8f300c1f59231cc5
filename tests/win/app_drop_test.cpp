// Files and folders dropped on the main window, sent as real WM_DROPFILES
// to the real window.
#include <windows.h>
// After windows.h.
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../core/LayoutFileBytes.h"
#include "LayoutTestWindows.h"
#include "board/win32/LayoutFiles.h"
#include "layout/LayoutMessages.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::Qv4Sign;
using test::qv4File;

// A drop of `names` at `point` (main window client co-ordinates), as the
// shell hands it over: a DROPFILES record and the names, each ended by a
// zero byte, the list by one more.
HGLOBAL makeDrop(const std::vector<std::string>& names, POINT point) {
  std::size_t bytes = sizeof(DROPFILES) + 1;
  for (const std::string& name : names) bytes += name.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, bytes);
  auto* record = static_cast<DROPFILES*>(GlobalLock(block));
  record->pFiles = sizeof(DROPFILES);
  record->pt = point;
  record->fNC = FALSE;
  record->fWide = FALSE;
  char* next = reinterpret_cast<char*>(record + 1);
  for (const std::string& name : names) {
    std::memcpy(next, name.c_str(), name.size() + 1);
    next += name.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

void drop(const std::vector<std::string>& names, POINT point) {
  SendMessageA(app.mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(names, point)), 0);
}

// The middle of a sign's opening in main window client co-ordinates.
POINT openingMiddle(int sign) {
  RECT rect{};
  GetWindowRect(clipOf(sign).handle(), &rect);
  MapWindowPoints(nullptr, app.mainWindow, reinterpret_cast<POINT*>(&rect), 2);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

constexpr POINT kBoard{8, 300};  // on the board, clear of both openings

class Drops : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    CreateDirectoryA(folder.file("led").c_str(), nullptr);
    test::writeBmp(folder.file("led\\00.bmp"), 60, 20, RGB(0, 200, 0));
    test::writeBmp(folder.file("strip.bmp"), 60, 300, RGB(200, 0, 0));
    test::writeBmp(folder.file("back.bmp"), 400, 380, RGB(0, 0, 90));
    test::writeText(folder.file("notes.txt"), "not a picture");
    test::writeText(folder.file("notes.bmp"), "not a picture either");
    layout = folder.file("board.qv4");
    ASSERT_TRUE(test::writeWholeFile(
        layout, qv4File("", 400, 380, Qv4Sign{0, 30, 40, 60, 50, 10, 20, 0, ""},
                        Qv4Sign{1, 200, 60, 60, 20, 30, 40, 0, ""})
                    .bytes));
    readLayoutFile(layout);
    ASSERT_EQ(400, app.mainRef.width());
    ASSERT_EQ(nullptr, app.signStates[0].picture.get());
  }

  test::ProgramSession session;
  test::TempFolder folder;
  std::string layout;
};

TEST_F(Drops, ALayoutFileOpensWhereverItIsDropped) {
  const std::string other = folder.file("other.qv4");
  ASSERT_TRUE(test::writeWholeFile(other, qv4File(folder.file("back.bmp"), 420, 360,
                                                  Qv4Sign{0, 30, 40, 60, 50, 10, 20, 0, folder.file("strip.bmp")},
                                                  Qv4Sign{2, 200, 60, 60, 20, 30, 40, 0, ""})
                                              .bytes));
  drop({other, folder.file("back.bmp")}, openingMiddle(0));
  EXPECT_EQ(420, app.mainRef.width());
  EXPECT_EQ(folder.file("strip.bmp"), app.layout.signs[0].picturePath);
  EXPECT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_NE(nullptr, app.backgroundBitmap.get());
}

TEST_F(Drops, APictureOnARollFilmOpeningBecomesItsStrip) {
  drop({folder.file("strip.bmp")}, openingMiddle(0));
  EXPECT_EQ(folder.file("strip.bmp"), app.layout.signs[0].picturePath);
  ASSERT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(300, test::bitmapSize(app.signStates[0].picture.get()).cy);
  EXPECT_EQ("", app.layout.backgroundPicture);
}

TEST_F(Drops, AFolderOnAnLedOpeningBecomesItsFrameFolder) {
  drop({folder.file("led")}, openingMiddle(1));
  EXPECT_EQ(folder.file("led"), app.layout.signs[1].picturePath);
  EXPECT_TRUE(test::pumpUntil([] { return app.signStates[1].picture.get() != nullptr; }));
}

TEST_F(Drops, APictureElsewhereBecomesTheBackground) {
  drop({folder.file("back.bmp")}, kBoard);
  EXPECT_EQ(folder.file("back.bmp"), app.layout.backgroundPicture);
  EXPECT_NE(nullptr, app.backgroundBitmap.get());
  EXPECT_EQ("", app.layout.signs[0].picturePath);
}

TEST_F(Drops, AnythingElseIsIgnoredWithoutAWord) {
  drop({folder.file("notes.txt")}, openingMiddle(0));
  drop({folder.file("notes.bmp")}, kBoard);
  drop({folder.file("led")}, openingMiddle(0));   // a folder on a roll-film opening
  drop({folder.file("strip.bmp")}, openingMiddle(1));  // a file on an LED opening
  drop({}, kBoard);
  EXPECT_EQ("", app.layout.signs[0].picturePath);
  EXPECT_EQ("", app.layout.signs[1].picturePath);
  EXPECT_EQ("", app.layout.backgroundPicture);
  EXPECT_EQ(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(nullptr, app.backgroundBitmap.get());
  EXPECT_EQ(nullptr, test::threadWindow(kLayoutErrorCaption));
}

TEST_F(Drops, NothingWhileASignRolls) {
  for (int sign : {0, 1}) {
    SCOPED_TRACE("sign " + std::to_string(sign));
    // A sign whose roll has not ended, as its last status says.
    app.signStates[sign].rollExitCode = STILL_ACTIVE;
    drop({folder.file("back.bmp")}, kBoard);
    drop({folder.file("strip.bmp")}, openingMiddle(0));
    app.signStates[sign].rollExitCode = 0;
    EXPECT_EQ("", app.layout.backgroundPicture);
    EXPECT_EQ("", app.layout.signs[0].picturePath);
    EXPECT_EQ(nullptr, test::threadWindow(kLayoutErrorCaption));
  }
  drop({folder.file("back.bmp")}, kBoard);
  EXPECT_EQ(folder.file("back.bmp"), app.layout.backgroundPicture);
}

TEST_F(Drops, ANameThatHasGoneOrIsTooLongGetsTheReadErrorBox) {
  const test::MessageBoxSeen gone = test::expectLayoutErrorBox([&] { drop({folder.file("gone.bmp")}, kBoard); });
  EXPECT_TRUE(gone.seen);
  EXPECT_TRUE(gone.hadErrorIcon);
  const std::string longName = folder.path() + "\\" + std::string(MAX_PATH, 'a') + ".bmp";
  const test::MessageBoxSeen tooLong = test::expectLayoutErrorBox([&] { drop({longName}, openingMiddle(0)); });
  EXPECT_TRUE(tooLong.seen);
  EXPECT_EQ("", app.layout.backgroundPicture);
  EXPECT_EQ("", app.layout.signs[0].picturePath);
}

}  // namespace
}  // namespace rovenza
