#pragma once
// A hidden, sorted list box that lists the file names of a frame folder. It
// does not own its window.
#include <windows.h>

#include <string>

namespace rovenza {

class FileListBox {
 public:
  void setHandle(HWND window) { window_ = window; }
  HWND handle() const { return window_; }

  void clear() const;
  // Adds the bare names of the files matching `pattern` (a folder, "\" and a
  // wildcard name) through the list-box directory fill of the list's parent
  // window: files only, no folders, no drives. The list's own sorting orders
  // them without regard to letter case. The process's current folder is kept
  // (the directory fill would otherwise move it into the listed folder and
  // hold that folder open). False when the folder cannot be listed.
  bool addFiles(const std::string& pattern) const;
  int count() const;                      // an error reads as 0
  std::string item(int position) const;  // empty outside the list

 private:
  HWND window_ = nullptr;
};

}  // namespace rovenza
