#include "sign/win32/Roll.h"

#include <atomic>
#include <memory>

#include "common/win32/Scoped.h"
#include "sign/FilmLook.h"
#include "sign/RollPacer.h"
#include "sign/RollPlan.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Opening.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/RollClock.h"
#include "sign/win32/RollJob.h"
#include "sign/win32/SignLook.h"
#include "sign/win32/SignWindow.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// How long a stop waits for a woken roll thread to end. It ends at once; the
// limit only keeps a fault elsewhere from freezing the program. A stopped
// roll cannot move the sign either way: it is cancelled under the opening
// lock, and its messages are refused on this thread.
constexpr DWORD kStopWaitMs = 5000;

std::uint32_t lastSerial = 0;  // user-interface thread only
RollListener* rollListener = nullptr;

DWORD exitCodeOf(int sign) { return static_cast<DWORD>(sign + 1); }

// A roll draws every step into the opening at once, but moves the sign window
// itself at most once per kWindowLagMicros: under Wine a window move costs
// about as much as everything else in a step. The window catches up on a
// timer, before the roll's end or stop is handled, and whenever the steps
// come slower than that. Meanwhile a paint of the opening draws it as the
// roll drew it last, not where the window stands (paintRollOpening).
constexpr std::int64_t kWindowLagMicros = 16000;
constexpr UINT_PTR kCatchUpTimer = 0x524F;  // on the sign window

