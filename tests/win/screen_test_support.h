#pragma once
// The screen as another program sees it. Under Wine what a thread draws into
// a window reaches the X display only when the window's own thread comes back
// to its message loop, and a pixel read inside the program sees the window's
// surface, not the screen: shot-helper's "watch", started beside the program
// in the same Wine session, reads the display itself. The tests and the
// benchmarks start it, then serve the program's messages as its own loop does.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../../tools/screenshots/ScreenHash.h"

namespace rovenza::test {

inline std::uint64_t screenHash(const std::vector<std::uint32_t>& pixels) {
  return screen::pixelsHash(pixels.data(), pixels.size());
}

// The client area of `window` from its top left corner, `width` by `height`,
// in screen coordinates.
inline RECT onScreen(HWND window, int width, int height) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

// One run of shot-helper.exe (built beside the tests and benchmarks) reading
// `area` of the screen for at most `ms`; given `pictures` (each the area's
// pixels, 0x00RRGGBB from the top), it ends once it has seen them one after
// another.
class ScreenWatch {
 public:
  ScreenWatch(const RECT& area, DWORD ms, const std::vector<std::vector<std::uint32_t>>& pictures = {}) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string command(exe);
    command = "\"" + command.substr(0, command.find_last_of('\\') + 1) + "shot-helper.exe\" watch";
    for (const LONG n : {area.left, area.top, area.right - area.left, area.bottom - area.top}) {
      command += " " + std::to_string(n);
    }
    command += " " + std::to_string(ms);
    for (const auto& picture : pictures) {
      char hash[24];
      std::snprintf(hash, sizeof hash, " %016llx", static_cast<unsigned long long>(screenHash(picture)));
      command += hash;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "scr", 0, temp);
    outputPath_ = temp;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
      CloseHandle(process.hThread);
      process_ = process.hProcess;
    }
    CloseHandle(output);
  }
  ~ScreenWatch() {
    if (process_) {
      TerminateProcess(process_, 3);
      CloseHandle(process_);
    }
    DeleteFileA(outputPath_.c_str());
  }
  ScreenWatch(const ScreenWatch&) = delete;
  ScreenWatch& operator=(const ScreenWatch&) = delete;

  // Serves messages until the helper has read the screen once.
  bool started() {
    while (process_ && changes().empty()) {
      if (MsgWaitForMultipleObjects(1, &process_, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) return false;
      servePending();
    }
    return process_ != nullptr;
  }

  // Serves this thread's messages as the program's loop does, waking only
  // for a message, until the helper has ended; true when it saw what it was
  // given to wait for (or, given nothing, watched its time out).
  bool served() {
    if (!process_) return false;
    while (MsgWaitForMultipleObjects(1, &process_, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
      servePending();
    }
    DWORD code = 1;
    GetExitCodeProcess(process_, &code);
    return code == 0;
  }

  // Each read that differed from the one before (the first too): the
  // performance counter in ms, and the pixels' hash.
  std::vector<std::pair<double, std::uint64_t>> changes() const {
    std::vector<std::pair<double, std::uint64_t>> seen;
    FILE* file = std::fopen(outputPath_.c_str(), "r");
    if (!file) return seen;
    double at = 0;
    unsigned long long hash = 0;
    while (std::fscanf(file, "%lf %llx", &at, &hash) == 2) seen.emplace_back(at, hash);
    std::fclose(file);
    return seen;
  }

 private:
  // The messages waiting now; a quit message is left for the caller's loop.
  static void servePending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  HANDLE process_ = nullptr;
  std::string outputPath_;
};

}  // namespace rovenza::test
