#pragma once
// An owner of a COM interface pointer.
namespace rovenza {

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
