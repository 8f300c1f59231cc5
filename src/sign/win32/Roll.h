#pragma once
// Moving a sign to the frame in its number display, and stopping it.
#include <windows.h>

#include <cstdint>

namespace rovenza {

// What "ON" asks of a sign: the frame to go to and, for a roll-film sign, the
// pauses of its roll.
struct RollRequest {
  int sign = 0;  // 0 = 1st sign, 1 = 2nd sign
  std::int32_t targetFrame = 0;
  std::int32_t speed = 0;     // pause per step, ms
  std::int32_t interval = 0;  // pause at each frame boundary, ms
};

// Told when a roll-film sign starts to roll and when it stands still again
// (its roll ended, or the sign went back home). Called on the user-interface
// thread.
class RollListener {
 public:
  virtual void rollStarted(int sign) = 0;
  virtual void rollStopped(int sign) = 0;

 protected:
  ~RollListener() = default;
};

// The one listener (the operation panel); null for none.
void setRollListener(RollListener* listener);

// Rolls a roll-film sign to the frame (its speed and interval go into the
// layout), or switches an LED sign to it. A roll-film sign that is rolling,
// and a hidden 2nd sign, do nothing.
void startRoll(const RollRequest& request);
// The same for a sign without a panel of its own (a vehicle's further face):
// at the speed and interval its layout holds.
void startRollAtLayoutPace(int sign, std::int32_t targetFrame);
// Stops the sign at once and puts it back at frame 0.
void returnSignHome(int sign);
bool isRollRunning(int sign);
// False while either sign's roll thread runs: a command must then do nothing.
bool rollBusyGuard();

// Stops the sign's roll thread, or its LED frame's animation, at once (a
// roll thread's exit status becomes 1 or 2); no
// step of it draws or moves the sign after this returns: the sign window
// stands where the roll drew the strip last. It does not tell the listener
// that the sign stands still. Used by reset and exit. It waits for a step the
// roll thread is drawing, then wakes the thread from its pause and waits for
// it to end, answering the messages it sends to this thread meanwhile (each
// one with "stopped").
void stopRoll(int sign);

// Body of a roll thread for the sign (0 or 1); returns the sign's exit status.
DWORD rollThreadMain(int sign);

// The user-interface side of a roll, run by the sign window when the roll
// thread asks for it: a step the roll thread left to this thread, the sign
// window following the steps the roll thread drew itself, and the roll's end.
// `serial` names the roll; a stopped, ended or replaced roll gets false and
// nothing changes.
bool applyRollStep(int sign, std::uint32_t serial, std::int32_t offset);
void followRoll(int sign, std::uint32_t serial);
void finishRoll(int sign, std::uint32_t serial);

// A paint of the sign's clip window or sign window (`window`) while a roll
// runs: draws the whole opening as the roll drew it last, wherever the sign
// window stands (it may lag behind the steps), and validates `window`. False,
// with nothing done, when no roll runs or the opening cannot be drawn that
// way: the window then paints itself.
bool paintRollOpening(int sign, HWND window);

}  // namespace rovenza
