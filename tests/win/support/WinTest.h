#pragma once
// Helpers for the window tests: start the program's own windows, pump
// messages until a condition holds, and find windows and controls.
#include <windows.h>

#include <functional>
#include <string>

namespace rovenza::test {

// Pumps this thread's messages until `condition` is true or `timeoutMs` has
// passed; returns the condition's last value. Never sleeps blindly: it waits
// for messages with MsgWaitForMultipleObjects in short slices.
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Pumps whatever is queued now (and what that causes) without waiting. A
// quit message taken here is recorded, not acted on.
void pumpPending();

// wParam of the last quit message the pumps took, or -1 if none since the
// last reset.
long long quitCode();
void resetQuitCode();

// Runs the program's start-up, as the process entry does, and ends it again
// through the main window's destruction (the release sequence). The splash is
// closed by `closeSplash`.
class ProgramSession {
 public:
  ProgramSession();
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  HWND main() const { return main_; }
  // Ends the splash window, as its close request does, and waits until it is gone.
  void closeSplash();
  // Destroys the main window and pumps until the quit message has been posted
  // and taken; the process state is reset for the next session.
  void end();

 private:
  void waitForQuit();

  HWND main_ = nullptr;
  bool ended_ = false;
};

std::string windowText(HWND window);
std::string className(HWND window);
RECT windowRect(HWND window);
RECT clientRect(HWND window);

// Finds a top-level window of this process by its exact title (CP932 bytes);
// null if none (within `timeoutMs`, pumping meanwhile).
HWND findTopLevel(const std::string& title, DWORD timeoutMs = 0);

// Absolute path of a file in the source tree (tests use the committed demo
// pictures), as a Windows path.
std::string sourcePath(const std::string& relative);

// A fresh empty folder under the temporary folder, deleted with its files
// when the object goes.
class TempFolder {
 public:
  TempFolder();
  // A new folder inside `parent`, which must exist.
  explicit TempFolder(const std::string& parent);
  ~TempFolder();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

}  // namespace rovenza::test
