// Recording the board: the File menu's item, a roll recorded and decoded
// again, finishing on exit, and the recordings that cannot be written.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../core/GifDecoding.h"
#include "LayoutTestWindows.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Recording.h"
#include "panel/win32/PanelCommands.h"
#include "record/win32/Recorder.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/RollClock.h"
#include "sign/win32/RollJob.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ModalDriver;
using test::ProgramSession;
using test::pumpUntil;
using test::TempFolder;

constexpr int kStripFrames = 10;
constexpr int kFrameHeight = 57;

// Row y of the test strip: a colour of its own for every row.
COLORREF stripRow(int y) { return RGB(y & 0xFF, 0x40 + (y >> 8) * 0x40, 0xA5); }

int stripRowOf(std::uint32_t pixel) {
  const int low = static_cast<int>(pixel >> 16 & 0xFF);
  const int high = (static_cast<int>(pixel >> 8 & 0xFF) - 0x40) / 0x40;
  return (pixel & 0xFF) == 0xA5 ? high * 256 + low : -1;
}

std::string menuText(HMENU menu, UINT position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

// Finds a message box captioned "録画" and presses its OK; usable from
// within the box's own loop.
ModalDriver::Step closeRecordingBox(test::MessageBoxSeen& seen) {
  return test::waitFor([&seen] {
    HWND box = test::threadWindow("録画");
    if (box) test::readAndCloseMessageBox(box, seen);
    return box != nullptr;
  });
}

class Recording : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    strip = folder.file("strip.bmp");
    test::writeBmpRows(strip, 124, kStripFrames * kFrameHeight, stripRow);
    app.layout.signs[0].picturePath = strip;
    showStripPicture(0);
    ASSERT_NE(nullptr, app.signStates[0].picture.get());
    test::setPanelText(kPanelGroups[0].speedEdit, "3");
    test::setPanelText(kPanelGroups[0].intervalEdit, "0");
    test::pumpPending();
  }

  void TearDown() override { setRecordingRoom(0); }

  // Where the 1st sign's clip window lies in the main window's client area.
  RECT clipRect() {
    RECT rect = test::windowRect(app.clips[0].handle());
    MapWindowPoints(nullptr, session.main(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // Rolls the 1st sign to `frame` and waits for its end; returns how long it
  // rolled (ms).
  double roll(const char* frame) {
    test::setPanelText(kPanelGroups[0].numberDisplay, frame);
    const double start = static_cast<double>(performanceMicros()) / 1000.0;
    rollSign(0);
    EXPECT_TRUE(pumpUntil([] { return !isRollRunning(0); }, 30000));
    return static_cast<double>(performanceMicros()) / 1000.0 - start;
  }

  std::vector<std::string> files() { return test::filesIn(folder.path()); }

  ProgramSession session;
  TempFolder folder;
  std::string strip;
};

// Where the item stands in the File menu is checked with the whole menu
// (app_spine_test); here, what it does.
TEST_F(Recording, TheFileMenuItemStartsAndStopsARecording) {
  HMENU file = app.fileMenu.get();
  ASSERT_EQ(UINT{kCmdRecord}, GetMenuItemID(file, 2));

  {
    ModalDriver driver(test::typeFileName(kRecordTitle, folder.file("clip")));
    SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdRecord, 0), 0);
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  ASSERT_TRUE(isRecording());
  EXPECT_EQ("RovenzaVer4 - 録画中", test::windowText(session.main()));
  EXPECT_EQ("録画停止(&R)", menuText(file, 2));
  EXPECT_EQ(UINT{kCmdRecord}, GetMenuItemID(file, 2));

  const ULONGLONG started = GetTickCount64();
  pumpUntil([&] { return GetTickCount64() - started >= 300; }, 2000);
  SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdRecord, 0), 0);
  const double recordedMs = static_cast<double>(GetTickCount64() - started);
  EXPECT_FALSE(isRecording());
  EXPECT_EQ("RovenzaVer4", test::windowText(session.main()));
  EXPECT_EQ("録画(&R)...", menuText(file, 2));

  // ".gif" added to the name typed; nothing else left beside it.
  ASSERT_EQ((std::vector<std::string>{"clip.gif", "strip.bmp"}), files());
  const test::DecodedGif gif = test::decodeGif(test::readWholeFile(folder.file("clip.gif")));
  ASSERT_TRUE(gif.ok);
  ASSERT_EQ(1u, gif.frames.size()) << "nothing moved";
  EXPECT_NEAR(recordedMs, gif.frames[0].delay * 10.0, 40.0);
}

