#pragma once
// The setting box "設定器": a modeless window owned by the main window, like
// the operation panel. Its three-digit display takes a code from its keys;
// "設定" applies the code to every sign of every face at once: the main
// window's through the command "ON" runs, a further face's at its layout's
// speed and interval; a code's pages then alternate ("送"/"戻" step them by
// hand). Without a vehicle, code n shows frame n on the board's shown signs. "設定" is
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

// Fills the list with the codes of the vehicle open now (none without one),
// and greys "送"/"戻" unless pages alternate.
void refreshSettingBox();

LRESULT CALLBACK settingBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
