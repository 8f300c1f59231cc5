#pragma once
// Which panel key a key of the keyboard presses. The codes are the system's
// virtual-key numbers; no windows here.
#include <cstdint>

namespace rovenza {

// Virtual-key codes of the keys the panel answers.
namespace vk {
constexpr unsigned kBack = 0x08;
constexpr unsigned kReturn = 0x0D;
constexpr unsigned kEscape = 0x1B;
constexpr unsigned kPageUp = 0x21;    // VK_PRIOR
constexpr unsigned kPageDown = 0x22;  // VK_NEXT
constexpr unsigned kDelete = 0x2E;
constexpr unsigned kDigit0 = 0x30;    // '0'-'9' of the top row
constexpr unsigned kNumpad0 = 0x60;   // VK_NUMPAD0-VK_NUMPAD9
constexpr unsigned kF2 = 0x71;
constexpr unsigned kF3 = 0x72;
}  // namespace vk

enum class KeyAction { None, PressKey, SelectSign };

struct KeyBinding {
  KeyAction action = KeyAction::None;
  int control = 0;  // PressKey: the panel key's control id
  int sign = 0;     // SelectSign: the sign chosen; PressKey: the sign the key belongs to
};

// What `key` does with `selectedSign` (0 or 1) selected. `inEdit`: a speed or
// interval field has the focus, and the keys it uses itself (the digits,
// Backspace and Delete) stay with it. F2 selects the 1st sign, F3 the 2nd;
// the digits, Enter ("ON"), Backspace and Delete ("C"), Page Down ("送"),
// Page Up ("戻") and Escape ("強") press the selected sign's key.
KeyBinding keyBindingFor(unsigned key, int selectedSign, bool inEdit);

}  // namespace rovenza
