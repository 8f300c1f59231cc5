#pragma once
// Scoped owners of Win32 handles: each releases its handle exactly once, when
// it goes out of scope, unless the handle was released to another owner.
#include <windows.h>

#include <utility>

namespace rovenza {

// A GDI object (bitmap, brush, font, pen, region) deleted with DeleteObject.
template <typename H>
class ScopedGdi {
 public:
  ScopedGdi() = default;
  explicit ScopedGdi(H handle) : handle_(handle) {}
  ~ScopedGdi() { reset(); }
  ScopedGdi(const ScopedGdi&) = delete;
  ScopedGdi& operator=(const ScopedGdi&) = delete;
  ScopedGdi(ScopedGdi&& other) noexcept : handle_(other.release()) {}
  ScopedGdi& operator=(ScopedGdi&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H release() { return std::exchange(handle_, nullptr); }
  void reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedFont = ScopedGdi<HFONT>;
using ScopedRegion = ScopedGdi<HRGN>;
using ScopedPen = ScopedGdi<HPEN>;

// A kernel handle closed with CloseHandle (null and INVALID_HANDLE_VALUE are
// both "no handle").
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE release() { return std::exchange(handle_, nullptr); }
  void reset(HANDLE handle = nullptr) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  // GetDCEx with explicit flags (the window's own clipping styles are not used
  // unless DCX_USESTYLE is among them).
  WindowDC(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint around a WM_PAINT handler.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects a GDI object into a device context and selects the previous one
// back when it goes out of scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Replaces the bitmap held in `slot`, deleting the old one first: every
// bitmap has exactly one owner.
inline void replaceBitmap(HBITMAP& slot, HBITMAP next) {
  if (slot && slot != next) DeleteObject(slot);
  slot = next;
}

}  // namespace rovenza
