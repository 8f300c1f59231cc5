// What another program sees on the screen while an animated LED frame plays
// and the program's own thread does nothing but wait for messages: for each
// picture, the time from its deadline (the first picture's time plus the
// delays before it) until shot-helper, a program of its own in the same Wine
// session, reads it from the screen (about every millisecond). Two frames:
// a 120 x 40 GIF of two pictures of 600 ms each, and the demo's scrolling
// frame (demo/led/07.gif); on the 1st sign, the opening the frame's size.
// With "effects", the signs' look is on (each picture a dot board); with
// "record", the board is recorded to a GIF meanwhile.
//   screen_bench.exe [seconds] [effects] [record]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "BenchClock.h"
#include "BenchProgram.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "record/win32/Recorder.h"
#include "screen_test_support.h"
#include "sign/AnimationPacer.h"
#include "sign/GifAnimation.h"
#include "sign/LedLook.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"

using namespace rovenza;
using bench::pumpPending;
using bench::sourcePath;

namespace {

std::vector<unsigned char> fileBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// Each picture of the animation as the opening shows it: the composed canvas,
// as its dot board with the look on.
std::vector<std::uint64_t> pictureHashes(const GifAnimation& animation, bool dotted) {
  GifCanvas canvas(animation);
  std::vector<std::uint64_t> hashes;
  for (std::size_t n = 0; n < animation.pictures.size(); ++n) {
    canvas.compose(n);
    std::vector<std::uint32_t> pixels = canvas.pixels();
    if (dotted) {
      drawDotBoard(PixelRows{pixels.data(), animation.width, animation.width, animation.height}, kDefaultDotPitch);
    }
    hashes.push_back(test::screenHash(pixels));
  }
  return hashes;
}

// Plays frame `frame` of `folder` on the 1st sign for `seconds` with the
// helper watching its opening, and prints how late each picture reached the
// screen.
void measure(const char* name, const std::string& folder, int frame, const std::string& file, double seconds,
             bool dotted) {
  const std::vector<unsigned char> bytes = fileBytes(file);
  const GifAnimation animation = decodeGifAnimation(bytes.data(), bytes.size());
  if (animation.pictures.size() < 2) {
    std::printf("%s: %s is no animation\n", name, file.c_str());
    return;
  }
  const std::vector<std::uint64_t> hashes = pictureHashes(animation, dotted);
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[0].picturePath = folder;
  app.clips[0].setWidth(animation.width);
  app.clips[0].setHeight(animation.height);
  pumpPending();
  test::ScreenWatch watch(test::onScreen(clipOf(0).handle(), animation.width, animation.height),
                          static_cast<DWORD>(seconds * 1000));
  if (!watch.started()) {
    std::printf("%s: shot-helper.exe did not start\n", name);
    return;
  }
  SetDlgItemTextA(app.panelWindow, kPanelGroups[0].numberDisplay, std::to_string(frame).c_str());
  const double clicked = bench::nowMs();
  SendMessageA(GetDlgItem(app.panelWindow, kPanelGroups[0].start), BM_CLICK, 0, 0);
  const double start = static_cast<double>(ledAnimationStart(0)) / 1000.0;
  watch.served();
  resetSign(0);
  pumpPending();
  if (start == 0) {
    std::printf("%s: the animation did not start\n", name);
    return;
  }
  // Each change read on the screen is the next picture due with its pixels.
  std::vector<double> late;
  std::size_t unknown = 0;
  std::size_t next = 0;       // pictures since the first, over every play
  double deadline = start;    // of picture `next`
  const std::size_t count = animation.pictures.size();
  double end = start;
  for (const auto& [at, hash] : watch.changes()) {
    end = at;
    // The first picture is shown before "ON" returns, a little before its time.
    if (at < clicked) continue;
    std::size_t n = next;
    double due = deadline;
    while (hashes[n % count] != hash && due <= at && n < next + 100000) {
      due += static_cast<double>(pictureMicros(animation.pictures[n % count])) / 1000.0;
      ++n;
    }
    if (hashes[n % count] != hash) {
      ++unknown;  // a read while the picture was being put on the screen
      continue;
    }
    // Pictures passed over on the screen: the latest due by now with these
    // pixels (a picture of two alternating ones read again after both were
    // missed is the later one).
    double later = due;
    for (std::size_t m = n; later <= at && m < next + 100000;) {
      later += static_cast<double>(pictureMicros(animation.pictures[m % count])) / 1000.0;
      ++m;
      if (later <= at && hashes[m % count] == hash) {
        n = m;
        due = later;
      }
    }
    late.push_back(at - due);
    next = n + 1;
    deadline = due + static_cast<double>(pictureMicros(animation.pictures[n % count])) / 1000.0;
  }
  std::size_t due = 0;
  for (double t = start; t <= end; t += static_cast<double>(pictureMicros(animation.pictures[due % count])) / 1000.0) {
    ++due;
  }
  std::printf("SCREEN %s: %zu pictures read on the screen of %zu due in %.0f s (%zu reads matched none); from "
              "deadline to another program's read: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms (target "
              "median <= 10 ms, worst <= 40 ms)\n",
              name, late.size(), due, (end - start) / 1000.0, unknown, percentile(late, 0.5), percentile(late, 0.9),
              percentile(late, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10;
  bool effects = false, record = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "effects") {
      effects = true;
    } else if (arg == "record") {
      record = true;
    } else {
      seconds = std::max(1, std::atoi(argv[i]));
    }
  }
  HWND main = bench::startProgram();
  if (!main) return 1;
  setSignLook(effects, kDefaultDotPitch);
  std::printf("the signs' look %s%s\n", effects ? "on" : "off", record ? "; the board recorded meanwhile" : "");

  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "rovenza-bench-screen-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string twoPictures = folder + "\\00.gif";
  test::GifPlan plan{120, 40, {0xFF3030, 0x30FF30}, 0, {}};
  plan.pictures.push_back(test::filledPicture(0, 0, 120, 40, 0, 60));
  plan.pictures.push_back(test::filledPicture(0, 0, 120, 40, 1, 60));
  writeBytes(twoPictures, test::writeGif(plan));
  const std::string recording = folder + "\\recording.gif";
  if (record) startRecording(main, recording);

  measure(effects ? "2 pictures of 600 ms, look on" : "2 pictures of 600 ms, look off", folder, 0, twoPictures,
          seconds, effects);
  measure(effects ? "demo frame 7 (scrolling), look on" : "demo frame 7 (scrolling), look off",
          sourcePath("demo/led"), 7, sourcePath("demo/led/07.gif"), seconds, effects);

  if (record) stopRecording();
  DeleteFileA(recording.c_str());
  DeleteFileA(twoPictures.c_str());
  RemoveDirectoryA(folder.c_str());
  DestroyWindow(main);
  pumpPending();
  return 0;
}
