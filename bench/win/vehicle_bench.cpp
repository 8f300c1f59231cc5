// A whole vehicle of four faces with two signs each, driven by the setting
// box, as another program sees the screen:
//   set    "設定" to every LED sign's new picture: the time from the click
//          until shot-helper (one run per face, each reading the face's two
//          openings side by side about every millisecond) has read the last
//          face's new pictures;
//   roll   the eight roll-film signs rolling at once (0 <-> 10, speed 2,
//          interval 100, h 57): each roll from the click to its thread's end,
//          against the nominal length;
//   pages  a code whose pages alternate every 0.2 s on all eight LED signs:
//          each page read on the screen against its deadline (the page
//          clock's origin plus whole periods), how far apart the faces showed
//          it, and the trend of the lateness over the run;
//   idle   the program's processor time over 5 s with the vehicle open and
//          nothing alternating.
// "unwatched" times the pages again with no other program reading the screen
// (the program's own switches only).
//   vehicle_bench.exe [sets] [roll rounds each way] [page seconds] [set|roll|pages|idle|unwatched ...]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProgram.h"
#include "layout/MemoryBoard.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"
#include "panel/PanelIds.h"
#include "screen_test_support.h"
#include "sign/LedLook.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignLook.h"
#include "sign_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "vehicle/win32/Pages.h"
#include "vehicle/win32/SettingBox.h"
#include "vehicle/win32/VehicleOpen.h"

using namespace rovenza;
using bench::nowMs;
using bench::pumpFor;
using bench::pumpPending;
using Picture = std::vector<std::uint32_t>;

