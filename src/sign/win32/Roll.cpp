#include "sign/win32/Roll.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/Scoped.h"
#include "sign/RollPacer.h"
#include "sign/RollPlan.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/RollClock.h"
#include "sign/win32/RollJob.h"
#include "sign/win32/SignWindow.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// How long a stop waits for a woken roll thread to end. It ends at once; the
// limit only keeps a fault elsewhere from freezing the program. A stopped
// roll cannot move the sign either way: its steps are refused on this thread.
constexpr DWORD kStopWaitMs = 5000;

std::uint32_t lastSerial = 0;  // user-interface thread only
RollListener* rollListener = nullptr;

DWORD exitCodeOf(int sign) { return static_cast<DWORD>(sign + 1); }

// Draws the opening as it looks with the sign window at y: the strip where it
// covers the clip window, the clip window's white around it. The same pixels
// the two windows paint themselves, without a paint cycle per pixel step.
// False when there is nothing to draw this way.
bool drawOpening(int sign, std::int32_t y) {
  HBITMAP picture = app.signStates[sign].picture.get();
  HWND clip = clipOf(sign).handle();
  BITMAP info{};
  if (!picture || !GetObjectA(picture, sizeof info, &info)) return false;
  // Children not clipped away: the sign window's part of the opening is drawn too.
  WindowDC dc(clip, DCX_CACHE);
  if (!dc.get()) return false;
  RECT client{};
  GetClientRect(clip, &client);
  const int top = std::max<int>(0, y);
  const int bottom = std::min<int>(client.bottom, y + info.bmHeight);
  const int right = std::min<int>(client.right, info.bmWidth);
  const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT around[] = {{0, 0, client.right, std::min<int>(top, client.bottom)},
                         {0, std::max<int>(bottom, 0), client.right, client.bottom},
                         {right, top, client.right, bottom}};
  for (const RECT& r : around) {
    if (r.right > r.left && r.bottom > r.top) FillRect(dc.get(), &r, white);
  }
  if (bottom > top && right > 0) {
    MemoryDC memory(dc.get());
    SelectGuard select(memory.get(), picture);
    BitBlt(dc.get(), 0, top, right, bottom - top, memory.get(), 0, top - y, SRCCOPY);
  }
  return true;
}

// A roll draws every step into the opening at once, but moves the sign window
// itself at most once per kWindowLagMicros: under Wine a window move costs
// about as much as everything else in a step. The window catches up on a
// timer, before the roll's end or stop is handled, and whenever the steps
// come slower than that. Until then a repaint of the opening would show the
// sign where the window last stood, for less than that time.
constexpr std::int64_t kWindowLagMicros = 16000;
constexpr UINT_PTR kCatchUpTimer = 0x524F;  // on the sign window

struct WindowLag {
  bool behind = false;           // the sign window is not yet at stripOffset
  std::int64_t lastMove = 0;     // performance counter microseconds
};
WindowLag windowLag[2];          // user-interface thread only

void placeSignWindow(int sign, std::int32_t y) {
  setSignWindowOffset(sign, y, SWP_NOREDRAW | SWP_NOCOPYBITS);
  windowLag[sign].lastMove = performanceMicros();
}

// Forgets that the sign window lags behind; true when it did.
bool clearLag(int sign) {
  WindowLag& lag = windowLag[sign];
  if (!lag.behind) return false;
  lag.behind = false;
  KillTimer(signWindowOf(sign).handle(), kCatchUpTimer);
  return true;
}

// Puts a sign window that lags behind its roll where the roll has drawn it.
void catchUpSignWindow(int sign) {
  if (clearLag(sign)) placeSignWindow(sign, app.signStates[sign].stripOffset);
}

void CALLBACK onCatchUpTimer(HWND window, UINT, UINT_PTR, DWORD) {
  for (int sign = 0; sign < 2; ++sign) {
    if (signWindowOf(sign).handle() == window) catchUpSignWindow(sign);
  }
}

