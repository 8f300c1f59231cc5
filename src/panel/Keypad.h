#pragma once
// The rules of the operation panel's keys: which command a control runs, what
// a key does to the typed digits and to the number display, and what an
// up-down arrow writes. No windows here; the panel window applies the results.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rovenza {

enum class PanelKey { None, Digit, Clear, Start, Reset, Forward, Back };

struct PanelCommand {
  PanelKey key = PanelKey::None;
  int sign = 0;   // 0 = 1st sign, 1 = 2nd sign
  int digit = 0;  // the digit of a Digit key
};

// The command a click on the panel control `id` runs; PanelKey::None for
// controls that run nothing (displays, labels, edits, group boxes, up-downs).
PanelCommand panelCommandFor(int id);

enum class UpDownField { None, Speed, Interval };

struct UpDownTarget {
  UpDownField field = UpDownField::None;
  int sign = 0;
};

// The layout field an up-down's arrows write; UpDownField::None for any id
// that is not one of the four up-downs.
UpDownTarget upDownTargetFor(int id);

// The typed digits after one more digit key: `entry` with the digit added,
// unless that makes four or more characters or a number of 1000 or more, in
// which case the entry is cleared and the digit is lost. The number display
// shows exactly the returned text.
std::string entryAfterDigit(std::string_view entry, int digit);

// The number display after "送" (step +1) or "戻" (step -1): the displayed
// number, truncated toward zero, moved by one. Nothing at the limits: "送"
// on 999 and "戻" on 0 change nothing (and start nothing).
std::optional<std::string> steppedDisplay(std::string_view display, int step);

// What an up-down arrow writes into its layout field: the up-down's position
// as its position query answered (`positionAnswer`) plus the arrow's delta,
// not clamped to the up-down's range. Nothing when the query reported an
// error (its high 16 bits set: the edit holds no number in range); the next
// start reads the edit anew in that case.
std::optional<std::int32_t> upDownFieldValue(std::uint32_t positionAnswer, int delta);

}  // namespace rovenza