namespace {

constexpr int kFaces = kMaxFaces;
constexpr int kLedWidth = 128, kLedHeight = 32, kLedFrames = 7;
constexpr int kStripWidth = 124, kStripFrame = 57, kStripFrames = 11;
constexpr int kSpeed = 2, kInterval = 100;
constexpr int kPagesCode = 9;
constexpr double kPeriodMs = 200;

// Frame n of the 1st / 2nd sign's folder, and of the strip: one colour each.
std::uint32_t ledA(int n) { return 0x000020u * static_cast<std::uint32_t>(n + 1) + 0x008000u; }
std::uint32_t ledB(int n) { return 0x002000u * static_cast<std::uint32_t>(n + 1) + 0x000080u; }
std::uint32_t stripColour(int n) { return 0x101010u * static_cast<std::uint32_t>(n + 1) + 0x800000u; }
COLORREF asColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// A face's two LED openings side by side: frame a of the 1st, b of the 2nd.
std::uint64_t faceHash(int a, int b) {
  Picture picture(static_cast<std::size_t>(kLedWidth) * 2 * kLedHeight);
  for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = i % (kLedWidth * 2) < kLedWidth ? ledA(a) : ledB(b);
  return test::screenHash(picture);
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

// A folder under the temporary folder; its files and folders go with it.
class Scratch {
 public:
  Scratch() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "rovenza-bench-vehicle-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~Scratch() {
    for (auto name = made_.rbegin(); name != made_.rend(); ++name) {
      if (!DeleteFileA(name->c_str())) RemoveDirectoryA(name->c_str());
    }
    RemoveDirectoryA(path_.c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  // The path of `name` inside, removed at the end.
  std::string file(const std::string& name) {
    made_.push_back(path_ + "\\" + name);
    return made_.back();
  }

 private:
  std::string path_;
  std::vector<std::string> made_;
};

// Four faces alike, each two signs of `kind` side by side, and the code
// table `csv`; returns the vehicle file.
std::string writeVehicle(Scratch& scratch, const char* name, SignKind kind, const std::string& first,
                         const std::string& second, int width, int height, const std::string& csv) {
  MemoryBoard board;
  // The window's outer size: room for the caption, the menu and the frame.
  board.width = width * 2 + 40;
  board.height = height + 100;
  std::string head = u8"[Vehicle]\r\nName=試験車\r\n";
  for (int face = 0; face < kFaces; ++face) {
    for (int n = 0; n < kSignCount; ++n) {
      SignSpec& sign = board.record.signs[n];
      sign.kind = static_cast<std::uint8_t>(kind);
      sign.picturePath = n == 0 ? first : second;
      sign.speed = kSpeed;
      sign.interval = kInterval;
      board.places[n] = SignPlace{10 + n * width, 10, width, height, true};
    }
    const std::string layout = std::string(name) + std::to_string(face + 1) + ".qv4";
    if (!writeLayoutFile(systemFiles(), scratch.file(layout), board)) return {};
    head += "[Face" + std::to_string(face + 1) + u8"]\r\nName=面" + std::to_string(face + 1) + "\r\nLayout=" + layout +
            "\r\n";
  }
  const std::string table = std::string(name) + ".csv";
  test::writeText(scratch.file(table), csv);
  head += "[Codes]\r\nTable=" + table + "\r\n";
  const std::string path = scratch.file(std::string(name) + ".rvh");
  test::writeText(path, head);
  return path;
}

// A header and one line per code: `cells` in every sign's column (the 1st
// sign's / the 2nd's of each face).
std::string codeLine(int code, const char* period, const std::string& first, const std::string& second) {
  std::string line = std::to_string(code) + u8",行先" + std::to_string(code) + "," + period;
  for (int face = 0; face < kFaces; ++face) line += "," + first + "," + second;
  return line + "\r\n";
}
std::string tableHeader() {
  std::string line = u8"コード,行先名,周期";
  for (int face = 0; face < kFaces; ++face) line += ",f" + std::to_string(face + 1) + "a,f" + std::to_string(face + 1) + "b";
  return line + "\r\n";
}

HWND settingBox() { return app.settingBoxWindow; }

bool applyEnabled() { return IsWindowEnabled(GetDlgItem(settingBox(), kBoxApply)) != FALSE; }

// Types `code` on the setting box's keys; the click on "設定" is left to the caller.
void typeCode(int code) {
  for (char digit : std::to_string(code)) {
    SendMessageA(GetDlgItem(settingBox(), kBoxDigitFirst + (digit - '0')), BM_CLICK, 0, 0);
  }
}
// Clicks "設定"; the time of the click (ms).
double clickApply() {
  const double at = nowMs();
  SendMessageA(GetDlgItem(settingBox(), kBoxApply), BM_CLICK, 0, 0);
  return at;
}
bool waitUntilApplyEnabled() {
  const double end = nowMs() + 30000;
  while (!applyEnabled()) {
    if (nowMs() > end) return false;
    pumpFor(5);
  }
  return true;
}

// Opens the vehicle and sets every face's window above the others, in a
// column by the screen's right edge; false (with a line) when it did not open.
bool openAndPlace(const std::string& path) {
  if (!path.empty() && openVehicleFile(path)) SendMessageA(app.mainWindow, WM_COMMAND, kCmdSettingBox, 0);
  if (!openedVehicle() || !settingBox()) {
    std::printf("the vehicle did not open\n");
    return false;
  }
  SetWindowPos(app.mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int top = 0;
  for (int face = 1; face < kFaces; ++face) {
    RECT rect{};
    GetWindowRect(faceWindow(face), &rect);
    SetWindowPos(faceWindow(face), HWND_TOPMOST, screenWidth - (rect.right - rect.left), top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    top += rect.bottom - rect.top + 4;
  }
  pumpFor(300);
  return true;
}

void closeVehicle() {
  forgetVehicle();
  for (int sign = 0; sign < kAllSigns; ++sign) stopRoll(sign);
  pumpPending();
}

// One shot-helper per face, reading the face's two openings for `ms`.
std::vector<std::unique_ptr<test::ScreenWatch>> watchFaces(DWORD ms) {
  std::vector<std::unique_ptr<test::ScreenWatch>> watches;
  for (int face = 0; face < kFaces; ++face) {
    const RECT area = test::onScreen(clipOf(signOfFace(face, 0)).handle(), kLedWidth * 2, kLedHeight);
    watches.push_back(std::make_unique<test::ScreenWatch>(area, ms));
  }
  for (auto& watch : watches) {
    if (!watch->started()) {
      std::printf("shot-helper.exe did not start\n");
      return {};
    }
  }
  return watches;
}

// The LED vehicle: code c (1-7) shows frame c - 1 on every sign; code 9's
// pages alternate frames 1/2 on the 1st signs and 3/4 on the 2nd.
std::string ledVehicle(Scratch& scratch) {
  const std::string a = scratch.file("a"), b = scratch.file("b");
  CreateDirectoryA(a.c_str(), nullptr);
  CreateDirectoryA(b.c_str(), nullptr);
  for (int n = 0; n < kLedFrames; ++n) {
    const std::string name = "\\0" + std::to_string(n) + ".bmp";
    test::writeBmp(scratch.file("a" + name), kLedWidth, kLedHeight, asColorRef(ledA(n)));
    test::writeBmp(scratch.file("b" + name), kLedWidth, kLedHeight, asColorRef(ledB(n)));
  }
  std::string csv = tableHeader();
  for (int code = 1; code <= kLedFrames; ++code) {
    csv += codeLine(code, "", std::to_string(code - 1), std::to_string(code - 1));
  }
  csv += codeLine(kPagesCode, "0.2", "1/2", "3/4");
  return writeVehicle(scratch, "led", SignKind::Led, a, b, kLedWidth, kLedHeight, csv);
}

// 1. "設定" to the last face's new pictures read on the screen.
void setFigures(int sets) {
  typeCode(1);
  clickApply();
  pumpFor(300);
  auto watches = watchFaces(static_cast<DWORD>(sets * 400 + 10000));
  if (watches.empty()) return;
  std::vector<double> clicks, applied;
  std::vector<int> codes;
  // Codes 2..7 in turn, each different from the one before.
  for (int n = 0; n < sets; ++n) {
    const int code = 2 + n % (kLedFrames - 1);
    typeCode(code);
    clicks.push_back(clickApply());
    applied.push_back(nowMs() - clicks.back());
    codes.push_back(code);
    pumpFor(300);
  }
  std::vector<std::vector<std::pair<double, std::uint64_t>>> seen;
  for (auto& watch : watches) seen.push_back(watch->changes());
  std::vector<double> last, firstFace;
  int missed = 0;
  for (int n = 0; n < sets; ++n) {
    const std::uint64_t wanted = faceHash(codes[n] - 1, codes[n] - 1);
    const double until = n + 1 < sets ? clicks[n + 1] : 1e300;
    double latest = 0, earliest = 1e300;
    bool all = true;
    for (const auto& face : seen) {
      auto read = std::find_if(face.begin(), face.end(), [&](const auto& change) {
        return change.first >= clicks[n] && change.first < until && change.second == wanted;
      });
      if (read == face.end()) {
        all = false;
        continue;
      }
      latest = std::max(latest, read->first - clicks[n]);
      earliest = std::min(earliest, read->first - clicks[n]);
    }
    if (!all) {
      ++missed;
      continue;
    }
    last.push_back(latest);
    firstFace.push_back(earliest);
  }
  std::printf("SET \"設定\" to the last of 8 LED signs' new pictures read on the screen (4 faces, %dx%d each): median "
              "%.2f ms, 90th percentile %.2f ms, best %.2f, worst %.2f (target median <= 10 ms); the first face's: "
              "median %.2f ms; the click itself (every sign switched, the program's thread back): median %.2f ms; %zu sets "
              "measured, %d not seen on every face\n",
              kLedWidth, kLedHeight, percentile(last, 0.5), percentile(last, 0.9), percentile(last, 0),
              percentile(last, 1), percentile(firstFace, 0.5), percentile(applied, 0.5), last.size(), missed);
}

// 3. Pages every 0.2 s for `seconds` on the screen.
// Without `watched`, no other program reads the screen meanwhile: only the
// program's own switches are timed.
void pageFigures(int seconds, bool watched) {
  typeCode(1);
  clickApply();
  pumpFor(300);
  std::vector<std::unique_ptr<test::ScreenWatch>> watches;
  if (watched) watches = watchFaces(static_cast<DWORD>(seconds * 1000 + 3000));
  if (watched && watches.empty()) return;
  typeCode(kPagesCode);
  const double clicked = clickApply();
  const PageTimes times = pageTimes();
  const double origin = static_cast<double>(times.originMicros) / 1000.0;
  const double period = static_cast<double>(times.periodMicros) / 1000.0;
  if (!pagesRunning() || period != kPeriodMs) {
    std::printf("the pages did not start\n");
    return;
  }
  // When the program's thread had switched the last sign to each page.
  std::vector<double> switched;
  const int lastSign = signOfFace(kFaces - 1, 1);
  std::int32_t shown = app.signStates[lastSign].targetFrame;
  for (const double end = nowMs() + seconds * 1000.0; nowMs() < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max(1.0, end - nowMs())), QS_ALLINPUT);
    pumpPending();
    if (app.signStates[lastSign].targetFrame != shown) {
      shown = app.signStates[lastSign].targetFrame;
      switched.push_back(nowMs());
    }
  }
  typeCode(1);
  const double stopped = clickApply();
  pumpFor(100);
  // When the program's thread had switched every sign, against the deadlines.
  std::vector<double> switchLate, switchFirst, switchLast;
  for (double at : switched) {
    const auto page = static_cast<std::int64_t>((at - origin) / period);
    const double late = at - (origin + static_cast<double>(page) * period);
    switchLate.push_back(late);
    if (at - origin < (stopped - origin) * 0.1) switchFirst.push_back(late);
    if (at - origin >= (stopped - origin) * 0.9) switchLast.push_back(late);
  }
  std::printf("PAGES%s deadline -> every sign switched by the program's thread (not yet on the screen): median %.2f ms, "
              "90th percentile %.2f ms, worst %.2f ms; median over the first tenth %.2f ms, over the last tenth %.2f ms "
              "(%zu pages)\n",
              watched ? "" : " (no other program reading the screen)",
              percentile(switchLate, 0.5), percentile(switchLate, 0.9), percentile(switchLate, 1.0),
              percentile(switchFirst, 0.5), percentile(switchLast, 0.5), switchLate.size());
  if (!watched) return;
  const std::uint64_t pages[2] = {faceHash(1, 3), faceHash(2, 4)};
  // Each page's reads: page p -> (face, late ms).
  const auto lastPage = static_cast<std::size_t>((stopped - origin) / period) + 1;
  std::vector<std::vector<double>> reads(lastPage + 1);
  std::vector<double> late;
  int unknown = 0, passed = 0;
  for (auto& watch : watches) {
    std::int64_t previous = 0;
    for (const auto& [at, hash] : watch->changes()) {
      if (at <= clicked || at >= stopped) continue;
      const int parity = hash == pages[0] ? 0 : hash == pages[1] ? 1 : -1;
      if (parity < 0) {
        ++unknown;  // read while the pictures were put on the screen
        continue;
      }
      auto page = static_cast<std::int64_t>((at - origin) / period);
      if (page % 2 != parity) --page;  // shown later than a whole period
      if (page <= previous || page < 1) continue;
      passed += static_cast<int>(page - previous - 1);
      previous = page;
      const double lateness = at - (origin + static_cast<double>(page) * period);
      late.push_back(lateness);
      if (static_cast<std::size_t>(page) < reads.size()) reads[static_cast<std::size_t>(page)].push_back(at);
    }
  }
  // How far apart the four faces showed each page, and the lateness's trend.
  std::vector<double> apart;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  int points = 0;
  std::vector<double> firstTenth, lastTenth;
  for (std::size_t page = 1; page < reads.size(); ++page) {
    const auto& times = reads[page];
    if (times.size() == static_cast<std::size_t>(kFaces)) {
      apart.push_back(*std::max_element(times.begin(), times.end()) - *std::min_element(times.begin(), times.end()));
    }
    const double minute = static_cast<double>(page) * period / 60000.0;
    for (double at : times) {
      const double y = at - (origin + static_cast<double>(page) * period);
      sx += minute;
      sy += y;
      sxx += minute * minute;
      sxy += minute * y;
      ++points;
      if (page * 10 < reads.size()) firstTenth.push_back(y);
      if (page * 10 >= reads.size() * 9) lastTenth.push_back(y);
    }
  }
  const double slope = points > 1 ? (points * sxy - sx * sy) / (points * sxx - sx * sx) : 0;
  std::size_t within = 0;
  for (double x : late) within += x <= 5.0 ? 1 : 0;
  std::printf("PAGES every %.0f ms for %d s on 8 LED signs (4 faces): %zu page changes read of %zu due on 4 faces (%d "
              "passed over, %d reads matched neither page)\n",
              period, seconds, late.size(), (lastPage - 1) * kFaces, passed, unknown);
  std::printf("PAGES deadline -> read on the screen: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms; %.1f %% "
              "within 5 ms (target within 5 ms)\n",
              percentile(late, 0.5), percentile(late, 0.9), percentile(late, 1.0),
              late.empty() ? 0.0 : 100.0 * static_cast<double>(within) / static_cast<double>(late.size()));
  std::printf("PAGES apart across the 4 faces: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms (%zu pages read "
              "on every face; target at most 2 ms)\n",
              percentile(apart, 0.5), percentile(apart, 0.9), percentile(apart, 1.0), apart.size());
  std::printf("PAGES drift: lateness trend %+.3f ms per minute; median lateness over the first tenth %.2f ms, over "
              "the last tenth %.2f ms (target no drift)\n",
              slope, percentile(firstTenth, 0.5), percentile(lastTenth, 0.5));
}

// 4. Processor time over 5 s with the vehicle open and nothing alternating.
void idleFigures() {
  typeCode(1);
  clickApply();
  pumpFor(1000);
  const double start = nowMs(), cpu = bench::processCpuMs();
  pumpFor(5000);
  const double used = bench::processCpuMs() - cpu, took = nowMs() - start;
  std::printf("IDLE vehicle open, nothing alternating (pages %s): processor time %.1f ms over %.0f ms (%.4f of one "
              "core; target ~0)\n",
              pagesRunning() ? "RUNNING" : "stopped", used, took, used / took);
}

// One "設定" of the roll vehicle: the time from the click to each roll
// thread's end (ms), the share of that time the program's thread spent
// serving messages, and the program's processor time over it (in cores).
std::vector<double> timedRolls(int code, double& busy, double& cores) {
  std::vector<double> took;
  busy = 0;
  cores = 0;
  if (!waitUntilApplyEnabled()) return took;
  pumpFor(200);
  typeCode(code);
  const double cpu = bench::processCpuMs();
  const double start = clickApply();
  std::vector<HANDLE> threads;
  for (int sign = 0; sign < kAllSigns; ++sign) {
    if (isRollRunning(sign) && app.signStates[sign].rollThread) threads.push_back(app.signStates[sign].rollThread.get());
  }
  double serving = nowMs() - start;
  while (!threads.empty()) {
    const DWORD result =
        MsgWaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), FALSE, INFINITE, QS_ALLINPUT);
    if (result < WAIT_OBJECT_0 + threads.size()) {
      took.push_back(nowMs() - start);
      threads.erase(threads.begin() + (result - WAIT_OBJECT_0));
    } else {
      const double before = nowMs();
      pumpPending();
      serving += nowMs() - before;
    }
  }
  if (took.empty()) return took;
  busy = serving / took.back();
  cores = (bench::processCpuMs() - cpu) / took.back();
  return took;
}

// 2. The eight roll-film signs rolling at once, `rounds` times each way; in
// between, the main window's 1st sign alone, the same roll in the same
// conditions.
void rollFigures(Scratch& scratch, int rounds) {
  const std::string strip = scratch.file("strip.bmp");
  test::writeBmpRows(strip, kStripWidth, kStripFrame * kStripFrames,
                     [](int y) { return asColorRef(stripColour(y / kStripFrame)); });
  // Codes 1 / 2: every sign to frame 10 / 0; 3 / 4: the 1st sign alone.
  std::string csv = tableHeader() + codeLine(1, "", "10", "10") + codeLine(2, "", "0", "0");
  csv += u8"3,一,," + std::string("10") + std::string(kFaces * kSignCount - 1, ',') + "\r\n";
  csv += u8"4,零,," + std::string("0") + std::string(kFaces * kSignCount - 1, ',') + "\r\n";
  if (!openAndPlace(writeVehicle(scratch, "roll", SignKind::RollFilm, strip, strip, kStripWidth, kStripFrame, csv))) {
    return;
  }
  // The main window's signs roll at the panel's speed and interval.
  for (int group = 0; group < kSignCount; ++group) {
    test::setPanelText(kPanelGroups[group].speedEdit, std::to_string(kSpeed));
    test::setPanelText(kPanelGroups[group].intervalEdit, std::to_string(kInterval));
  }
  const double nominal = 10.0 * kStripFrame * kSpeed + 10.0 * kInterval;
  std::vector<double> ratios, lastOfRound, alone, busyAll, busyAlone, coresAll, coresAlone;
  for (int round = 0; round < rounds * 2; ++round) {
    double busy = 0, cores = 0;
    const std::vector<double> took = timedRolls(1 + round % 2, busy, cores);
    std::printf("round %d, 0 %s 10: %zu rolls at once, ratios", round + 1, round % 2 ? "<-" : "->", took.size());
    for (double ms : took) {
      std::printf(" %.4f", ms / nominal);
      ratios.push_back(ms / nominal);
    }
    std::printf("; the program's thread serving messages %.0f %% of the time, the program using %.2f cores; the 1st "
                "sign alone, away and back:",
                100 * busy, cores);
    if (!took.empty()) {
      lastOfRound.push_back(took.back() / nominal);
      busyAll.push_back(busy);
      coresAll.push_back(cores);
    }
    for (int code : {4 - round % 2, 3 + round % 2}) {
      const std::vector<double> one = timedRolls(code, busy, cores);
      if (one.size() != 1) continue;
      alone.push_back(one[0] / nominal);
      busyAlone.push_back(busy);
      coresAlone.push_back(cores);
      std::printf(" %.4f (%.2f cores)", one[0] / nominal, cores);
    }
    std::printf("\n");
  }
  std::printf("ROLL 8 roll-film signs at once (4 faces; |d| 10, h %d, speed %d, interval %d, nominal %.0f ms), click "
              "-> each roll thread's end / nominal: median %.4f, worst %.4f; the last of each round median %.4f "
              "(%zu rolls; target each <= 1.02); the program's thread serving messages %.0f %% of the time, the program "
              "using %.2f cores\n",
              kStripFrame, kSpeed, kInterval, nominal, percentile(ratios, 0.5), percentile(ratios, 1.0),
              percentile(lastOfRound, 0.5), ratios.size(), 100 * percentile(busyAll, 0.5),
              percentile(coresAll, 0.5));
  std::printf("ROLL the 1st sign alone, same vehicle and run: median %.4f, worst %.4f (%zu rolls); the program's thread "
              "serving messages %.0f %% of the time, the program using %.2f cores\n",
              percentile(alone, 0.5), percentile(alone, 1.0), alone.size(), 100 * percentile(busyAlone, 0.5),
              percentile(coresAlone, 0.5));
  closeVehicle();
}

bool wants(const std::vector<std::string>& parts, const char* part) {
  return parts.empty() || std::find(parts.begin(), parts.end(), part) != parts.end();
}

}  // namespace

