#pragma once
// The whole program started inside a benchmark, and its messages served.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "BenchClock.h"
#include "app/win32/StartUp.h"
#include "state/win32/AppState.h"

namespace rovenza::bench {

// A file of the source tree as the program running under Wine names it.
inline std::string sourcePath(const std::string& relative) {
  std::string path = std::string("Z:") + ROVENZA_SOURCE_DIR + "/" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

inline void pumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Serves the messages of this thread for `ms` milliseconds.
inline void pumpFor(double ms) {
  const double end = nowMs() + ms;
  while (nowMs() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max(1.0, end - nowMs())), QS_ALLINPUT);
    pumpPending();
  }
}

// Serves the messages of this thread until `thread` has ended; returns when
// it ended (ms).
inline double pumpUntilEnded(HANDLE thread) {
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return nowMs();
    pumpPending();
  }
}

// Notes the time each new colour first shows in one pixel of a picture,
// read every ~1 ms on a thread of its own until `stop`.
struct PixelWatch {
  const volatile std::uint32_t* pixel = nullptr;
  std::atomic<bool> stop{false};
  std::vector<std::pair<double, std::uint32_t>> changes;  // time, colour 0x00RRGGBB
};

inline DWORD WINAPI watchPixelThread(LPVOID parameter) {
  PixelWatch& watch = *static_cast<PixelWatch*>(parameter);
  timeBeginPeriod(1);
  std::uint32_t last = *watch.pixel & 0xFFFFFF;
  while (!watch.stop) {
    const std::uint32_t now = *watch.pixel & 0xFFFFFF;
    if (now != last) {
      watch.changes.emplace_back(nowMs(), now);
      last = now;
    }
    Sleep(1);
  }
  timeEndPeriod(1);
  return 0;
}

// Starts the program and waits until its splash has gone; the main window,
// or null (with a line saying so) when it did not start.
inline HWND startProgram() {
  HWND main = startUp(GetModuleHandleA(nullptr));
  if (!main || !app.panelWindow) {
    std::printf("the program did not start\n");
    return nullptr;
  }
  if (app.splashWindow) PostMessageA(app.splashWindow, WM_CLOSE, 0, 0);
  while (IsWindow(app.splashWindow)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    pumpPending();
  }
  return main;
}

}  // namespace rovenza::bench
