#include "maker/win32/MakerWindow.h"

#include <commctrl.h>

#include <new>

#include "maker/win32/MakerCommands.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerPanel.h"
#include "maker/win32/MakerPreviews.h"
#include "maker/win32/MakerTable.h"
#include "maker/win32/MakerVehicle.h"
#include "maker/win32/StripColumn.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kMakerTitle[] = "幕の作成";

namespace {

using namespace maker_ids;

LRESULT onInitDialog(HWND window) {
  createMakerControls(window);
  setStripColumnSource(GetDlgItem(window, kStripColumn), &tableFrames());
  selectRow(-1);
  return TRUE;
}

void onCommand(HWND window, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case kAddRow:
      runMakerCommand([] { return addRow(), true; });
      break;
    case kRemoveRow:
      removeRow();
      break;
    case kRowUp:
      moveRow(-1);
      break;
    case kRowDown:
      moveRow(1);
      break;
    case kImportCsv:
      importCsvCommand();
      break;
    case kExportCsv:
      exportCsvCommand();
      break;
    case kMainText:
    case kSubText:
    case kTextColour:
    case kBackgroundColour:
      if (code == EN_CHANGE) runMakerCommand([id] { return editChanged(id), true; });
      break;
    case kFrameWidth:
    case kFrameHeight:
      if (code == EN_CHANGE) refreshPreviews();
      break;
    case kSign:
      if (code == CBN_SELCHANGE) showSignSize();
      break;
    case kFace:
      if (code == CBN_SELCHANGE) letteringChanged();
      break;
    case kBold:
      letteringChanged();
      break;
    case kLedColour:
      if (code == CBN_SELCHANGE) refreshPreviews();
      break;
    case kLedPreview:
      refreshPreviews();
      break;
    case kMakeStrip:
      makeStripCommand();
      break;
    case kMakeLed:
      makeLedCommand();
      break;
    case kMakeVehicle:
      makeVehicleCommand();
      break;
    case kMakePanel:
      makePanelCommand();
      break;
    case kClose:
    case IDCANCEL:
      closeMakerCommand(window);
      break;
    default:
      break;
  }
}

// The last message: the controls have gone, so the font they were given can
// go too, with the rows, the lettering's fonts and the frames drawn.
void onNcDestroy() {
  app.makerWindow = nullptr;
  makerState() = MakerState{};
}

LRESULT dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_COMMAND:
      onCommand(window, wParam);
      return 0;
    case WM_NOTIFYFORMAT:
      return NFR_UNICODE;
    case WM_NEXTDLGCTL: {
      // As a dialog box moves the focus for IsDialogMessage (a label's
      // letter: the label, then the control after it).
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == static_cast<UINT_PTR>(kRowList)) return rowListNotify(header, lParam);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlID == static_cast<UINT>(kFramePreview)) drawFramePreview(draw);
      return TRUE;
    }
    case WM_CLOSE:
      closeMakerCommand(window);
      return 0;
    case WM_NCDESTROY:
      onNcDestroy();
      return DefWindowProcW(window, msg, wParam, lParam);
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

}  // namespace

const std::vector<SignRow>& makerRows() { return makerState().rows; }
int makerSelectedRow() { return makerState().selected; }

LRESULT CALLBACK makerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Nothing thrown crosses into the system: a paint or a list's question
  // that cannot get its memory draws or answers nothing.
  try {
    return dispatch(window, msg, wParam, lParam);
  } catch (const std::bad_alloc&) {
    return msg == WM_NCDESTROY ? DefWindowProcW(window, msg, wParam, lParam) : 0;
  }
}

}  // namespace rovenza