int main(int argc, char** argv) {
  int numbers[3] = {30, 2, 60};  // sets, roll rounds each way, page seconds
  int given = 0;
  std::vector<std::string> parts;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] >= '0' && argv[i][0] <= '9') {
      if (given < 3) numbers[given++] = std::max(1, std::atoi(argv[i]));
    } else {
      parts.push_back(argv[i]);
    }
  }
  HWND main = bench::startProgram();
  if (!main) return 1;
  setSignLook(false, kDefaultDotPitch);
  {
    Scratch scratch;
    const bool unwatched = std::find(parts.begin(), parts.end(), "unwatched") != parts.end();
    if (wants(parts, "set") || wants(parts, "pages") || wants(parts, "idle") || unwatched) {
      if (openAndPlace(ledVehicle(scratch))) {
        // A folder listed within 2 s of its last write is listed again at
        // each display; the figures are those of folders written earlier.
        pumpFor(2500);
        if (wants(parts, "set")) setFigures(numbers[0]);
        if (wants(parts, "pages")) pageFigures(numbers[2], true);
        if (unwatched) pageFigures(numbers[2], false);
        if (wants(parts, "idle")) idleFigures();
        closeVehicle();
      }
    }
    if (wants(parts, "roll")) rollFigures(scratch, numbers[1]);
  }
  DestroyWindow(main);
  pumpPending();
  return 0;
}
