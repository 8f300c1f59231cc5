// How long the program keeps a message waiting while an LED frame that is a
// costly GIF opens, plays and stops: 60 pictures stored 8192 x 8192 (one
// colour: LZW codes each in about 46 kB) on a 16 x 16 screen, frame 0 of the
// 1st sign's folder. A helper thread sends the main window a message every
// millisecond (SendMessageTimeout) and notes how long each took to be
// answered; the longest wait of each phase is printed. With "interlaced" the
// pictures are stored interlaced: half of each must be decoded to reach the
// screen's rows, which passes the decoding budget, so the first picture
// alone is decoded, by the animation's thread. With "small" the pictures are
// stored 16 x 16: the same phases with nothing costly to decode, for
// comparison.
//   gif_open_bench.exe [interlaced | small]
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "BenchClock.h"
#include "BenchProgram.h"
#include "layout/Layout.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/LedLook.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"

using namespace rovenza;
using bench::nowMs;
using bench::pumpFor;
using bench::pumpPending;

namespace {

constexpr int kPictures = 60;
int stored = 8192;

// One picture written by giflib, its record repeated: the file's bytes.
std::vector<unsigned char> costlyGif(bool interlaced) {
  test::GifPlan plan{16, 16, {0xFF8000, 0x00FF00}, 0, {}};
  plan.pictures.push_back(test::filledPicture(0, 0, stored, stored, 0, 50));
  plan.pictures.back().interlace = interlaced;
  const std::vector<unsigned char> one = test::writeGif(plan);
  // The picture's record runs from its control extension to the trailer.
  std::size_t record = 0;
  while (record + 1 < one.size() && !(one[record] == 0x21 && one[record + 1] == 0xF9)) ++record;
  std::vector<unsigned char> bytes(one.begin(), one.begin() + static_cast<std::ptrdiff_t>(record));
  for (int n = 0; n < kPictures; ++n) bytes.insert(bytes.end(), one.begin() + static_cast<std::ptrdiff_t>(record), one.end() - 1);
  bytes.push_back(0x3B);
  return bytes;
}

// Pings the main window and keeps the longest answer of the current phase.
struct Pinger {
  HWND window = nullptr;
  std::atomic<bool> stop{false};
  std::atomic<double> longest{0};
  std::atomic<long> pings{0};
};

DWORD WINAPI pingThread(LPVOID parameter) {
  Pinger& pinger = *static_cast<Pinger*>(parameter);
  timeBeginPeriod(1);
  while (!pinger.stop) {
    const double sent = nowMs();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(pinger.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    const double waited = nowMs() - sent;
    if (waited > pinger.longest) pinger.longest = waited;
    ++pinger.pings;
    Sleep(1);
  }
  timeEndPeriod(1);
  return 0;
}

// Runs `action` on this thread, then serves messages for `afterMs`; prints
// the longest wait of a message meanwhile and returns it.
template <typename Action>
double phase(Pinger& pinger, const char* name, Action action, double afterMs) {
  pumpFor(50);
  pinger.longest = 0;
  pinger.pings = 0;
  const double start = nowMs();
  action();
  const double took = nowMs() - start;
  pumpFor(afterMs);
  std::printf("  %-44s longest wait %7.1f ms (%ld pings; the action itself %.1f ms)\n", name, pinger.longest.load(),
              pinger.pings.load(), took);
  return pinger.longest;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string variant = argc > 1 ? argv[1] : "plain";
  const bool interlaced = variant == "interlaced";
  if (variant == "small") stored = 16;
  HWND main = bench::startProgram();
  if (!main) return 1;

  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "rovenza-bench-gif-open-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string file = folder + "\\00.gif";
  const double writing = nowMs();
  const std::vector<unsigned char> bytes = costlyGif(interlaced);
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
  std::printf("%d pictures of %dx%d%s on a 16x16 screen: %zu bytes (written in %.0f ms)\n", kPictures, stored,
              stored, interlaced ? ", interlaced" : "", bytes.size(), nowMs() - writing);

  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[0].picturePath = folder;
  SetDlgItemTextA(app.panelWindow, kPanelGroups[0].numberDisplay, "0");
  pumpPending();

  Pinger pinger;
  pinger.window = main;
  HANDLE thread = CreateThread(nullptr, 0, pingThread, &pinger, 0, nullptr);
  double worst = 0;
  worst = std::max(worst, phase(pinger, "\"ON\" (the frame opens), then 3 s of play", [] { rollSign(0); }, 3000));
  worst = std::max(worst, phase(pinger, "\"強\" while it plays", [] { resetSign(0); }, 500));
  worst = std::max(worst, phase(pinger, "\"ON\" again, \"強\" at once", [] {
    rollSign(0);
    resetSign(0);
  }, 500));
  worst = std::max(worst, phase(pinger, "\"ON\"", [] { rollSign(0); }, 1000));
  worst = std::max(worst, phase(pinger, "the look switched on", [] { setSignLook(true, kDefaultDotPitch); }, 1000));
  worst = std::max(worst, phase(pinger, "the look switched off", [] { setSignLook(false, kDefaultDotPitch); }, 1000));
  worst = std::max(worst, phase(pinger, "the sign stopped as at exit", [] { stopRoll(0); }, 200));
  pinger.stop = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  std::printf("GIF OPEN %s: longest wait for a message to the main window %.1f ms (target <= 100 ms)\n",
              variant.c_str(), worst);

  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  DestroyWindow(main);
  pumpPending();
  return 0;
}