// Moves the sign window to y inside its clip window, repainting at once.
void moveSignWindow(int sign, std::int32_t y) {
  clearLag(sign);
  setSignWindowOffset(sign, y);
  // Draws the sign window, and whatever the move uncovered in its clip window.
  UpdateWindow(clipOf(sign).handle());
}

// One step of a roll: the opening shows the sign at y at once. `waiting` is
// what otherWorkWaiting reported.
void showRollStep(int sign, std::int32_t y, UINT waiting) {
  HWND window = signWindowOf(sign).handle();
  // A paint still waiting (the clip window resized, say) goes first, so that
  // it cannot cover the opening drawn here afterwards.
  if (waiting & QS_PAINT) UpdateWindow(clipOf(sign).handle());
  if (!IsWindowVisible(window) || !drawOpening(sign, y)) {
    moveSignWindow(sign, y);
    return;
  }
  WindowLag& lag = windowLag[sign];
  if (performanceMicros() - lag.lastMove >= kWindowLagMicros) {
    clearLag(sign);
    placeSignWindow(sign, y);
    return;
  }
  if (!lag.behind) {
    lag.behind = true;
    SetTimer(window, kCatchUpTimer, static_cast<UINT>(kWindowLagMicros / 1000), onCatchUpTimer);
  }
}

// While the user-interface thread has other work waiting, no roll sends a
// step before this time (performance counter microseconds). Steps of two
// rolls at speed 0 would otherwise follow each other so closely that the
// thread answered nothing else: a sent message goes before every posted
// message and all input.
std::atomic<std::int64_t> stepsResumeAt{0};
constexpr std::int64_t kStepGapMicros = 1000;

// What this thread has waiting besides the steps: input, posted messages,
// paints, timers.
UINT otherWorkWaiting() { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_TIMER | QS_HOTKEY)); }

// Each step is carried out by the sign window on the user-interface thread;
// the roll thread waits for it, so a step is drawn before its pause begins.
class SignStepper : public RollStepper {
 public:
  SignStepper(const RollJob& job, Clock& clock) : job_(job), clock_(clock) {}
  bool showStep(std::int32_t offset) override {
    const std::int64_t resumeAt = stepsResumeAt.load();
    if (resumeAt > clock_.now() && !clock_.waitUntil(resumeAt)) return false;
    // 0 when the roll was stopped, or when the window is gone.
    return SendMessageA(job_.signWindow, kRollStepMessage, job_.serial, static_cast<LPARAM>(offset)) != 0;
  }

 private:
  const RollJob& job_;
  Clock& clock_;
};

DWORD WINAPI firstSignRoll(LPVOID) { return rollThreadMain(0); }
DWORD WINAPI secondSignRoll(LPVOID) { return rollThreadMain(1); }

// The sign's current roll if `serial` names it and it has not been stopped.
RollJob* liveRoll(int sign, std::uint32_t serial) {
  if (!validSign(sign)) return nullptr;
  RollJob* job = app.signStates[sign].roll.get();
  if (!job || job->serial != serial || job->cancelled) return nullptr;
  return job;
}

// Waits for a stopped roll thread to end, answering the messages it sends
// meanwhile (a step it is sending would otherwise wait for this thread, and
// this thread for it). Other input stays queued.
void waitForRollEnd(HANDLE thread) {
  const ULONGLONG giveUp = GetTickCount64() + kStopWaitMs;
  for (;;) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const ULONGLONG now = GetTickCount64();
    if (now >= giveUp) return;
    const DWORD result =
        MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(giveUp - now), QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) return;
  }
}

void startRollThread(int sign) {
  SignState& state = app.signStates[sign];
  const SignSpec& signSpec = app.layout.signs[sign];
  auto job = std::make_shared<RollJob>();
  job->sign = sign;
  job->serial = ++lastSerial;
  job->signWindow = signWindowOf(sign).handle();
  job->plan = planRoll(state.currentFrame, state.targetFrame, clipOf(sign).height());
  job->startOffset = state.stripOffset;
  job->targetFrame = state.targetFrame;
  job->pauses = RollPauses{signSpec.speed, signSpec.interval};
  job->cancelEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  attachSignWindow(sign);

  // The previous roll has ended (a running one refuses a start).
  if (state.rollThread) CloseHandle(state.rollThread);
  state.rollThread = nullptr;
  std::atomic_store(&state.roll, job);
  // Without its event the roll could not be stopped: it does not start, and
  // the group stays disabled as when the thread cannot be created.
  if (!job->cancelEvent.valid()) return;
  state.rollThread = CreateThread(nullptr, 0, sign == 0 ? firstSignRoll : secondSignRoll, nullptr, 0, nullptr);
}

}  // namespace

