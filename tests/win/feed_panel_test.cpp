// A sign fed to an LED panel on this computer: a receiver on 127.0.0.1
// gets nothing until the user turns the sign on in the feed's window, then
// the sign's dots at every frame switch and every picture of an animation,
// reduced from the picture as it shows with the look off.
#include <gtest/gtest.h>
#include <windows.h>  // with the sockets of winsock.h, which is all a receiver needs

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "app/win32/Settings.h"
#include "feed/PanelDots.h"
#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeedWindow.h"
#include "layout/Layout.h"
#include "panel/PanelIds.h"
#include "sign/win32/SignLook.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;
using test::TempFolder;

constexpr int kWidth = 30, kHeight = 20;
constexpr PanelSize kPanel{15, 10};
constexpr int kCap = 50;
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

// Row y of the still frames: a colour of its own, some rows too dark to light a dot.
std::uint32_t rowColour(int frame, int y) {
  if (y % 5 == 4) return 0x202020;
  return frame == 0 ? static_cast<std::uint32_t>((50 + 10 * y) << 16 | (255 - 10 * y) << 8 | (y * 37 % 256))
                    : static_cast<std::uint32_t>((y * 53 % 256) << 16 | 200 << 8 | (120 + y));
}

std::vector<std::uint8_t> expectedBytes(std::vector<std::uint32_t> pixels) {
  return panelBytes(panelDots(PixelRows{pixels.data(), kWidth, kWidth, kHeight}, kWidth, kHeight, kPanel, false), kCap);
}

std::vector<std::uint8_t> stillBytes(int frame) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < kHeight; ++y) pixels.insert(pixels.end(), kWidth, rowColour(frame, y));
  return expectedBytes(pixels);
}

// A datagram socket on 127.0.0.1 that the program's packets reach.
class Receiver {
 public:
  Receiver() {
    WSADATA data{};
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
  }
  ~Receiver() {
    closesocket(socket_);
    WSACleanup();
  }
  int port() const { return port_; }

  // Takes what has arrived; true once a whole picture is in `picture` (the
  // packets since the last picture joined at their offsets).
  bool takePicture(std::vector<std::uint8_t>& picture) {
    unsigned char packet[2048];
    for (;;) {
      const int got = recv(socket_, reinterpret_cast<char*>(packet), sizeof packet, 0);
      if (got <= 0) return false;
      ++packets;
      EXPECT_GE(got, 10);
      EXPECT_EQ(0x40, packet[0] & 0xFE);
      EXPECT_EQ(0x0B, packet[2]);
      EXPECT_EQ(0x01, packet[3]);
      EXPECT_EQ(lastSequence % 15 + 1, packet[1]) << "packets numbered in turn, none lost";
      lastSequence = packet[1];
      const std::size_t offset = std::size_t{packet[4]} << 24 | std::size_t{packet[5]} << 16 |
                                 std::size_t{packet[6]} << 8 | packet[7];
      const std::size_t length = std::size_t{packet[8]} << 8 | packet[9];
      EXPECT_EQ(static_cast<std::size_t>(got), 10 + length);
      if (building.size() < offset + length) building.resize(offset + length);
      std::copy(packet + 10, packet + 10 + length, building.begin() + static_cast<std::ptrdiff_t>(offset));
      if (packet[0] & 0x01) {
        picture.swap(building);
        building.clear();
        ++pictures;
        return true;
      }
    }
  }

  // Pumps until a picture equal to `wanted` arrives; every picture before it
  // must be one of `allowed`.
  bool waitFor(const std::vector<std::uint8_t>& wanted, const std::vector<std::vector<std::uint8_t>>& allowed) {
    return test::pumpUntil([&] {
      std::vector<std::uint8_t> picture;
      while (takePicture(picture)) {
        if (picture == wanted) return true;
        bool known = false;
        for (const auto& other : allowed) known = known || picture == other;
        EXPECT_TRUE(known) << "a picture the sign never showed";
      }
      return false;
    });
  }

  int packets = 0;
  int pictures = 0;
  int lastSequence = 0;

 private:
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
  std::vector<std::uint8_t> building;
};

class FeedPanel : public ::testing::Test {
 protected:
  FeedPanel() { DeleteFileA(panelFile.c_str()); }
  void TearDown() override { DeleteFileA(panelFile.c_str()); }

  void SetUp() override {
    session.closeSplash();
    for (int frame = 0; frame < 2; ++frame) {
      test::writeBmpRows(folder.file("f0" + std::to_string(frame) + ".bmp"), kWidth, kHeight, [frame](int y) {
        const std::uint32_t c = rowColour(frame, y);
        return RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF);
      });
    }
    // Frame 2: red, then green over the left half, 40 ms each, for ever.
    test::GifPlan plan{kWidth, kHeight, {kRed, kGreen}, 0, {}};
    plan.pictures.push_back(test::filledPicture(0, 0, kWidth, kHeight, 0, 4));
    plan.pictures.push_back(test::filledPicture(0, 0, kWidth / 2, kHeight, 1, 4));
    test::writeFile(folder.file("f02.gif"), test::writeGif(plan));
    app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
    app.layout.signs[0].picturePath = folder.path();
    app.clips[0].setWidth(kWidth);
    app.clips[0].setHeight(kHeight);
  }

  void showFrame(int frame) {
    test::setPanelText(kPanelGroups[0].numberDisplay, std::to_string(frame));
    HWND key = GetDlgItem(app.panelWindow, kPanelGroups[0].start);
    ASSERT_TRUE(IsWindowEnabled(app.panelWindow) && IsWindowEnabled(key));
    SendMessageA(key, BM_CLICK, 0, 0);
  }

  void clickFeed(HWND window) {
    HWND box = GetDlgItem(window, feedControl(0, kFeedRowOn));
    ASSERT_TRUE(IsWindowEnabled(box));
    SendMessageA(box, BM_CLICK, 0, 0);
  }

  const std::string panelFile = panelFilePath(programFilePath());
  ProgramSession session;
  TempFolder folder;
  Receiver receiver;
};

