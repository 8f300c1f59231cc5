// Figures of an animated LED frame: a 192 x 48 GIF of 50 pictures at 20 ms
// each, looping forever, on the 2nd sign. How late each picture reaches the
// sign's picture after its deadline (the first picture's time plus the
// delays before it), read by a watcher thread every millisecond; the 1st
// sign's roll (0 -> 10, speed 2, interval 100) against its nominal length
// with the animation playing and without; and the program's processor time
// while only the animation plays.
// With "effects", the signs' look is on (each picture shown as a dot board).
//   animation_bench.exe [seconds] [rolls] [effects]
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "BenchClock.h"
#include "BenchProgram.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Pictures.h"
#include "sign/LedLook.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"

using namespace rovenza;
using bench::nowMs;
using bench::sourcePath;
using bench::processCpuMs;
using bench::pumpFor;
using bench::pumpPending;
using bench::pumpUntilEnded;

namespace {

constexpr int kPictures = 50;
constexpr int kDelayHundredths = 2;
constexpr double kDelayMs = kDelayHundredths * 10.0;

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// Picture n is all colour kFirstColour + n: lit (so that the dot look shows
// it in its own colour at each dot's middle), its blue byte naming it.
constexpr std::uint32_t kFirstColour = 0x404041;

void writeAnimation(const std::string& path) {
  test::GifPlan plan{192, 48, {}, 0, {}};
  for (int n = 0; n < kPictures; ++n) {
    plan.colours.push_back(kFirstColour + static_cast<std::uint32_t>(n));
    plan.pictures.push_back(test::filledPicture(0, 0, 192, 48, static_cast<std::uint8_t>(n), kDelayHundredths));
  }
  const std::vector<unsigned char> bytes = test::writeGif(plan);
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
}

// Starts the animation (frame 0 of the 2nd sign's folder) with "ON"; the
// first picture is shown between the two times.
void startAnimation(double& before, double& after) {
  SetDlgItemTextA(app.panelWindow, kPanelGroups[1].numberDisplay, "0");
  before = nowMs();
  rollSign(1);
  after = nowMs();
}

void lateness(double seconds) {
  double before = 0, start = 0;
  startAnimation(before, start);
  DIBSECTION dib{};
  GetObjectA(app.signStates[1].picture.get(), sizeof dib, &dib);
  bench::PixelWatch watch;
  // The middle of the bottom left dot of the look's default pitch (row 46,
  // second from the bottom of the bottom-up rows; column 1): with the look
  // off, simply a pixel of the picture.
  watch.pixel = static_cast<const volatile std::uint32_t*>(dib.dsBm.bmBits) + dib.dsBm.bmWidth + 1;
  HANDLE thread = CreateThread(nullptr, 0, bench::watchPixelThread, &watch, 0, nullptr);
  pumpFor(seconds * 1000);
  watch.stop = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  std::vector<double> late;
  long long index = 0;  // pictures since the first, over every play
  long long skipped = 0;
  std::uint32_t previous = 0;
  for (const auto& [time, colour] : watch.changes) {
    const std::uint32_t picture = colour - kFirstColour;
    const long long step = (static_cast<long long>(picture) - previous + kPictures) % kPictures;
    skipped += step > 1 ? step - 1 : 0;
    index += step;
    previous = picture;
    late.push_back(time - (start + index * kDelayMs));
  }
  // "ON" reads and decodes the file; the first picture's time is taken at
  // its end, when the sign shows it, before the animation's thread starts.
  const double load = start - before;
  std::printf("pictures seen %zu in %.0f s (%lld passed over); late after their deadlines counted from the end of "
              "\"ON\": median %.2f ms, 90th percentile %.2f ms, worst %.2f ms, earliest %.2f ms (watched every ~1 ms; "
              "\"ON\" took %.2f ms, reading and decoding the file)\n",
              late.size(), seconds, skipped, percentile(late, 0.5), percentile(late, 0.9), percentile(late, 1.0),
              percentile(late, 0.0), load);
  std::printf("ANIMATION 192x48 at 20 ms: median lateness %.2f ms (target <= 5 ms)\n", percentile(late, 0.5));
}

void cpu(double seconds) {
  const double cpuBefore = processCpuMs();
  const double before = nowMs();
  pumpFor(seconds * 1000);
  const double share = (processCpuMs() - cpuBefore) / (nowMs() - before);
  std::printf("ANIMATION processor time of the program while it plays: %.3f of one core (target < 0.25)\n", share);
}

double timedRoll() {
  const PanelGroupIds& ids = kPanelGroups[0];
  SetDlgItemTextA(app.panelWindow, ids.numberDisplay, "10");
  SetDlgItemTextA(app.panelWindow, ids.speedEdit, "2");
  SetDlgItemTextA(app.panelWindow, ids.intervalEdit, "100");
  const double start = nowMs();
  rollSign(0);
  const double took = pumpUntilEnded(app.signStates[0].rollThread.get()) - start;
  resetSign(0);
  pumpPending();
  return took;
}

// Rolls with the 2nd sign still and animated in turn, so that the machine's
// load falls on both alike.
void rolls(int count) {
  const int h = app.clips[0].height();
  const double nominal = 10.0 * h * 2 + 10.0 * 100;
  std::vector<double> still;
  std::vector<double> animated;
  for (int run = 0; run < count; ++run) {
    stopLedAnimation(1);
    still.push_back(timedRoll() / nominal);
    double before = 0, after = 0;
    startAnimation(before, after);
    animated.push_back(timedRoll() / nominal);
    if (!isLedAnimationPlaying(1)) std::printf("the animation stopped during the roll\n");
  }
  std::printf("ROLL of the 1st sign / nominal (0 -> 10, speed 2, interval 100), %d rolls each: the 2nd sign "
              "animated median %.4f (worst %.4f; target <= 1.02), still median %.4f (worst %.4f)\n",
              count, percentile(animated, 0.5), percentile(animated, 1.0), percentile(still, 0.5),
              percentile(still, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int rollCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const bool effects = argc > 3 && std::string(argv[3]) == "effects";
  HWND main = bench::startProgram();
  if (!main) return 1;
  if (effects) {
    setSignLook(true, kDefaultDotPitch);
    std::printf("the signs' look on (dot pitch %d)\n", kDefaultDotPitch);
  }

  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "rovenza-bench-animation-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string file = folder + "\\00.gif";
  writeAnimation(file);

  // The demo strip in the 1st sign, the animation in a 192 x 48 2nd sign.
  app.layout.signs[0].picturePath = sourcePath("demo/strip.bmp");
  showStripPicture(0);
  app.layout.signs[1].kind = 1;
  app.layout.signs[1].picturePath = folder;
  app.clips[1].show(1);
  app.clips[1].setWidth(192);
  app.clips[1].setHeight(48);
  pumpPending();

  lateness(seconds);
  cpu(seconds);
  rolls(rollCount);

  resetSign(1);
  pumpPending();
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  DestroyWindow(main);
  pumpPending();
  return 0;
}
