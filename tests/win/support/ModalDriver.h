#pragma once
// Drives a modal window from inside its nested message loop. runModalWindow
// (and the commands that call it) only return when the window has ended, so a
// test lays out its steps first: a thread timer runs them one after another
// from within the loop, each step on every tick until it returns true.
//
// Steps run inside the loop's DispatchMessage: they may send messages and post
// them, but must not pump messages themselves (a pump would take the quit
// message that ends the loop).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace rovenza::test {

class ModalDriver {
 public:
  using Step = std::function<bool()>;

  // Starts ticking at once. If the steps have not all finished after
  // `timeoutMs`, the driver gives up: it records the step it was on, ends the
  // nested loop with the quit code kGaveUp and stops.
  explicit ModalDriver(std::vector<Step> steps, DWORD timeoutMs = 20000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  static constexpr int kGaveUp = -7777;

  bool finished() const { return next_ == steps_.size(); }
  bool gaveUp() const { return gaveUp_; }
  // Index of the step the driver is on (the count when all have finished).
  std::size_t step() const { return next_; }
  // "finished" or the number of the step it gave up on, for test messages.
  std::string status() const;

 private:
  static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD);
  void tick();
  void stop();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool gaveUp_ = false;
  bool inTick_ = false;
  ULONGLONG deadline_ = 0;
  UINT_PTR timer_ = 0;
};

// A step that waits until `condition` holds.
ModalDriver::Step waitFor(std::function<bool()> condition);
// A step that does `action` once.
ModalDriver::Step doOnce(std::function<void()> action);

}  // namespace rovenza::test
