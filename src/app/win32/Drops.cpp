#include "app/win32/Drops.h"

#include <string>

#include "board/DropRule.h"
#include "board/win32/LayoutFiles.h"
#include "board/win32/ProgramBoard.h"
#include "common/win32/Scoped.h"
#include "form/win32/FormCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "app/win32/VehicleItem.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// The first name of the drop; `tooLong` when it does not fit a path.
std::string firstDroppedName(HDROP drop, bool& tooLong) {
  tooLong = false;
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 0) return std::string();
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  if (length >= MAX_PATH) {
    tooLong = true;
    return std::string();
  }
  char name[MAX_PATH] = {};
  DragQueryFileA(drop, 0, name, sizeof name);
  return std::string(name);
}

// The sign whose opening lies under `point` (client co-ordinates of the main
// window), or -1.
int signUnder(POINT point) {
  HWND child = ChildWindowFromPointEx(app.mainWindow, point, CWP_SKIPINVISIBLE);
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (child && child == clipOf(sign).handle()) return sign;
  }
  return -1;
}

// Whether the file decodes to a picture.
bool isPicture(const std::string& path) { return ScopedBitmap(loadPicture(path)).get() != nullptr; }

}  // namespace

void dropFiles(HDROP drop) {
  bool tooLong = false;
  const std::string path = firstDroppedName(drop, tooLong);
  POINT point{};
  DragQueryPoint(drop, &point);
  DragFinish(drop);
  if ((path.empty() && !tooLong) || !rollBusyGuard()) return;

  ProgramBoard board;
  if (tooLong) {
    board.reportReadError(ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  const int sign = signUnder(point);
  const DropTarget target =
      dropTargetFor(path, isFolder, sign, validSign(sign) ? effectiveKind(signSpecOf(sign).kind) : SignKind::Hidden);
  if (attributes == INVALID_FILE_ATTRIBUTES && target.action != DropAction::OpenLayout) {
    board.reportReadError(GetLastError());
    return;
  }
  switch (target.action) {
    case DropAction::OpenLayout:
      openLayoutFile(path);
      break;
    case DropAction::OpenVehicle:
      openVehicleAndBox(path);
      break;
    case DropAction::StripPicture:
      if (isPicture(path)) useStripPicture(target.sign, path);
      break;
    case DropAction::FrameFolder:
      useFrameFolder(target.sign, path);
      break;
    case DropAction::Background:
      if (isPicture(path)) useBackgroundPicture(path);
      break;
    case DropAction::Ignore:
      break;
  }
}

}  // namespace rovenza
