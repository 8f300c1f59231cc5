#include "support/WinTest.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>

#include "app/win32/StartUp.h"
#include "state/win32/AppState.h"

namespace rovenza::test {

namespace {
long long lastQuitCode = -1;
}  // namespace

long long quitCode() { return lastQuitCode; }
void resetQuitCode() { lastQuitCode = -1; }

void pumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      lastQuitCode = static_cast<long long>(msg.wParam);
      continue;
    }
    dispatchProgramMessage(msg, nullptr);
  }
}

bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    pumpPending();
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return condition();
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
  }
}

ProgramSession::ProgramSession() {
  resetQuitCode();
  main_ = startUp(GetModuleHandleA(nullptr));
}

ProgramSession::~ProgramSession() { end(); }

void ProgramSession::closeSplash() {
  HWND splash = app.splashWindow;
  if (!splash || !IsWindow(splash)) return;
  PostMessageA(splash, WM_CLOSE, 0, 0);
  pumpUntil([&] { return !IsWindow(splash); }, 15000);
}

void ProgramSession::end() {
  if (ended_) return;
  ended_ = true;
  if (main_ && IsWindow(main_)) {
    DestroyWindow(main_);
    waitForQuit();
  }
  // The program registers its classes once per process; a test process runs
  // the start-up many times, so each session takes its classes away again.
  for (const char* name : {"NORMAL0", "NORMALDLG", "MakBase1", "MakBase2"}) {
    UnregisterClassA(name, GetModuleHandleA(nullptr));
  }
  app = AppState{};
}

void ProgramSession::waitForQuit() {
  // Take the quit message that the release sequence posted, so that it does
  // not end the next session's loop.
  pumpUntil([] { return quitCode() != -1; }, 5000);
}

std::string windowText(HWND window) {
  char buffer[1024] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

std::string className(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

RECT windowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT clientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

namespace {

struct FindTitle {
  const std::string* title;
  HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FindTitle*>(param);
  if (windowText(window) == *find->title) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND findTopLevel(const std::string& title, DWORD timeoutMs) {
  FindTitle find{&title, nullptr};
  pumpUntil(
      [&] {
        EnumThreadWindows(GetCurrentThreadId(), matchTitle, reinterpret_cast<LPARAM>(&find));
        return find.found != nullptr;
      },
      timeoutMs);
  return find.found;
}

std::string sourcePath(const std::string& relative) {
  // The source tree is a Unix path; Wine maps it through the Z: drive.
  std::string path = std::string("Z:") + ROVENZA_SOURCE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

namespace {

std::string temporaryFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  return base;
}

}  // namespace

TempFolder::TempFolder() : TempFolder(temporaryFolder()) {}

TempFolder::TempFolder(const std::string& parent) {
  static int counter = 0;
  const bool separated = !parent.empty() && (parent.back() == '\\' || parent.back() == '/');
  // A folder of that name left by an earlier run that was cut short (process
  // ids come round again) is not this one's: the next number is taken.
  do {
    path_ = parent + (separated ? "" : "\\") + "rovenza-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
  } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

namespace {

// Deletes the folder with everything in it, sub-folders too.
void removeFolder(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeFolder(path + "\\" + name);
      } else {
        DeleteFileA((path + "\\" + name).c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::~TempFolder() { removeFolder(path_); }

}  // namespace rovenza::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