TEST_F(FeedPanel, APanelGetsTheSignsDotsAtEveryChangeAndNothingBeforeItIsTurnedOn) {
  showFrame(0);
  showFrame(1);
  SendMessageA(session.main(), WM_COMMAND, kCmdPanelFeed, 0);
  HWND window = app.feedWindow;
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(kPanelFeedTitle, test::windowText(window));
  EXPECT_EQ("１つ目の幕", test::windowText(GetDlgItem(window, feedControl(0, kFeedRowName))));
  EXPECT_EQ(nullptr, GetDlgItem(window, feedControl(1, kFeedRowOn))) << "the roll-film sign is not listed";
  EXPECT_EQ("4048", test::windowText(GetDlgItem(window, feedControl(0, kFeedRowPort))));
  const std::pair<PanelFeedRowControl, std::string> fields[] = {
      {kFeedRowHost, "127.0.0.1"},
      {kFeedRowPort, std::to_string(receiver.port())},
      {kFeedRowWidth, std::to_string(kPanel.width)},
      {kFeedRowHeight, std::to_string(kPanel.height)},
      {kFeedRowCap, std::to_string(kCap)},
  };
  for (const auto& [control, text] : fields) SetDlgItemTextA(window, feedControl(0, control), text.c_str());
  std::vector<std::uint8_t> none;
  EXPECT_FALSE(receiver.takePicture(none));

  clickFeed(window);
  EXPECT_EQ("RovenzaVer4 - LEDパネルへ送信中", test::windowText(session.main()));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, feedControl(0, kFeedRowHost)))) << "fixed while fed";
  ASSERT_TRUE(receiver.waitFor(stillBytes(1), {}));
  EXPECT_EQ(1, receiver.pictures) << "the first picture is the frame shown, nothing before it";

  showFrame(0);
  ASSERT_TRUE(receiver.waitFor(stillBytes(0), {stillBytes(1)}));
  // The look redraws the shown pixels; the panel still gets the picture.
  setSignLook(true, kDefaultDotPitch);
  showFrame(1);
  ASSERT_TRUE(receiver.waitFor(stillBytes(1), {stillBytes(0)}));
  setSignLook(false, kDefaultDotPitch);

  std::vector<std::uint32_t> red(kWidth * kHeight, kRed);
  std::vector<std::uint32_t> redGreen = red;
  for (int y = 0; y < kHeight; ++y) std::fill_n(redGreen.begin() + y * kWidth, kWidth / 2, kGreen);
  showFrame(2);
  ASSERT_TRUE(receiver.waitFor(expectedBytes(redGreen), {stillBytes(1), expectedBytes(red)}));
  ASSERT_TRUE(receiver.waitFor(expectedBytes(red), {expectedBytes(redGreen)}));

  clickFeed(window);
  EXPECT_EQ("RovenzaVer4", test::windowText(session.main()));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, feedControl(0, kFeedRowHost))));
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(nullptr, app.feedWindow);

  // The settings are kept beside the program, whether the sign was fed is not.
  char section[1024] = {};
  const DWORD length = GetPrivateProfileSectionA("Sign1", section, sizeof section, panelFile.c_str());
  std::string kept(section, length);
  std::replace(kept.begin(), kept.end(), '\0', ';');
  EXPECT_EQ("Host=127.0.0.1;Port=" + std::to_string(receiver.port()) + ";Width=15;Height=10;Cap=50;", kept);
  SendMessageA(session.main(), WM_COMMAND, kCmdPanelFeed, 0);
  ASSERT_NE(nullptr, app.feedWindow);
  EXPECT_EQ(std::to_string(receiver.port()),
            test::windowText(GetDlgItem(app.feedWindow, feedControl(0, kFeedRowPort))));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(app.feedWindow, feedControl(0, kFeedRowOn)));
}

// A host that is not found is said once on the sign's row, while the program
// goes on; turning the sign off takes the message away.
TEST_F(FeedPanel, AHostNotFoundIsSaidOnTheSignsRow) {
  showFrame(0);
  SendMessageA(session.main(), WM_COMMAND, kCmdPanelFeed, 0);
  HWND window = app.feedWindow;
  ASSERT_NE(nullptr, window);
  SetDlgItemTextA(window, feedControl(0, kFeedRowHost), "no-such-panel.invalid");
  clickFeed(window);
  HWND problem = GetDlgItem(window, feedControl(0, kFeedRowProblem));
  ASSERT_TRUE(test::pumpUntil([&] { return !test::windowText(problem).empty(); }, 60000));
  EXPECT_EQ(0u, test::windowText(problem).find("送り先「no-such-panel.invalid」が見つかりません"))
      << test::windowText(problem);
  showFrame(1);
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window, feedControl(0, kFeedRowOn))) << "the sign stays on";
  clickFeed(window);
  EXPECT_EQ("", test::windowText(problem));
}

}  // namespace
}  // namespace rovenza
