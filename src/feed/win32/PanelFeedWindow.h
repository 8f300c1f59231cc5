#pragma once
// Settings > "LEDパネルへ送信(&P)...": a modeless window owned by the main
// window, one row per LED sign: whether it is fed, the panel's host and port,
// its size in dots and the brightness cap, and what goes wrong, said once.
// The settings of a sign are kept in the panel file when it is turned on;
// whether it is fed is never kept.
#include <windows.h>

#include <string>

#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeed.h"

namespace rovenza {

extern const char kPanelFeedTitle[];  // the window's title

// Control ids: the close button, then ten a row from kFeedFirstRow.
enum PanelFeedControl : int {
  kFeedClose = 1001,
  kFeedNoSigns = 1002,
  kFeedHostHeading = 1003,
  kFeedPortHeading = 1004,
  kFeedSizeHeading = 1005,
  kFeedCapHeading = 1006,
  kFeedFirstRow = 1100,
};
enum PanelFeedRowControl : int {
  kFeedRowName,
  kFeedRowOn,
  kFeedRowHost,
  kFeedRowPort,
  kFeedRowWidth,
  kFeedRowHeight,
  kFeedRowCap,
  kFeedRowProblem,
  kFeedRowTimes,
  kFeedRowPercent,
  kFeedRowIds = 10,
};
constexpr int feedControl(int row, PanelFeedRowControl control) { return kFeedFirstRow + row * kFeedRowIds + control; }

// The panel file the window reads and writes (empty: none, nothing kept).
void setPanelFeedFile(const std::string& file);

// A sign's settings as the panel file keeps them; each one it does not keep
// (all of them without a file) is the default: no host, the DDP port,
// `defaultSize`, the default brightness cap.
PanelFeedSettings keptFeedSettings(FeedKey key, PanelSize defaultSize);

LRESULT CALLBACK panelFeedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rovenza
