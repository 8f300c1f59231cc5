// Figures of the panel feed: a 384 x 96 LED sign fed to a 128 x 32 panel on
// 127.0.0.1 (a receiver thread of this program notes when each picture's
// last packet arrives).
// - How soon a frame switch's picture reaches the panel: from the end and
//   from the start of "ON", to the arrival of the picture's last packet, over
//   alternating frames (the picture goes out while "ON" is still drawing it).
// - How soon each picture of an animated frame (50 a second) reaches the
//   panel after it shows in the sign's pixels.
// - The program's processor time while an animated frame of 50 pictures a
//   second plays, fed and not fed.
// - Two roll-film signs (the main window's and a vehicle face's) rolling
//   while four LED signs of three faces play that animated frame, each fed
//   to the panel: each roll's duration / nominal.
//   feed_bench.exe [switches] [seconds]
#include <windows.h>  // with the sockets of winsock.h, which is all a receiver needs
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "BenchClock.h"
#include "BenchProgram.h"
#include "feed/win32/PanelFeed.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "vehicle/win32/FaceWindows.h"

using namespace rovenza;
using bench::nowMs;
using bench::processCpuMs;
using bench::pumpFor;
using bench::pumpPending;

namespace {

constexpr int kWidth = 384, kHeight = 96;
constexpr PanelSize kPanel{128, 32};
constexpr int kCap = 100;
// The still frames' colours: the first data byte of a picture (the red of its
// top left dot) names the frame.
constexpr COLORREF kFrameColours[2] = {RGB(200, 10, 10), RGB(90, 220, 30)};
constexpr int kPictures = 50;

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

struct Receiver {
  SOCKET socket = INVALID_SOCKET;
  int port = 0;
  std::mutex lock;
  std::vector<std::pair<double, int>> pictures;  // arrival of the last packet, first data byte
  int firstByte = -1;
  std::atomic<bool> stop{false};
};

DWORD WINAPI receiverThread(LPVOID parameter) {
  Receiver& receiver = *static_cast<Receiver*>(parameter);
  unsigned char packet[2048];
  while (!receiver.stop) {
    const int got = recv(receiver.socket, reinterpret_cast<char*>(packet), sizeof packet, 0);
    if (got < 10) continue;
    const double now = nowMs();
    const bool first = packet[4] == 0 && packet[5] == 0 && packet[6] == 0 && packet[7] == 0;
    if (first) receiver.firstByte = packet[10];
    if (packet[0] & 0x01) {
      std::lock_guard<std::mutex> guard(receiver.lock);
      receiver.pictures.emplace_back(now, receiver.firstByte);
    }
  }
  return 0;
}

void showFrame(int frame) {
  SetDlgItemTextA(app.panelWindow, kPanelGroups[1].numberDisplay, std::to_string(frame).c_str());
  rollSign(1);
}

void switches(Receiver& receiver, int count) {
  std::vector<double> fromShown;
  std::vector<double> fromOn;
  int missed = 0;
  for (int i = 0; i < count; ++i) {
    const int frame = (i + 1) % 2;
    const int wanted = GetRValue(kFrameColours[frame]) * kCap / 100;
    std::size_t seen = 0;
    {
      std::lock_guard<std::mutex> guard(receiver.lock);
      seen = receiver.pictures.size();
    }
    const double before = nowMs();
    showFrame(frame);
    const double after = nowMs();
    double arrived = -1;
    while (arrived < 0 && nowMs() < after + 1000) {
      {
        std::lock_guard<std::mutex> guard(receiver.lock);
        for (std::size_t n = seen; n < receiver.pictures.size(); ++n) {
          if (receiver.pictures[n].second == wanted) {
            arrived = receiver.pictures[n].first;
            break;
          }
        }
      }
      if (arrived < 0) Sleep(0);
    }
    if (arrived < 0) {
      ++missed;
      continue;
    }
    fromShown.push_back(arrived - after);
    fromOn.push_back(arrived - before);
    pumpFor(20);
  }
  std::printf("frame switch, %dx%d sign to a %dx%d panel, %d switches (%d never arrived): last packet after the "
              "end of \"ON\" median %.2f ms (90th percentile %.2f, worst %.2f, earliest %.2f); after its start "
              "median %.2f ms (worst %.2f)\n",
              kWidth, kHeight, kPanel.width, kPanel.height, count, missed, percentile(fromShown, 0.5),
              percentile(fromShown, 0.9), percentile(fromShown, 1.0), percentile(fromShown, 0.0),
              percentile(fromOn, 0.5), percentile(fromOn, 1.0));
}

// Each picture of the animation, from the moment it shows in the sign's
// pixels (watched every ~1 ms) to the arrival of its last packet.
void animationLatency(Receiver& receiver, double seconds) {
  DIBSECTION dib{};
  GetObjectA(app.signStates[1].picture.get(), sizeof dib, &dib);
  bench::PixelWatch watch;
  watch.pixel = static_cast<const volatile std::uint32_t*>(dib.dsBm.bmBits) + dib.dsBm.bmWidth + 1;
  std::size_t first = 0;
  {
    std::lock_guard<std::mutex> guard(receiver.lock);
    first = receiver.pictures.size();
  }
  HANDLE thread = CreateThread(nullptr, 0, bench::watchPixelThread, &watch, 0, nullptr);
  pumpFor(seconds * 1000);
  watch.stop = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  pumpFor(200);
  std::vector<double> latency;
  int missed = 0;
  std::lock_guard<std::mutex> guard(receiver.lock);
  for (const auto& [shown, colour] : watch.changes) {
    const int red = static_cast<int>(colour >> 16);
    double arrived = -1;
    for (std::size_t n = first; n < receiver.pictures.size() && arrived < 0; ++n) {
      const auto& [time, byte] = receiver.pictures[n];
      if (byte == red * kCap / 100 && time >= shown - 5 && time < shown + 500) arrived = time;
    }
    if (arrived < 0) {
      ++missed;
    } else {
      latency.push_back(arrived - shown);
    }
  }
  std::printf("animated frame, 50 pictures a second: %zu pictures seen on the sign in %.0f s (%d never reached the "
              "panel); shown -> last packet arrived median %.2f ms (90th percentile %.2f, worst %.2f, earliest %.2f; "
              "the sign watched every ~1 ms)\n",
              watch.changes.size(), seconds, missed, percentile(latency, 0.5), percentile(latency, 0.9),
              percentile(latency, 1.0), percentile(latency, 0.0));
  std::printf("FEED picture shown -> its last packet: median %.2f ms (target <= 5 ms)\n", percentile(latency, 0.5));
}

// Two signs roll 0 -> 10 (speed 2, interval 100, 57 pixels a frame) at once
// while the main window's 2nd sign and three signs of two further faces play
// the animated frame, all four fed; or, for comparison, with those signs
// empty and nothing fed.
void rollsWhileFeeding(Receiver& receiver, int rolls, bool feeding) {
  const std::string strip = bench::sourcePath("demo/strip.bmp");
  const int rolling[] = {0, signOfFace(2, 1)};
  const int fed[] = {1, signOfFace(1, 0), signOfFace(1, 1), signOfFace(2, 0)};
  for (int face = 1; face <= 2; ++face) {
    makeFaceWindow(face, L"feed bench");
    ShowWindow(app.faces[face].window, SW_SHOWNOACTIVATE);
  }
  for (int sign : rolling) {
    signSpecOf(sign).kind = static_cast<std::uint8_t>(SignKind::RollFilm);
    signSpecOf(sign).picturePath = strip;
    clipOf(sign).setHeight(57);
    showStripPicture(sign);
  }
  const int port = receiver.port;
  for (int sign : fed) {
    signSpecOf(sign).kind = static_cast<std::uint8_t>(SignKind::Led);
    signSpecOf(sign).picturePath = signSpecOf(1).picturePath;
    clipOf(sign).setWidth(kWidth);
    clipOf(sign).setHeight(kHeight);
    if (!feeding) continue;
    startRoll(RollRequest{sign, 2, 0, 0});
    startFeed(FeedKey{faceOfSign(sign), signInFace(sign)},
              PanelFeedSettings{"127.0.0.1", port, kPanel, kCap});
  }
  pumpFor(500);
  constexpr double kNominal = 10.0 * 57 * 2 + 10.0 * 100;
  std::vector<double> ratios;
  for (int run = 0; run < rolls; ++run) {
    const double start = nowMs();
    double took[2] = {0, 0};
    for (int sign : rolling) startRoll(RollRequest{sign, 10, 2, 100});
    while (took[0] == 0 || took[1] == 0) {
      pumpFor(1);
      for (int k = 0; k < 2; ++k) {
        if (took[k] == 0 && !isRollRunning(rolling[k])) took[k] = nowMs() - start;
      }
    }
    for (int k = 0; k < 2; ++k) {
      ratios.push_back(took[k] / kNominal);
      std::printf("roll 0 -> 10 of sign %d%s: %.1f ms, ratio %.4f\n", rolling[k],
                  feeding ? " while 4 LED signs are fed" : ", nothing fed", took[k], took[k] / kNominal);
    }
    for (int sign : rolling) returnSignHome(sign);
  }
  for (int sign : fed) {
    if (feeding) stopFeed(FeedKey{faceOfSign(sign), signInFace(sign)});
  }
  closeFaceWindows();
  std::sort(ratios.begin(), ratios.end());
  std::printf("%s: roll duration / nominal median %.4f, worst %.4f%s\n",
              feeding ? "FEED 4 signs fed while 2 signs roll" : "2 signs rolling, nothing fed",
              ratios.empty() ? 0 : ratios[ratios.size() / 2], ratios.empty() ? 0 : ratios.back(),
              feeding ? " (target <= 1.02)" : "");
}

// The processor share of the program over `seconds`.
double cpuShare(double seconds) {
  const double cpuBefore = processCpuMs();
  const double start = nowMs();
  pumpFor(seconds * 1000);
  return (processCpuMs() - cpuBefore) / (nowMs() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const double seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  HWND main = bench::startProgram();
  if (!main) return 1;

  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "rovenza-bench-feed-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int frame = 0; frame < 2; ++frame) {
    test::writeBmp(folder + "\\0" + std::to_string(frame) + ".bmp", kWidth, kHeight, kFrameColours[frame]);
  }
  test::GifPlan plan{kWidth, kHeight, {}, 0, {}};
  for (int n = 0; n < kPictures; ++n) {
    plan.colours.push_back(0x404040u + static_cast<std::uint32_t>(n) * 0x030000u);
    plan.pictures.push_back(test::filledPicture(0, 0, kWidth, kHeight, static_cast<std::uint8_t>(n), 2));
  }
  const std::vector<unsigned char> gif = test::writeGif(plan);
  HANDLE out = CreateFileA((folder + "\\02.gif").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  DWORD written = 0;
  WriteFile(out, gif.data(), static_cast<DWORD>(gif.size()), &written, nullptr);
  CloseHandle(out);

  app.layout.signs[1].kind = 1;
  app.layout.signs[1].picturePath = folder;
  app.clips[1].show(1);
  app.clips[1].setWidth(kWidth);
  app.clips[1].setHeight(kHeight);
  showFrame(0);
  pumpPending();

  WSADATA data{};
  WSAStartup(MAKEWORD(2, 2), &data);
  Receiver receiver;
  receiver.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(receiver.socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int size = sizeof address;
  getsockname(receiver.socket, reinterpret_cast<sockaddr*>(&address), &size);
  receiver.port = ntohs(address.sin_port);
  DWORD timeout = 100;
  setsockopt(receiver.socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  HANDLE thread = CreateThread(nullptr, 0, receiverThread, &receiver, 0, nullptr);

  const FeedKey key{0, 1};
  startFeed(key, PanelFeedSettings{"127.0.0.1", ntohs(address.sin_port), kPanel, kCap});
  switches(receiver, count);

  showFrame(2);
  animationLatency(receiver, seconds);
  // The receiver's own reading is no part of the program's time: it stops,
  // and the system drops what it is sent.
  receiver.stop = true;
  WaitForSingleObject(thread, INFINITE);
  const double fed = cpuShare(seconds);
  stopFeed(key);
  pumpFor(100);
  const double unfed = cpuShare(seconds);
  std::printf("animated frame of 50 pictures a second: the program's processor time fed %.3f of one core, not fed "
              "%.3f\n",
              fed, unfed);
  std::printf("FEED 128x32 panel at 50 pictures a second: the feed's processor time %.3f of one core, the whole "
              "program's %.3f (target < 0.1)\n",
              fed - unfed, fed);

  rollsWhileFeeding(receiver, 5, false);
  rollsWhileFeeding(receiver, 5, true);

  resetSign(1);
  pumpPending();
  CloseHandle(thread);
  closesocket(receiver.socket);
  WSACleanup();
  for (const char* name : {"\\00.bmp", "\\01.bmp", "\\02.gif"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  DestroyWindow(main);
  pumpPending();
  return 0;
}