struct WindowLag {
  bool behind = false;           // the sign window is not yet at stripOffset
  std::int64_t lastMove = 0;     // performance counter microseconds
};
WindowLag windowLag[kAllSigns];         // user-interface thread only

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
  for (int sign = 0; sign < kAllSigns; ++sign) {
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

// The sign window follows the opening, drawn with the strip at stripOffset:
// at once when it last moved kWindowLagMicros ago or more, otherwise on the
// catch-up timer.
void followOpening(int sign) {
  WindowLag& lag = windowLag[sign];
  if (performanceMicros() - lag.lastMove >= kWindowLagMicros) {
    clearLag(sign);
    placeSignWindow(sign, app.signStates[sign].stripOffset);
    return;
  }
  if (!lag.behind) {
    lag.behind = true;
    SetTimer(signWindowOf(sign).handle(), kCatchUpTimer, static_cast<UINT>(kWindowLagMicros / 1000), onCatchUpTimer);
  }
}

// One step of a roll carried out on this thread: the opening shows the sign
// at y at once. `waiting` is what otherWorkWaiting reported. False when the
// roll was stopped.
bool showRollStep(int sign, RollJob& job, std::int32_t y, UINT waiting) {
  HWND clip = clipOf(sign).handle();
  // A paint still waiting (the clip window resized, say) goes first, so that
  // it cannot cover the opening drawn here afterwards.
  if (waiting & QS_PAINT) UpdateWindow(clip);
  bool drawn = false;
  {
    OpeningLock lock(sign);
    if (job.cancelled) return false;
    job.drawnOffset = y;
    drawn = IsWindowVisible(signWindowOf(sign).handle()) && drawOpening(sign, SignKind::RollFilm, clip, y);
  }
  app.signStates[sign].stripOffset = y;
  if (drawn) {
    followOpening(sign);
  } else {
    moveSignWindow(sign, y);
  }
  return true;
}

// Ends the roll's hold on the opening: nothing of it is drawn or carried out
// after this, and the sign window stands where the roll drew the strip last,
// so that the windows paint the opening as it is.
void settleRoll(int sign, RollJob& job) {
  std::int32_t y = 0;
  {
    OpeningLock lock(sign);
    job.cancelled = true;
    y = job.drawnOffset;
  }
  clearLag(sign);
  app.signStates[sign].stripOffset = y;
  placeSignWindow(sign, y);
  // A roll stopped while the film ran fast left it blurred: standing
  // still, the opening is painted sharp.
  if (signLookOn()) RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
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

enum class StepHere { Drawn, Stopped, LeftToWindow };

// Draws a step into the opening from the roll thread. A step is left to the
// sign window when the window is hidden or its picture is none this thread
// can draw from. A paint of the opening on the user-interface thread needs no
// turn first: it draws the opening as the roll drew it last (paintRollOpening).
// `blurRows`: the motion blur of the signs' look.
StepHere drawStepHere(RollJob& job, std::int32_t offset, int blurRows) {
  OpeningLock lock(job.sign);
  if (job.cancelled) return StepHere::Stopped;
  if (!IsWindowVisible(job.signWindow)) return StepHere::LeftToWindow;
  if (!drawOpening(job.sign, SignKind::RollFilm, job.clipWindow, offset, blurRows)) return StepHere::LeftToWindow;
  job.drawnOffset = offset;
  return StepHere::Drawn;
}

// Each step is drawn before its pause begins: by the roll thread itself,
// which then asks the sign window to follow (one request at a time), or by
// the sign window on the user-interface thread, which the roll thread waits
// for.
class SignStepper : public RollStepper {
 public:
  SignStepper(RollJob& job, Clock& clock) : job_(job), clock_(clock) {}
  // The motor sounds from the first step shown and lands with the last.
  bool showStep(std::int32_t offset) override {
    if (!drawStep(offset, rollStepBlur(job_.plan, job_.pauses, shown_ + 1))) return false;
    soundRollStepped(job_.sign, ++shown_, job_.plan.steps);
    return true;
  }

 private:
  bool drawStep(std::int32_t offset, int blurRows) {
    const std::int64_t resumeAt = stepsResumeAt.load();
    if (resumeAt > clock_.now() && !clock_.waitUntil(resumeAt)) return false;
    switch (drawStepHere(job_, offset, blurRows)) {
      case StepHere::Stopped:
        return false;
      case StepHere::Drawn:
        // The step reaches the screen when the clip window's thread next
        // comes back to its loop, whether or not the sign window moves now.
        publishOpening(job_.sign, job_.clipWindow);
        if (!job_.movePosted.exchange(true) &&
            !PostMessageA(job_.signWindow, kRollMovedMessage, job_.serial, 0)) {
          job_.movePosted = false;
        }
        return true;
      case StepHere::LeftToWindow:
        break;
    }
    // 0 when the roll was stopped, or when the window is gone.
    return SendMessageA(job_.signWindow, kRollStepMessage, job_.serial, static_cast<LPARAM>(offset)) != 0;
  }

  RollJob& job_;
  Clock& clock_;
  std::int64_t shown_ = 0;  // steps shown so far
};

DWORD WINAPI signRollThread(LPVOID sign) { return rollThreadMain(static_cast<int>(reinterpret_cast<INT_PTR>(sign))); }

// The sign's current roll if `serial` names it and it has not been stopped.
RollJob* liveRoll(int sign, std::uint32_t serial) {
  if (!validAnySign(sign)) return nullptr;
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
  const SignSpec& signSpec = signSpecOf(sign);
  auto job = std::make_shared<RollJob>();
  job->sign = sign;
  job->serial = ++lastSerial;
  job->signWindow = signWindowOf(sign).handle();
  job->clipWindow = clipOf(sign).handle();
  job->plan = planRoll(state.currentFrame, state.targetFrame, clipOf(sign).height());
  job->startOffset = state.stripOffset;
  job->drawnOffset = state.stripOffset;
  job->targetFrame = state.targetFrame;
  job->pauses = RollPauses{signSpec.speed, signSpec.interval};
  job->cancelEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  // The sign window hands the roll its picture and takes the roll's messages.
  attachSignWindow(sign);

  // The previous roll has ended (a running one refuses a start).
  state.rollThread.reset();
  std::atomic_store(&state.roll, job);
  // Without its event the roll could not be stopped: it does not start, and
  // the group stays disabled as when the thread cannot be created.
  if (!job->cancelEvent.valid()) return;
  state.rollThread.reset(CreateThread(nullptr, 0, signRollThread, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(sign)), 0, nullptr));
}

}  // namespace

void setRollListener(RollListener* listener) { rollListener = listener; }

