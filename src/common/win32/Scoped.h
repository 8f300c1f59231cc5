#pragma once
// Scoped owners of Win32 handles: each releases its handle exactly once, when
// it goes out of scope, unless the handle was released to another owner.
#include <windows.h>
// After windows.h.
#include <objbase.h>

#include <utility>

namespace rovenza {

// Owns one handle and releases it with `Release` exactly once: when the
// owner goes, or when reset gives it another handle. release() hands the
// handle to whoever takes it over (the clipboard, a window) without releasing
// it. Putting a handle back into the owner that holds it keeps it.
template <typename H, typename Release>
class ScopedOwner {
 public:
  ScopedOwner() = default;
  explicit ScopedOwner(H handle) : handle_(handle) {}
  ~ScopedOwner() { reset(); }
  ScopedOwner(const ScopedOwner&) = delete;
  ScopedOwner& operator=(const ScopedOwner&) = delete;
  ScopedOwner(ScopedOwner&& other) noexcept : handle_(other.release()) {}
  ScopedOwner& operator=(ScopedOwner&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  H get() const { return handle_; }
  // Whether it holds a handle it would release.
  bool valid() const { return Release::holds(handle_); }
  explicit operator bool() const { return valid(); }
  H release() { return std::exchange(handle_, nullptr); }
  // Releases what it holds and gives the place a function fills with a new
  // handle (an out parameter).
  H* receive() {
    reset();
    return &handle_;
  }
  void reset(H handle = nullptr) {
    if (valid() && handle_ != handle) Release()(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

struct DeleteGdiObject {
  static bool holds(HGDIOBJ object) { return object != nullptr; }
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  static bool holds(HICON icon) { return icon != nullptr; }
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
// Null and INVALID_HANDLE_VALUE are both "no handle".
struct CloseKernelHandle {
  static bool holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

struct CloseFindHandle {
  static bool holds(HANDLE find) { return find != nullptr && find != INVALID_HANDLE_VALUE; }
  void operator()(HANDLE find) const { FindClose(find); }
};

struct UnmapFileView {
  static bool holds(const void* view) { return view != nullptr; }
  void operator()(const void* view) const { UnmapViewOfFile(view); }
};
struct DestroyMenuHandle {
  static bool holds(HMENU menu) { return menu != nullptr; }
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct FreeGlobalBlock {
  static bool holds(HGLOBAL block) { return block != nullptr; }
  void operator()(HGLOBAL block) const { GlobalFree(block); }
};
struct ReleaseInterface {
  template <typename T>
  static bool holds(T* pointer) {
    return pointer != nullptr;
  }
  template <typename T>
  void operator()(T* pointer) const {
    pointer->Release();
  }
};
struct DeleteMemoryDC {
  static bool holds(HDC dc) { return dc != nullptr; }
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// A GDI object (bitmap, brush, font, pen, region) deleted with DeleteObject.
template <typename H>
using ScopedGdi = ScopedOwner<H, DeleteGdiObject>;

using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedFont = ScopedGdi<HFONT>;
using ScopedRegion = ScopedGdi<HRGN>;
using ScopedPen = ScopedGdi<HPEN>;

// An icon loaded with LoadImage, destroyed with DestroyIcon.
using ScopedIcon = ScopedOwner<HICON, DestroyIconHandle>;

// A kernel handle closed with CloseHandle.
using ScopedHandle = ScopedOwner<HANDLE, CloseKernelHandle>;

// A folder listing from FindFirstFile, closed with FindClose.
using ScopedFind = ScopedOwner<HANDLE, CloseFindHandle>;

// A view of a file mapped with MapViewOfFile, unmapped when it goes.
using ScopedFileView = ScopedOwner<const void*, UnmapFileView>;

// A menu bar or popup from CreateMenu/CreatePopupMenu, destroyed with
// DestroyMenu (a popup still inside a bar goes with the bar: take it out, or
// release() it, first).
using ScopedMenu = ScopedOwner<HMENU, DestroyMenuHandle>;

// A global memory block from GlobalAlloc, freed with GlobalFree unless handed
// over (to a stream that frees it itself, say) by release().
using ScopedGlobal = ScopedOwner<HGLOBAL, FreeGlobalBlock>;

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

// A COM interface pointer, released with Release().
template <typename T>
class ComRef : public ScopedOwner<T*, ReleaseInterface> {
 public:
  T* operator->() const { return this->get(); }
  T** out() { return this->receive(); }
  void** outVoid() { return reinterpret_cast<void**>(this->receive()); }
};

// COM for the calling thread for as long as it lives, unless the thread has
// it already (in either model): LED frames are decoded on the roll threads,
// the sign maker encodes on the user-interface thread.
class ComForThread {
 public:
  ComForThread() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComForThread() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComForThread(const ComForThread&) = delete;
  ComForThread& operator=(const ComForThread&) = delete;

 private:
  HRESULT result_;
};

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC : public ScopedOwner<HDC, DeleteMemoryDC> {
 public:
  explicit MemoryDC(HDC compatibleWith) : ScopedOwner(CreateCompatibleDC(compatibleWith)) {}
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

}  // namespace rovenza
