#pragma once
// The whole program started inside a benchmark, and its messages served.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

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
