// Time and peak memory of loading one picture through the program's loader:
//   picture_bench.exe [FILE]
//   picture_bench.exe strip-bmp|strip-png OUT   (writes OUT and ends)
//   picture_bench.exe board FILE   (the program's board with FILE as the
//                                   1st sign's strip, rolled to its last frame)
//   picture_bench.exe keep N FILE  (FILE loaded N times, each picture kept:
//                                   how many pictures of that size the
//                                   address space holds at once)
// Without a file, a two-colour BMP of 8192 x 8192 pixels (the largest picture
// decoded) is written to the temporary folder and loaded. "strip-bmp" and
// "strip-png" write a 124 x 28,500 strip of many colours (14 MB decoded) as
// a 24-bit BMP or a PNG, to be loaded by a run of its own: the writing
// would count in the peak. The peak working
// set is the process's, so each run loads one picture.
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProgram.h"
#include "common/win32/Scoped.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "state/win32/AppState.h"
#include "imaging_test_support.h"
#include "sign_test_support.h"

using namespace rovenza;
using bench::nowMs;
using bench::pumpPending;
using bench::pumpUntilEnded;

namespace {

double peakWorkingSetMb() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// The whole program with `strip` as the 1st sign's strip, rolled at speed 0
// from frame 0 to the strip's last frame: the peak working set counts the
// start-up, the load and the roll, so a board with a small strip is the base
// a long strip's cost is read against.
int rollBoard(const std::string& strip) {
  HWND main = bench::startProgram();
  if (!main) return 1;
  const double started = peakWorkingSetMb();
  app.layout.signs[0].picturePath = strip;
  const double loadStart = nowMs();
  showStripPicture(0);
  const double loaded = nowMs() - loadStart;
  pumpPending();
  const SIZE size = test::bitmapSize(app.signStates[0].picture.get());
  const int last = std::min(999, std::max(1, static_cast<int>(size.cy) / app.clips[0].height() - 1));
  const PanelGroupIds& ids = kPanelGroups[0];
  SetDlgItemTextA(app.panelWindow, ids.numberDisplay, std::to_string(last).c_str());
  SetDlgItemTextA(app.panelWindow, ids.speedEdit, "0");
  SetDlgItemTextA(app.panelWindow, ids.intervalEdit, "0");
  const double rollStart = nowMs();
  rollSign(0);
  const double rolled = (app.signStates[0].rollThread ? pumpUntilEnded(app.signStates[0].rollThread.get()) : nowMs()) - rollStart;
  pumpPending();
  std::printf("BOARD %s: strip %ldx%ld loaded in %.0f ms, rolled 0 -> %d in %.0f ms; peak working set %.1f MB "
              "(%.1f MB once started)\n",
              strip.c_str(), size.cx, size.cy, loaded, last, rolled, peakWorkingSetMb(), started);
  DestroyWindow(main);
  pumpPending();
  return 0;
}

// Loads `path` up to `times` times, keeping every picture, as a board keeps
// its background and both signs' pictures at once.
int keepLoading(int times, const std::string& path) {
  std::vector<ScopedBitmap> kept;
  for (int i = 0; i < times; ++i) {
    const double start = nowMs();
    ScopedBitmap picture(loadPicture(path));
    const double took = nowMs() - start;
    std::printf("KEEP %d: %s in %.0f ms; peak working set %.1f MB\n", i + 1, picture ? "loaded" : "no picture", took,
                peakWorkingSetMb());
    if (!picture) break;
    kept.push_back(std::move(picture));
  }
  std::printf("KEPT %zu of %d pictures of %s (%zu-bit process)\n", kept.size(), times, path.c_str(), sizeof(void*) * 8);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path;
  bool written = false;
  const std::string argument = argc > 1 ? argv[1] : "";
  if (argument == "board" && argc > 2) return rollBoard(argv[2]);
  if (argument == "keep" && argc > 3) return keepLoading(std::max(1, std::atoi(argv[2])), argv[3]);
  if ((argument == "strip-bmp" || argument == "strip-png") && argc > 2) {
    const bool png = argument == "strip-png";
    path = argv[2];
    auto colour = [](UINT x, UINT y) { return RGB((x * 7 + y) & 0xFF, (y / 40 * 53) & 0xFF, (x + y / 40 * 11) & 0xFF); };
    if (png) {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      test::writePng(path, 124, 28500, colour);
      CoUninitialize();
    } else {
      test::writeBmpRows(path, 124, 28500, [&](int y) { return colour(0, static_cast<UINT>(y)); });
    }
    std::printf("wrote %s\n", path.c_str());
    return 0;
  } else if (argc > 1) {
    path = argv[1];
  } else {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "rovenza-bench-ceiling-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    test::writeOneBitBmp(path, 8192, 8192);
    written = true;
  }
  const double before = peakWorkingSetMb();
  const double start = nowMs();
  HBITMAP picture = loadPicture(path);
  const double took = nowMs() - start;
  const double after = peakWorkingSetMb();
  BITMAP info{};
  if (picture) GetObjectA(picture, sizeof info, &info);
  std::printf("PICTURE %s: %s %ldx%ld in %.0f ms; peak working set %.1f MB before, %.1f MB after (+%.1f MB)\n",
              path.c_str(), picture ? "bitmap" : "no picture", info.bmWidth, info.bmHeight, took, before, after,
              after - before);
  if (picture) DeleteObject(picture);
  if (written) DeleteFileA(path.c_str());
  return 0;
}
