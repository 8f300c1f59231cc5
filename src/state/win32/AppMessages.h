#pragma once
// What the windows below the main window ask of it: its menu commands, sent
// as WM_COMMAND, and its own requests.
#include <windows.h>

namespace rovenza {

// Menu command ids.
enum MenuCommand : WORD {
  kCmdOpen = 1089,
  kCmdSaveAs = 1090,
  kCmdExit = 1091,
  kCmdSettings = 1092,
  kCmdHelpTopics = 1093,
  kCmdAbout = 1094,
  kCmdRecord = 1095,
  kCmdSound = 1096,
  kCmdEffects = 1097,
  kCmdMakeSign = 1098,
  kCmdSettingBox = 1099,
  kCmdOpenVehicle = 1100,
  kCmdPanelFeed = 1105,
  kCmdPixelDots = 1106,
};

// Control ids of a board's windows: the main window's, and a vehicle
// face's window made like it.
enum BoardControl : int {
  kSignWindow1 = 1000,
  kSignWindow2 = 1001,
  kFileList1 = 1004,
  kFileList2 = 1005,
};

// Sent by the splash as it goes: the main window opens the layout file named
// on the command line, before the splash's own WM_DESTROY returns.
constexpr UINT kOpenCommandLineMessage = WM_APP + 0x0101;

// Sent by the panel to the setting box when a sign (wParam) starts (lParam 1)
// or stops (lParam 0) rolling.
constexpr UINT kSignRollingMessage = WM_APP + 0x0102;

}  // namespace rovenza
