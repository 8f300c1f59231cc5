#pragma once
// A hidden, sorted list box that lists the file names of a frame folder.
#include <windows.h>

namespace rovenza {

class FileListBox {
 public:
  void setHandle(HWND window) { window_ = window; }
  HWND handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace rovenza
