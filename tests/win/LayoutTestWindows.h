#pragma once
// Helpers of the layout window tests: finding this thread's windows without
// pumping (for steps that run inside a modal loop), reading and closing
// message boxes, and reading files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "layout/LayoutMessages.h"
#include "support/Files.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza::test {

struct FoundWindow {
  const std::string* title;
  HWND window;
};

inline BOOL CALLBACK matchWindowTitle(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FoundWindow*>(param);
  if (IsWindowVisible(window) && windowText(window) == *find->title) {
    find->window = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of this thread with the exact title, or null.
// Never pumps messages.
inline HWND threadWindow(const std::string& title) {
  FoundWindow find{&title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), matchWindowTitle, reinterpret_cast<LPARAM>(&find));
  return find.window;
}

// What a message box showed.
struct MessageBoxSeen {
  HWND owner = nullptr;
  std::string text;
  bool hadErrorIcon = false;
  bool seen = false;
};

// Reads a message box (its text is the static 0xFFFF) and presses its OK.
inline void readAndCloseMessageBox(HWND box, MessageBoxSeen& seen) {
  seen.seen = true;
  seen.owner = GetWindow(box, GW_OWNER);
  seen.text = windowText(GetDlgItem(box, 0xFFFF));
  // The icon static holds the system's error icon.
  const HICON error = LoadIconA(nullptr, IDI_HAND);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == error) seen.hadErrorIcon = true;
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

// Runs `action`, which is expected to show a message box captioned
// "読み込みエラー" (from within a modal loop), reads the box and closes it.
inline MessageBoxSeen expectLayoutErrorBox(const std::function<void()>& action) {
  MessageBoxSeen seen;
  ModalDriver driver({waitFor([&] {
    HWND box = threadWindow(kLayoutErrorCaption);
    if (box) readAndCloseMessageBox(box, seen);
    return box != nullptr;
  })});
  action();
  EXPECT_TRUE(driver.finished()) << driver.status();
  return seen;
}

// The system's own text for an error code, as the program formats it.
inline std::string systemText(DWORD error) {
  char text[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text - 1, nullptr);
  return text;
}

// Names of the files in a folder.
inline std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

// The steps that type `name` into the file dialog titled `title` and press
// its OK, from within the dialog's loop.
inline std::vector<ModalDriver::Step> typeFileName(const std::string& title, const std::string& name) {
  return {waitFor([title] { return threadWindow(title) != nullptr; }),
          doOnce([title, name] {
            HWND dialog = threadWindow(title);
            HWND combo = GetDlgItem(dialog, 0x47C);
            HWND edit = GetDlgItem(dialog, 0x480);
            if (!edit && combo) edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
            if (!edit && combo) edit = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
            SetWindowTextA(edit, name.c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          })};
}

}  // namespace rovenza::test