void setRollListener(RollListener* listener) { rollListener = listener; }

bool isRollRunning(int sign) {
  if (!validSign(sign)) return false;
  SignState& state = app.signStates[sign];
  DWORD code = 0;
  if (state.rollThread && GetExitCodeThread(state.rollThread, &code)) state.rollExitCode = code;
  return state.rollExitCode == STILL_ACTIVE;
}

bool rollBusyGuard() {
  if (isRollRunning(0)) return false;
  if (isRollRunning(1)) return false;
  return true;
}

void startRoll(const RollRequest& request) {
  const int sign = request.sign;
  if (!validSign(sign)) return;
  SignState& state = app.signStates[sign];
  SignSpec& signSpec = app.layout.signs[sign];

  if (signSpec.kind == static_cast<std::uint8_t>(SignKind::Led)) {
    state.targetFrame = request.targetFrame;
    // A folder path left empty names no folder: the sign stays as it is.
    if (!signSpec.picturePath.empty()) showLedFrameNumber(sign, state.targetFrame);
    return;
  }
  if (sign == 1 && signSpec.kind == static_cast<std::uint8_t>(SignKind::Hidden)) return;
  if (isRollRunning(sign)) return;

  state.targetFrame = request.targetFrame;
  signSpec.speed = request.speed;
  signSpec.interval = request.interval;
  if (rollListener) rollListener->rollStarted(sign);
  startRollThread(sign);
}

void stopRoll(int sign) {
  if (!validSign(sign)) return;
  SignState& state = app.signStates[sign];
  if (RollJob* job = state.roll.get()) {
    // From here on the sign window refuses this roll's steps and its end.
    job->cancelled = true;
    if (job->cancelEvent.valid()) SetEvent(job->cancelEvent.get());
  }
  if (state.rollThread) waitForRollEnd(state.rollThread);
  catchUpSignWindow(sign);
}

void returnSignHome(int sign) {
  if (!validSign(sign)) return;
  stopRoll(sign);
  if (rollListener) rollListener->rollStopped(sign);
  moveSignWindow(sign, 0);
  RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SignState& state = app.signStates[sign];
  state.stripOffset = 0;
  state.targetFrame = 0;
  state.currentFrame = 0;
}

DWORD rollThreadMain(int sign) {
  const std::shared_ptr<RollJob> job = std::atomic_load(&app.signStates[sign].roll);
  if (!job) return exitCodeOf(sign);
  TimerResolution resolution;
  RollClock clock(job->cancelEvent.get());
  SignStepper stepper(*job, clock);
  if (runRoll(job->plan, job->startOffset, job->pauses, stepper, clock) == RollEnd::Finished) {
    SendMessageA(job->signWindow, kRollEndMessage, job->serial, 0);
  }
  return exitCodeOf(sign);
}

bool applyRollStep(int sign, std::uint32_t serial, std::int32_t offset) {
  if (!liveRoll(sign, serial)) return false;
  app.signStates[sign].stripOffset = offset;
  const UINT waiting = otherWorkWaiting();
  showRollStep(sign, offset, waiting);
  if (waiting) stepsResumeAt.store(performanceMicros() + kStepGapMicros);
  return true;
}

void finishRoll(int sign, std::uint32_t serial) {
  RollJob* job = liveRoll(sign, serial);
  if (!job) return;
  catchUpSignWindow(sign);
  if (job->plan.writesFrame) app.signStates[sign].currentFrame = static_cast<std::int16_t>(job->targetFrame);
  if (rollListener) rollListener->rollStopped(sign);
}

}  // namespace rovenza
