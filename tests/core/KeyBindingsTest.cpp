#include "panel/KeyBindings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel/PanelIds.h"

namespace rovenza {
namespace {

struct BindingCase {
  const char* name;
  unsigned key;
  bool inEdit;
  KeyAction action;
  int control1;  // the control pressed with the 1st sign selected (PressKey)
  int control2;  // ... with the 2nd sign selected
};

class Bindings : public ::testing::TestWithParam<BindingCase> {};

TEST_P(Bindings, PressTheSelectedSignsKey) {
  const BindingCase& c = GetParam();
  for (int sign = 0; sign < 2; ++sign) {
    const KeyBinding binding = keyBindingFor(c.key, sign, c.inEdit);
    EXPECT_EQ(c.action, binding.action) << "sign " << sign;
    if (c.action == KeyAction::PressKey) {
      EXPECT_EQ(sign == 0 ? c.control1 : c.control2, binding.control) << "sign " << sign;
      EXPECT_EQ(sign, binding.sign);
    }
  }
}

std::vector<BindingCase> bindingCases() {
  std::vector<BindingCase> cases = {
      {"Enter", 0x0D, false, KeyAction::PressKey, kPanelStart1, kPanelStart2},
      {"Escape", 0x1B, false, KeyAction::PressKey, kPanelReset1, kPanelReset2},
      {"PageDown", 0x22, false, KeyAction::PressKey, kPanelForward1, kPanelForward2},
      {"PageUp", 0x21, false, KeyAction::PressKey, kPanelBack1, kPanelBack2},
      {"Backspace", 0x08, false, KeyAction::PressKey, kPanelClear1, kPanelClear2},
      {"Delete", 0x2E, false, KeyAction::PressKey, kPanelClear1, kPanelClear2},
      // A field with the focus keeps its own keys; the rest still drive the panel.
      {"EnterInAField", 0x0D, true, KeyAction::PressKey, kPanelStart1, kPanelStart2},
      {"EscapeInAField", 0x1B, true, KeyAction::PressKey, kPanelReset1, kPanelReset2},
      {"PageDownInAField", 0x22, true, KeyAction::PressKey, kPanelForward1, kPanelForward2},
      {"PageUpInAField", 0x21, true, KeyAction::PressKey, kPanelBack1, kPanelBack2},
      {"BackspaceInAField", 0x08, true, KeyAction::None, 0, 0},
      {"DeleteInAField", 0x2E, true, KeyAction::None, 0, 0},
      {"DigitInAField", 0x35, true, KeyAction::None, 0, 0},
      {"NumpadDigitInAField", 0x65, true, KeyAction::None, 0, 0},
      // Keys the panel does not answer.
      {"Tab", 0x09, false, KeyAction::None, 0, 0},
      {"Space", 0x20, false, KeyAction::None, 0, 0},
      {"Left", 0x25, false, KeyAction::None, 0, 0},
      {"Up", 0x26, false, KeyAction::None, 0, 0},
      {"F1", 0x70, false, KeyAction::None, 0, 0},
      {"F4", 0x73, false, KeyAction::None, 0, 0},
      {"LetterA", 0x41, false, KeyAction::None, 0, 0},
      {"BeforeTheDigits", 0x2F, false, KeyAction::None, 0, 0},
      {"AfterTheDigits", 0x3A, false, KeyAction::None, 0, 0},
      {"AfterTheNumpadDigits", 0x6A, false, KeyAction::None, 0, 0},
  };
  for (unsigned d = 0; d <= 9; ++d) {
    static const char* const kTop[] = {"Top0", "Top1", "Top2", "Top3", "Top4", "Top5", "Top6", "Top7", "Top8", "Top9"};
    static const char* const kPad[] = {"Pad0", "Pad1", "Pad2", "Pad3", "Pad4", "Pad5", "Pad6", "Pad7", "Pad8", "Pad9"};
    const int digit = static_cast<int>(d);
    cases.push_back({kTop[d], 0x30 + d, false, KeyAction::PressKey, kPanelDigit1First + digit, kPanelDigit2First + digit});
    cases.push_back({kPad[d], 0x60 + d, false, KeyAction::PressKey, kPanelDigit1First + digit, kPanelDigit2First + digit});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Keys, Bindings, ::testing::ValuesIn(bindingCases()),
                         [](const ::testing::TestParamInfo<BindingCase>& info) { return std::string(info.param.name); });

TEST(KeyBindings, F2AndF3SelectASignFromAnywhere) {
  for (int selected : {0, 1}) {
    for (bool inEdit : {false, true}) {
      const KeyBinding f2 = keyBindingFor(0x71, selected, inEdit);
      const KeyBinding f3 = keyBindingFor(0x72, selected, inEdit);
      EXPECT_EQ(KeyAction::SelectSign, f2.action);
      EXPECT_EQ(0, f2.sign);
      EXPECT_EQ(KeyAction::SelectSign, f3.action);
      EXPECT_EQ(1, f3.sign);
    }
  }
}

TEST(KeyBindings, EveryPanelKeyOfBothSignsIsReachable) {
  std::vector<int> reached;
  for (int sign = 0; sign < 2; ++sign) {
    for (unsigned key = 0; key < 256; ++key) {
      const KeyBinding binding = keyBindingFor(key, sign, false);
      if (binding.action == KeyAction::PressKey) reached.push_back(binding.control);
    }
  }
  for (const PanelGroupIds& g : kPanelGroups) {
    std::vector<int> keys = {g.reset, g.start, g.clear, g.forward, g.back};
    for (int d = 0; d <= 9; ++d) keys.push_back(g.digitFirst + d);
    for (int id : keys) EXPECT_NE(reached.end(), std::find(reached.begin(), reached.end(), id)) << id;
  }
}

TEST(KeyBindings, NoSignSelectedPressesNothing) {
  EXPECT_EQ(KeyAction::None, keyBindingFor(0x0D, 2, false).action);
  EXPECT_EQ(KeyAction::None, keyBindingFor(0x31, -1, false).action);
}

}  // namespace
}  // namespace rovenza