TEST_F(Recording, ARollRecordedIsTheRollAsTheScreenShowedIt) {
  int width = 0, height = 0;
  const std::vector<std::uint32_t> before = test::screenPixels(session.main(), width, height);
  const std::string path = folder.file("roll.gif");
  const double recordStart = static_cast<double>(performanceMicros()) / 1000.0;
  ASSERT_TRUE(startRecording(session.main(), path));
  const double rolled = roll("9");
  ASSERT_TRUE(stopRecording());
  const double recorded = static_cast<double>(performanceMicros()) / 1000.0 - recordStart;
  const std::vector<std::uint32_t> after = test::screenPixels(session.main(), width, height);

  const test::DecodedGif gif = test::decodeGif(test::readWholeFile(path));
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ("GIF89a", gif.version);
  EXPECT_TRUE(gif.loopsForever);
  EXPECT_EQ(width, gif.width);
  EXPECT_EQ(height, gif.height);
  const std::size_t count = gif.frames.size();
  // 9 frames of 57 rows at 3 ms a row: about 1.5 s, at most 50 frames a second.
  ASSERT_GE(count, 20u);
  EXPECT_LE(count, static_cast<std::size_t>(recorded / 20.0) + 2);

  EXPECT_EQ(before, gif.frames.front().screen) << "the first frame is the board as it was";
  EXPECT_EQ(after, gif.frames.back().screen) << "the last frame is the board as the roll left it";

  // Every frame shows the strip in the opening at one offset, never torn,
  // the offsets only going on; after the first frame, only the opening changes.
  const RECT clip = clipRect();
  const int column = (clip.left + clip.right) / 2;
  int lastOffset = 0;
  long long totalDelay = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const test::DecodedFrame& frame = gif.frames[i];
    totalDelay += frame.delay;
    EXPECT_GE(frame.delay, 2);
    const int offset = stripRowOf(frame.screen[static_cast<std::size_t>(clip.top + 8) * width + column]) - 8;
    ASSERT_GE(offset, lastOffset) << "frame " << i;
    for (int y = 8; y < kFrameHeight - 8; ++y) {
      ASSERT_EQ(offset + y, stripRowOf(frame.screen[static_cast<std::size_t>(clip.top + y) * width + column]))
          << "frame " << i << ", row " << y;
    }
    lastOffset = offset;
    if (i > 0) {
      EXPECT_GE(frame.left, clip.left) << i;
      EXPECT_GE(frame.top, clip.top) << i;
      EXPECT_LE(frame.left + frame.width, clip.right) << i;
      EXPECT_LE(frame.top + frame.height, clip.bottom) << i;
    }
  }
  EXPECT_EQ(9 * kFrameHeight, lastOffset);
  // The screen as the sign tests read it: the clip window's own pixels.
  HDC dc = GetDC(app.clips[0].handle());
  for (int y = 4; y < kFrameHeight; y += 13) {
    for (int x = 10; x < 120; x += 27) {
      const COLORREF shown = GetPixel(dc, x, y);
      const std::uint32_t gifPixel = gif.frames.back().screen[static_cast<std::size_t>(clip.top + y) * width + clip.left + x];
      EXPECT_EQ(RGB(gifPixel >> 16 & 0xFF, gifPixel >> 8 & 0xFF, gifPixel & 0xFF), shown) << x << "," << y;
    }
  }
  ReleaseDC(app.clips[0].handle(), dc);
  // The GIF's time is the real time: the whole within 5 % of the recording.
  // The moving frames never last longer than the roll; they may start late
  // when the capture timer waits for a busy machine (its figures are the
  // benchmark's), but they cover most of it.
  EXPECT_NEAR(recorded, totalDelay * 10.0, recorded * 0.05);
  const long long moving = totalDelay - gif.frames.front().delay - gif.frames.back().delay;
  EXPECT_LE(moving * 10.0, rolled * 1.05) << "rolled " << rolled << " ms";
  EXPECT_GE(moving * 10.0, rolled * 0.75) << "rolled " << rolled << " ms";
}

TEST_F(Recording, ARecordingStartedWhileTheSignRollsStartsWithTheFrameOnScreen) {
  test::setPanelText(kPanelGroups[0].numberDisplay, "5");
  rollSign(0);
  ASSERT_TRUE(pumpUntil([] { return app.signStates[0].roll->drawnOffset.load() <= -kFrameHeight; }));
  const std::string path = folder.file("late.gif");
  ASSERT_TRUE(startRecording(session.main(), path));
  ASSERT_TRUE(pumpUntil([] { return !isRollRunning(0); }, 30000));
  ASSERT_TRUE(stopRecording());
  const test::DecodedGif gif = test::decodeGif(test::readWholeFile(path));
  ASSERT_TRUE(gif.ok);
  ASSERT_GE(gif.frames.size(), 2u);
  const RECT clip = clipRect();
  int width = gif.width;
  const int firstRow = stripRowOf(gif.frames[0].screen[static_cast<std::size_t>(clip.top + 8) * width + clip.left + 60]);
  EXPECT_GE(firstRow - 8, kFrameHeight);
}

