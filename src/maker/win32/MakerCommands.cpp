#include "maker/win32/MakerCommands.h"

#include <shlobj.h>

#include <new>
#include <string>

#include "board/win32/LayoutFiles.h"
#include "board/win32/OpenSave.h"
#include "board/win32/ProgramBoard.h"
#include "form/win32/FormCommands.h"
#include "layout/win32/SystemFiles.h"
#include "maker/Strip.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerOutput.h"
#include "maker/win32/MakerPreviews.h"
#include "maker/win32/MakerTable.h"
#include "maker/win32/MakerWindow.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

using namespace maker_ids;

const char kStripFilter[] = "ビットマップ(*.bmp)\0*.bmp\0PNG(*.png)\0*.png\0";
const char kCsvFilter[] = "CSVファイル(*.csv)\0*.csv\0すべてのファイル(*.*)\0*.*\0";
const char kNoMemory[] = "メモリが足りないため、この操作を続けられませんでした。表はそのままです。";

// The written output into the chosen sign, when the check box says so and
// the sign is of its kind.
void loadIntoSign(bool strip, const std::string& path) {
  if (!makerChecked(kLoadAfter)) return;
  const int sign = chosenSign();
  const SignKind wanted = strip ? SignKind::RollFilm : SignKind::Led;
  if (effectiveKind(app.layout.signs[sign].kind) != wanted) {
    makerMessage(strip ? "選んだ幕は方向幕ではないため、作成した幕を読み込みませんでした。"
                       : "選んだ幕はLEDではないため、作成したフォルダーを読み込みませんでした。",
                 MB_ICONINFORMATION);
    return;
  }
  if (!rollBusyGuard()) {
    makerMessage("幕が動いている間は読み込めません。作成したファイルはそのまま使えます。", MB_ICONINFORMATION);
    return;
  }
  if (strip) {
    useStripPicture(sign, path);
  } else {
    useFrameFolder(sign, path);
  }
}

// A save dialog of the maker's: the chosen filter's extension is put on a
// name typed without one, so the dialog asks about the file that will be
// written. Empty when cancelled; a failed dialog said so.
std::string chooseSavePath(const char* filter, const char* title, const char* extension) {
  SystemError failure = 0;
  const std::string path = showFileDialog(app.makerWindow, true, filter, title, &failure, extension);
  if (path.empty() && failure != 0) reportSaveError(failure);
  return path;
}

}  // namespace

bool designWritable(const SignDesign& design, bool strip) {
  if (!frameSizeUsable(design.width, design.height)) {
    makerMessage("幅と高さは1から8192までの数で指定してください。");
    return false;
  }
  if (strip && !stripLoadable(stripGeometry(design.width, design.height, design.rows.size()))) {
    makerMessage(kStripTooLargeText);
    return false;
  }
  return true;
}

std::string chooseLedFolder() {
  BROWSEINFOA browse{};
  browse.hwndOwner = app.makerWindow;
  browse.lpszTitle = "LEDの画像を書き込むフォルダーを選択してください";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  char folder[MAX_PATH + 4] = {};
  LPITEMIDLIST items = SHBrowseForFolderA(&browse);
  if (items) {
    SHGetPathFromIDListA(items, folder);
    CoTaskMemFree(items);
  }
  return std::string(folder);
}

std::string systemErrorText(SystemError error) {
  char text[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text - 1, nullptr);
  return std::string("\r\n\r\n") + text;
}

bool runMakerCommand(const std::function<bool()>& command) {
  try {
    return command();
  } catch (const std::bad_alloc&) {
    makerMessage(kNoMemory, MB_ICONERROR);
    return false;
  }
}

void makeStripCommand() {
  if (!designWritable(currentDesign(), true)) return;
  const std::string path = chooseSavePath(kStripFilter, "方向幕の保存", "bmp");
  if (!path.empty()) makeStripFile(path);
}

void makeLedCommand() {
  if (!designWritable(currentDesign(), false)) return;
  const std::string folder = chooseLedFolder();
  if (!folder.empty()) makeLedFolder(folder);
}

void importCsvCommand() {
  const std::string path = showFileDialog(app.makerWindow, false, kCsvFilter, "CSVファイルを開く");
  if (!path.empty()) importCsvFile(path);
}

void exportCsvCommand() {
  const std::string path = chooseSavePath(kCsvFilter, "CSVファイルの保存", "csv");
  if (!path.empty()) exportCsvFile(path);
}

void closeMakerCommand(HWND window) {
  if (makerState().unwritten &&
      makerQuestion("表の変更はまだCSVファイルにも幕にも書き出していません。閉じますか？") != IDYES) {
    return;
  }
  DestroyWindow(window);
}

bool makeStripFile(const std::string& path) {
  return runMakerCommand([&path] {
    const SignDesign design = currentDesign();
    if (!designWritable(design, true)) return false;
    const SystemError error = writeStripFile(design, path);
    if (error != 0) {
      reportSaveError(error);
      return false;
    }
    makerState().unwritten = false;
    loadIntoSign(true, path);
    return true;
  });
}

bool writeLedFolderAsked(const SignDesign& design, const std::string& folder, const PanelOutput* panel) {
  const std::size_t old = frameFilesIn(systemFiles(), folder).size();
  if (old > 0 && makerQuestion("「" + folder + "」にはLEDのコマの画像が" + std::to_string(old) +
                               "個あります。作成するコマに置き換えますか？") != IDYES) {
    return false;
  }
  return frameSetWritten(writeLedFolder(design, folder, panel));
}

bool frameSetWritten(const FrameSetResult& result) {
  if (result.stage == FrameSetResult::Stage::Writing) {
    reportSaveError(result.error);
    return false;
  }
  if (result.stage == FrameSetResult::Stage::Swapping) {
    makerMessage(frameSwapText(result) + systemErrorText(result.error), MB_ICONERROR);
    return false;
  }
  return true;
}

bool makeLedFolder(const std::string& folder) {
  return runMakerCommand([&folder] {
    const SignDesign design = currentDesign();
    if (!designWritable(design, false) || !writeLedFolderAsked(design, folder, nullptr)) return false;
    makerState().unwritten = false;
    loadIntoSign(false, folder);
    return true;
  });
}

bool importCsvFile(const std::string& path) {
  return runMakerCommand([&path] {
    CsvReadResult result;
    const SystemError error = readCsvFile(path, result);
    if (error != 0) {
      ProgramBoard board;
      board.reportReadError(error);
      return false;
    }
    if (result.problem != CsvProblem::None) {
      makerMessage(csvProblemText(result));
      return false;
    }
    setRows(std::move(result.rows));
    return true;
  });
}

bool exportCsvFile(const std::string& path) {
  return runMakerCommand([&path] {
    const SystemError error = writeCsvFile(makerState().rows, path);
    if (error != 0) {
      reportSaveError(error);
      return false;
    }
    makerState().unwritten = false;
    return true;
  });
}

}  // namespace rovenza
