#include "support/ModalDriver.h"

#include <utility>

namespace rovenza::test {

namespace {
// Thread timers carry no context; the window tests run one driver at a time.
ModalDriver* activeDriver = nullptr;
constexpr UINT kTickMs = 10;
}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps, DWORD timeoutMs)
    : steps_(std::move(steps)), deadline_(GetTickCount64() + timeoutMs) {
  activeDriver = this;
  if (!steps_.empty()) timer_ = SetTimer(nullptr, 0, kTickMs, onTick);
}

ModalDriver::~ModalDriver() {
  stop();
  if (activeDriver == this) activeDriver = nullptr;
}

std::string ModalDriver::status() const {
  if (finished()) return "finished";
  return std::string(gaveUp_ ? "gave up on step " : "still on step ") + std::to_string(next_);
}

void CALLBACK ModalDriver::onTick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeDriver) activeDriver->tick();
}

void ModalDriver::tick() {
  if (inTick_ || finished() || gaveUp_) return;
  inTick_ = true;
  while (!finished() && steps_[next_]()) ++next_;
  if (finished()) {
    stop();
  } else if (GetTickCount64() >= deadline_) {
    gaveUp_ = true;
    stop();
    PostQuitMessage(kGaveUp);
  }
  inTick_ = false;
}

void ModalDriver::stop() {
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
}

ModalDriver::Step waitFor(std::function<bool()> condition) { return condition; }

ModalDriver::Step doOnce(std::function<void()> action) {
  return [action = std::move(action)] {
    action();
    return true;
  };
}

}  // namespace rovenza::test
