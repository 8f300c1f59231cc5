#pragma once
// Moving a sign to the frame in its number display, and stopping it.
#include <windows.h>

#include <cstdint>

namespace rovenza {

void rollSign(int sign);   // "ON": roll a roll-film sign, switch an LED sign
void resetSign(int sign);  // "強": stop at once and go back to frame 0
bool isRollRunning(int sign);
void setPanelGroupEnabled(int sign, bool enabled);

// Stops the sign's roll thread at once (its exit status becomes 1 or 2); no
// step of it moves the sign after this returns, and it does not enable the
// panel group again. Used by reset and exit. Never blocks on a roll: the
// thread is woken from its pause, and while it ends the messages it sends to
// this thread are answered (each one with "stopped").
void stopRoll(int sign);

// Body of a roll thread for the sign (0 or 1); returns the sign's exit status.
DWORD rollThreadMain(int sign);

// The user-interface side of one roll step and of a roll's end, run by the
// sign window when the roll thread asks for them. `serial` names the roll; a
// stopped or replaced roll gets false and nothing changes.
bool applyRollStep(int sign, std::uint32_t serial, std::int32_t offset);
void finishRoll(int sign, std::uint32_t serial);

}  // namespace rovenza
