#include "panel/KeyBindings.h"

#include <initializer_list>

#include "panel/PanelIds.h"

namespace rovenza {

namespace {

KeyBinding press(int control, int sign) { return {KeyAction::PressKey, control, sign}; }

}  // namespace

KeyBinding keyBindingFor(unsigned key, int selectedSign, bool inEdit) {
  if (key == vk::kF2) return {KeyAction::SelectSign, 0, 0};
  if (key == vk::kF3) return {KeyAction::SelectSign, 0, 1};
  if (selectedSign != 0 && selectedSign != 1) return {};
  const PanelGroupIds& ids = kPanelGroups[selectedSign];
  switch (key) {
    case vk::kReturn:
      return press(ids.start, selectedSign);
    case vk::kEscape:
      return press(ids.reset, selectedSign);
    case vk::kPageDown:
      return press(ids.forward, selectedSign);
    case vk::kPageUp:
      return press(ids.back, selectedSign);
    default:
      break;
  }
  if (inEdit) return {};
  if (key == vk::kBack || key == vk::kDelete) return press(ids.clear, selectedSign);
  for (unsigned first : {vk::kDigit0, vk::kNumpad0}) {
    if (key >= first && key <= first + 9) return press(ids.digitFirst + static_cast<int>(key - first), selectedSign);
  }
  return {};
}

}  // namespace rovenza
