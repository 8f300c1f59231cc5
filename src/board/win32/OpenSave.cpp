#include "board/win32/OpenSave.h"

#include <commdlg.h>

#include "board/win32/LayoutFiles.h"
#include "layout/CommandLine.h"
#include "layout/FileNames.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"

namespace rovenza {

const char kOpenLayoutFilter[] =
    "RovenzaVer4(*.qv4)\0*.qv4\0"
    "RovenzaVer3(*.qv3)\0*.qv3\0"
    "Rovenza(デジタル)Ver3(*.qvd)\0*.qvd\0";
const char kSaveLayoutFilter[] = "RovenzaVer4(*.qv4)\0*.qv4\0";
const char kOpenLayoutTitle[] = "ファイルを開く";
const char kSaveLayoutTitle[] = "名前をつけて保存";

namespace {

constexpr DWORD kFileBufferBytes = 260;
constexpr DWORD kFileNameRoom = 256;  // of the buffer, what the dialog may fill

}  // namespace

std::string showFileDialog(HWND owner, bool save, const char* filter, const char* title, SystemError* failure,
                           const char* defaultExtension) {
  if (failure) *failure = 0;
  char file[kFileBufferBytes] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kFileNameRoom;
  dialog.lpstrTitle = title;
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (save) dialog.Flags |= OFN_OVERWRITEPROMPT;
  const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) {
    if (failure) *failure = fileDialogFailure(CommDlgExtendedError());
    return std::string();
  }
  file[kFileBufferBytes - 1] = '\0';
  return file;
}

void openLayoutCommand() {
  if (!rollBusyGuard()) return;
  app.panelRef.enable(0);
  const std::string path = showFileDialog(app.mainWindow, false, kOpenLayoutFilter, kOpenLayoutTitle);
  if (!path.empty()) openLayoutFile(path);
  app.panelRef.enable(1);
  app.panelRef.focus();
}

void saveLayoutCommand() {
  if (!rollBusyGuard()) return;
  app.panelRef.enable(0);
  SystemError failure = 0;
  const std::string path = showFileDialog(app.mainWindow, true, kSaveLayoutFilter, kSaveLayoutTitle, &failure);
  // A dialog that could not give the name typed saved nothing: it says so
  // like any other save that failed.
  if (!path.empty()) {
    writeLayoutFile(withLayoutExtension(path));
  } else if (failure != 0) {
    reportSaveError(failure);
  }
  app.panelRef.enable(1);
  app.panelRef.focus();
}

void openCommandLineFile() {
  // No roll can have started yet: this runs when the start-up splash goes.
  const std::string path = commandLineFilePath(commandLineArguments(GetCommandLineA()));
  if (!path.empty()) openLayoutFile(path);
}

}  // namespace rovenza
