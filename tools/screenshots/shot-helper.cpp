// Helper for scripts/screenshots.sh, run under Wine beside a running
// rovenza.exe: finds the program's windows, prints their places and sends
// the main window menu commands.
//   shot-helper.exe wait-ready            waits until the main window is enabled (the splash has gone)
//   shot-helper.exe rect main|panel|form  prints "left top width height" of that window
//                                         (also maker, box: the setting box; any other
//                                         name: the top-level window of that title,
//                                         a vehicle's face)
//   shot-helper.exe wait form             waits until the layout form is visible
//   shot-helper.exe command <id>          posts a menu command to the main window
//   shot-helper.exe close <which>         asks that window to close
//   shot-helper.exe move <which> <x> <y>  moves that window (its size stays)
//   shot-helper.exe click <id>            clicks the panel's control <id> and waits until
//                                         it is enabled again (a roll it started has ended)
//   shot-helper.exe cursor <x> <y>        moves the mouse pointer (out of the way of tooltips)
//   shot-helper.exe press <which> <id>    posts a click to control <id> of that window
//   shot-helper.exe file-dialog <title> <path>
//                                         types <path> into the file dialog titled <title>,
//                                         presses its OK and waits until it has gone
//   shot-helper.exe watch <x> <y> <w> <h> <ms> [hash...]
//                                         reads that rectangle of the screen about every
//                                         millisecond for <ms> ms and prints "<time> <hash>"
//                                         (performance counter ms, ScreenHash.h) at the first
//                                         read and at each change; given hashes (hex), it ends
//                                         as soon as the screen has changed to each of them in
//                                         turn, with no other picture in between
// Exit status 0 on success, 1 when the window is not found within 30 s (or
// the hashes were not seen).
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ScreenHash.h"

namespace {

HWND mainWindow() { return FindWindowA("NORMAL0", nullptr); }

HWND namedWindow(const char* which) {
  if (std::strcmp(which, "main") == 0) return mainWindow();
  if (std::strcmp(which, "panel") == 0) return FindWindowA("NORMALDLG", "ｺﾝﾄﾛｰﾙｳｨﾝﾄﾞｳ");
  if (std::strcmp(which, "form") == 0) return FindWindowA("NORMALDLG", "設定");
  if (std::strcmp(which, "maker") == 0) return FindWindowA("NORMALDLG", "幕の作成");
  if (std::strcmp(which, "box") == 0) return FindWindowA("NORMALDLG", "設定器");
  return FindWindowA(nullptr, which);
}

template <typename Condition>
bool waitUntil(Condition condition) {
  for (int i = 0; i < 600; ++i) {
    if (condition()) return true;
    Sleep(50);
  }
  return false;
}

double nowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// What another program sees of the screen: the rectangle read from the X
// display through the screen's device context, never a window's own pixels.
int watch(int argc, char** argv) {
  if (argc < 7) return 2;
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]), w = std::atoi(argv[4]), h = std::atoi(argv[5]);
  const double end = nowMs() + std::atof(argv[6]);
  if (w <= 0 || h <= 0) return 2;
  std::vector<unsigned long long> wanted;
  for (int i = 7; i < argc; ++i) wanted.push_back(std::strtoull(argv[i], nullptr, 16));
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return 2;
  SelectObject(memory, section);
  timeBeginPeriod(1);
  std::size_t seen = 0;
  bool first = true;
  unsigned long long last = 0;
  while (nowMs() < end) {
    BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY);
    GdiFlush();
    const double at = nowMs();
    const unsigned long long hash =
        rovenza::screen::pixelsHash(static_cast<const std::uint32_t*>(bits), static_cast<std::size_t>(w) * h);
    if (first || hash != last) {
      std::printf("%.3f %016llx\n", at, hash);
      std::fflush(stdout);
      // Each change must be the next picture wanted: one in between, or
      // one passed over, starts the count again.
      if (!wanted.empty()) seen = hash == wanted[seen] ? seen + 1 : hash == wanted[0] ? 1 : 0;
      if (!wanted.empty() && seen == wanted.size()) break;
    }
    first = false;
    last = hash;
    Sleep(1);
  }
  timeEndPeriod(1);
  return wanted.empty() || seen == wanted.size() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* verb = argv[1];
  if (std::strcmp(verb, "wait-ready") == 0) {
    return waitUntil([] {
             HWND main = mainWindow();
             return main && IsWindowVisible(main) && IsWindowEnabled(main);
           })
               ? 0
               : 1;
  }
  if (std::strcmp(verb, "watch") == 0) return watch(argc, argv);
  if (argc < 3) return 2;
  if (std::strcmp(verb, "wait") == 0) {
    const char* which = argv[2];
    return waitUntil([which] {
             HWND window = namedWindow(which);
             return window && IsWindowVisible(window);
           })
               ? 0
               : 1;
  }
  if (std::strcmp(verb, "rect") == 0) {
    HWND window = namedWindow(argv[2]);
    if (!window) return 1;
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (std::strcmp(verb, "move") == 0 && argc >= 5) {
    HWND window = namedWindow(argv[2]);
    if (!window) return 1;
    SetWindowPos(window, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  if (std::strcmp(verb, "click") == 0) {
    HWND control = GetDlgItem(namedWindow("panel"), std::atoi(argv[2]));
    if (!control || !IsWindowEnabled(control)) return 1;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_BLOCK, 5000, &result);
    return waitUntil([control] { return IsWindowEnabled(control) != FALSE; }) ? 0 : 1;
  }
  if (std::strcmp(verb, "cursor") == 0) {
    return SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3])) ? 0 : 1;
  }
  if (std::strcmp(verb, "press") == 0 && argc >= 4) {
    HWND control = GetDlgItem(namedWindow(argv[2]), std::atoi(argv[3]));
    return control && PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "file-dialog") == 0 && argc >= 4) {
    const char* title = argv[2];
    HWND dialog = nullptr;
    if (!waitUntil([&] { return (dialog = FindWindowA("#32770", title)) != nullptr; })) return 1;
    HWND edit = GetDlgItem(dialog, 0x480);
    HWND combo = GetDlgItem(dialog, 0x47C);
    if (!edit && combo) edit = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
    if (!edit && combo) edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) return 1;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return waitUntil([dialog] { return !IsWindow(dialog); }) ? 0 : 1;
  }
  if (std::strcmp(verb, "close") == 0 && argc >= 3) {
    HWND window = namedWindow(argv[2]);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "command") == 0) {
    HWND main = mainWindow();
    if (!main) return 1;
    PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[2])), 0);
    return 0;
  }
  return 2;
}
