#pragma once
// An owner of a COM interface pointer, and COM for the calling thread.
#include <objbase.h>

namespace rovenza {

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

// Releases a COM interface pointer when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T** out() { return &pointer_; }
  void** outVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  T* pointer_ = nullptr;
};

}  // namespace rovenza
