#pragma once
// The setting box "設定器": a modeless window owned by the main window, like
// the operation panel. Its three-digit display takes a code from its keys;
// "設定" applies the code to the board's signs at once, each through the
// command "ON" runs (code n shows frame n on each shown sign). "設定" is
// greyed while a roll-film sign rolls, and the whole box is disabled
// whenever the operation panel is. With the box active, the keyboard's
// digits, Backspace / Delete ("C") and Enter ("設定") press its keys.
#include <windows.h>

namespace rovenza {

// Control ids of the box.
enum SettingBoxId : int {
  kBoxDisplay = 1100,
  kBoxDigitFirst = 1101,  // 1101-1110: "0"-"9"
  kBoxClear = 1111,
  kBoxApply = 1112,       // "設定"
  kBoxForward = 1113,     // "送"
  kBoxBack = 1114,        // "戻"
  kBoxCodes = 1115,       // the list of codes
};

inline constexpr char kSettingBoxTitle[] = "設定器";
constexpr int kSettingBoxWidth = 318;
constexpr int kSettingBoxHeight = 196;

LRESULT CALLBACK settingBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
