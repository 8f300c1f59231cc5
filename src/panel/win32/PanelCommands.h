#pragma once
// What the operation panel's keys and arrows do. Each command works on one
// sign (0 = 1st sign, 1 = 2nd sign) and runs on the user-interface thread.
#include <windows.h>
#include <commctrl.h>

namespace rovenza {

// A click on the panel control `id`; controls without a command do nothing.
void runPanelCommand(int id);

// "ON": asks the sign for the frame in its number display, with the speed and
// interval in the panel's fields.
void rollSign(int sign);
// "強": the sign stops at once and goes back to frame 0; the number display
// empties, and an LED sign then shows its frame 0.
void resetSign(int sign);

void appendDigit(int sign, int digit);  // digit key: type one more digit
void clearEntry(int sign);              // "C": forget the typed digits
void stepForward(int sign);             // "送": one frame on, and start
void stepBack(int sign);                // "戻": one frame back, and start

// An up-down arrow of the panel is about to change its number: the new value
// goes into the sign's speed or interval. Any other id does nothing.
void onUpDownDelta(int id, const NMUPDOWN& change);

}  // namespace rovenza
