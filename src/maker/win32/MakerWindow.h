#pragma once
// The sign maker's window ("幕の作成"): the table of rows, the lettering and
// size, the strip and LED outputs, a vehicle's pictures, an LED folder for
// a panel, CSV import and export, the previews.
// Modeless, owned by the main window like the operation panel; a Unicode
// window, so that the table keeps any text typed or pasted.
#include <windows.h>

#include <string>
#include <vector>

#include "maker/SignTable.h"

namespace rovenza {

extern const char kMakerTitle[];  // "幕の作成"

// Control ids of the window.
namespace maker_ids {
enum : int {
  kRowList = 1300,
  kAddRow,
  kRemoveRow,
  kRowUp,
  kRowDown,
  kImportCsv,
  kExportCsv,
  kMainText,
  kSubText,
  kTextColour,
  kBackgroundColour,
  kSign,
  kFrameWidth,
  kFrameHeight,
  kFace,
  kBold,
  kLedColour,
  kLedPreview,
  kLoadAfter,
  kMakeStrip,
  kMakeLed,
  kFramePreview,
  kStripColumn,
  kClose,
  kMakeVehicle,
  kPanelDotsAcross,
  kPanelDotsDown,
  kMakePanel,
  kLabelFirst = 1400,
};
}  // namespace maker_ids

LRESULT CALLBACK makerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the buttons do once their dialogs have given a name; each reports a
// failure itself, in a message box. True when done.
bool makeStripFile(const std::string& path);    // written, and loaded when the check box says so
// Likewise; a folder that holds frame files already asks first.
bool makeLedFolder(const std::string& folder);
bool importCsvFile(const std::string& path);
bool exportCsvFile(const std::string& path);

// The table as the window holds it (texts in UTF-8), and the selected row
// (-1: none).
const std::vector<SignRow>& makerRows();
int makerSelectedRow();

}  // namespace rovenza
