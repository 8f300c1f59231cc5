#pragma once
// Moving a sign to the frame in its number display, and stopping it.

namespace rovenza {

void rollSign(int sign);   // "ON": roll a roll-film sign, switch an LED sign
void resetSign(int sign);  // "強": stop at once and go back to frame 0
bool isRollRunning(int sign);
void setPanelGroupEnabled(int sign, bool enabled);

// Stops the sign's roll thread at once (its exit status becomes 1 or 2); no
// step of it moves the sign after this returns. Used by reset and exit.
void stopRoll(int sign);

}  // namespace rovenza