TEST_F(Recording, ClosingTheProgramWhileRecordingFinishesTheFile) {
  const std::string path = folder.file("closed.gif");
  ASSERT_TRUE(startRecording(session.main(), path));
  test::setPanelText(kPanelGroups[0].numberDisplay, "1");
  rollSign(0);
  pumpUntil([] { return !isRollRunning(0); }, 30000);
  session.end();
  EXPECT_FALSE(isRecording());
  const test::DecodedGif gif = test::decodeGif(test::readWholeFile(path));
  ASSERT_TRUE(gif.ok);
  EXPECT_GE(gif.frames.size(), 2u);
  EXPECT_TRUE(gif.loopsForever);
}

// A name that is a folder: the box, owned by the main window, says so; no
// recording starts and nothing is left; the signs still roll.
TEST_F(Recording, ANameThatIsAFolderCannotBeRecorded) {
  ASSERT_TRUE(CreateDirectoryA(folder.file("taken.gif").c_str(), nullptr));
  test::MessageBoxSeen seen;
  {
    std::vector<ModalDriver::Step> steps = test::typeFileName(kRecordTitle, folder.file("taken"));
    steps.push_back(closeRecordingBox(seen));
    ModalDriver driver(steps);
    recordCommand();
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  EXPECT_TRUE(seen.seen);
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_EQ("録画を書き込めませんでした。", seen.text);
  EXPECT_FALSE(isRecording());
  EXPECT_EQ("RovenzaVer4", test::windowText(session.main()));
  EXPECT_EQ((std::vector<std::string>{"strip.bmp", "taken.gif"}), files());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.file("taken.gif\\x").c_str()));
  roll("2");
  EXPECT_EQ(-2 * kFrameHeight, app.signStates[0].stripOffset);
}

// A folder no file can be made in (the system's /proc, even for root):
// nothing starts and nothing is left. (The box that then says so is the one
// of the name that is a folder.)
TEST_F(Recording, AFolderThatCannotBeWrittenCannotBeRecorded) {
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Z:\\proc"));
  EXPECT_FALSE(startRecording(session.main(), "Z:\\proc\\rovenza-roll.gif"));
  EXPECT_FALSE(isRecording());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Z:\\proc\\rovenza-roll.gif.recording"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Z:\\proc\\rovenza-roll.gif"));
}

// A disk that fills up while the sign rolls: the recording stops, the box
// owned by the main window says so, no file is left, and the roll goes on
// to its end.
TEST_F(Recording, ADiskThatFillsDuringARollStopsTheRecordingAndLeavesNoFile) {
  // How much the board's first frame takes, and room for a little more.
  const std::string still = folder.file("still.gif");
  ASSERT_TRUE(startRecording(session.main(), still));
  ASSERT_TRUE(stopRecording());
  const std::size_t firstFrame = test::readWholeFile(still).size();
  ASSERT_GT(firstFrame, 100u);
  DeleteFileA(still.c_str());
  setRecordingRoom(firstFrame + 3000);

  {
    ModalDriver driver(test::typeFileName(kRecordTitle, folder.file("full")));
    recordCommand();
    EXPECT_TRUE(driver.finished()) << driver.status();
  }
  ASSERT_TRUE(isRecording());
  EXPECT_EQ("RovenzaVer4 - 録画中", test::windowText(session.main()));
  test::MessageBoxSeen seen;
  bool rollingWhenShown = false;
  {
    ModalDriver driver({test::waitFor([&] {
      HWND box = test::threadWindow("録画");
      if (box) {
        rollingWhenShown = isRollRunning(0);
        test::readAndCloseMessageBox(box, seen);
      }
      return box != nullptr;
    })}, 30000);
    test::setPanelText(kPanelGroups[0].numberDisplay, "9");
    rollSign(0);
    EXPECT_TRUE(pumpUntil([] { return !isRecording(); }, 30000));
    EXPECT_TRUE(pumpUntil([&] { return driver.finished(); }, 5000)) << driver.status();
  }
  EXPECT_TRUE(seen.seen);
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_EQ("録画を書き込めませんでした。", seen.text);
  EXPECT_TRUE(rollingWhenShown) << "the failure came while the sign rolled";
  EXPECT_EQ("RovenzaVer4", test::windowText(session.main()));
  EXPECT_EQ((std::vector<std::string>{"strip.bmp"}), files());
  EXPECT_TRUE(pumpUntil([] { return !isRollRunning(0); }, 30000));
  EXPECT_EQ(-9 * kFrameHeight, app.signStates[0].stripOffset);
}

}  // namespace
}  // namespace rovenza