bool isRollRunning(int sign) {
  if (!validAnySign(sign)) return false;
  SignState& state = app.signStates[sign];
  DWORD code = 0;
  if (state.rollThread && GetExitCodeThread(state.rollThread.get(), &code)) state.rollExitCode = code;
  return state.rollExitCode == STILL_ACTIVE;
}

bool rollBusyGuard() {
  for (int sign = 0; sign < kAllSigns; ++sign) {
    if (isRollRunning(sign)) return false;
  }
  return true;
}

void startRoll(const RollRequest& request) {
  const int sign = request.sign;
  if (!validAnySign(sign)) return;
  SignState& state = app.signStates[sign];
  SignSpec& signSpec = signSpecOf(sign);

  if (signSpec.kind == static_cast<std::uint8_t>(SignKind::Led)) {
    stopLedAnimation(sign);
    state.targetFrame = request.targetFrame;
    // A folder path left empty names no folder: the sign stays as it is.
    if (!signSpec.picturePath.empty()) showLedFrameNumber(sign, state.targetFrame);
    return;
  }
  // The main window's first sign rolls whatever its kind says; any other
  // hidden sign does not.
  if (sign != 0 && signSpec.kind == static_cast<std::uint8_t>(SignKind::Hidden)) return;
  if (isRollRunning(sign)) return;

  state.targetFrame = request.targetFrame;
  signSpec.speed = request.speed;
  signSpec.interval = request.interval;
  if (rollListener) rollListener->rollStarted(sign);
  startRollThread(sign);
}

void startRollAtLayoutPace(int sign, std::int32_t targetFrame) {
  if (!validAnySign(sign)) return;
  const SignSpec& layoutSign = signSpecOf(sign);
  startRoll(RollRequest{sign, targetFrame, layoutSign.speed, layoutSign.interval});
}

void stopRoll(int sign) {
  if (!validAnySign(sign)) return;
  stopLedAnimation(sign);
  SignState& state = app.signStates[sign];
  RollJob* job = state.roll.get();
  // A roll that has ended or was stopped before has settled already.
  const bool live = job && !job->cancelled;
  if (live) {
    // Waits for a step the roll thread is drawing; from here on no step of
    // this roll is drawn, and the sign window refuses its messages.
    OpeningLock lock(sign);
    job->cancelled = true;
  }
  if (job && job->cancelEvent.valid()) SetEvent(job->cancelEvent.get());
  if (state.rollThread) waitForRollEnd(state.rollThread.get());
  // A stop cuts the motor's sound at once, whatever it was playing.
  soundRollCut(sign);
  if (live) {
    settleRoll(sign, *job);
  } else {
    catchUpSignWindow(sign);
  }
}

void returnSignHome(int sign) {
  if (!validAnySign(sign)) return;
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
  RollJob* job = liveRoll(sign, serial);
  if (!job) return false;
  const UINT waiting = otherWorkWaiting();
  if (!showRollStep(sign, *job, offset, waiting)) return false;
  if (waiting) stepsResumeAt.store(performanceMicros() + kStepGapMicros);
  return true;
}

bool paintRollOpening(int sign, HWND window) {
  if (!validAnySign(sign)) return false;
  RollJob* job = app.signStates[sign].roll.get();
  if (!job || job->cancelled) return false;
  OpeningLock lock(sign);
  if (!drawOpening(sign, SignKind::RollFilm, clipOf(sign).handle(), job->drawnOffset)) return false;
  // The whole opening is drawn: nothing of the window is left to paint.
  ValidateRect(window, nullptr);
  return true;
}

void followRoll(int sign, std::uint32_t serial) {
  RollJob* job = liveRoll(sign, serial);
  if (!job) return;
  // Cleared before the offset is read: a step drawn after this asks again.
  job->movePosted = false;
  app.signStates[sign].stripOffset = job->drawnOffset;
  followOpening(sign);
}

void finishRoll(int sign, std::uint32_t serial) {
  RollJob* job = liveRoll(sign, serial);
  if (!job) return;
  settleRoll(sign, *job);
  if (job->plan.writesFrame) app.signStates[sign].currentFrame = static_cast<std::int16_t>(job->targetFrame);
  if (rollListener) rollListener->rollStopped(sign);
}

}  // namespace rovenza
