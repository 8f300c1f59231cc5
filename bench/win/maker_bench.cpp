// The sign maker's figures:
//   maker_bench.exe [ROWS]
// A table of ROWS rows (50 by default) at 124 x 57 made into a BMP strip,
// a PNG strip and an LED folder (each written alone, then the strip loaded
// into the 1st sign as the check box does); a CSV of 999 rows (the most a
// table holds) opened; how soon the previews follow a typed letter; a
// 999-row strip written; the same table as an LED folder for a 128 x 32
// panel, and as the pictures and code table of a bus of four signs (a
// 384 x 96 roll film, LED signs of 240 x 48, 144 x 96 and 96 x 24).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProgram.h"
#include "app/win32/Commands.h"
#include "layout/MemoryBoard.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"
#include "maker/win32/MakerPanel.h"
#include "maker/win32/MakerVehicle.h"
#include "maker/win32/MakerOutput.h"
#include "maker/win32/MakerWindow.h"
#include "state/win32/AppState.h"

using namespace rovenza;
using namespace rovenza::maker_ids;
using bench::nowMs;
using bench::pumpPending;

namespace {

std::string temporaryFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  const std::string folder = std::string(base) + "rovenza-maker-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A CSV of `rows` made-up destinations, each with a sub text.
std::string writeCsv(const std::string& path, int rows) {
  std::string text = "\xEF\xBB\xBFmain,sub,text,background\r\n";
  for (int i = 0; i < rows; ++i) {
    text += "Stop " + std::to_string(i) + " Terminal,via Route " + std::to_string(i % 37) + ",#FFFFFF,#" +
            (i % 2 ? "1E3C78" : "A01010") + "\r\n";
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

HWND item(int id) { return GetDlgItem(app.makerWindow, id); }

void setLoadAfter(bool on) { SendMessageA(item(kLoadAfter), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

double timed(const char* label, bool (*action)(const std::string&), const std::string& path) {
  const double start = nowMs();
  const bool ok = action(path);
  pumpPending();
  const double ms = nowMs() - start;
  std::printf("%-44s %8.1f ms%s\n", label, ms, ok ? "" : "  (FAILED)");
  return ms;
}

// A bus beside the bench's files: two layouts, its vehicle file.
std::string writeBus(const std::string& folder) {
  struct Sign {
    SignKind kind;
    int width;
    int height;
    const char* picture;
  };
  const Sign signs[2][2] = {{{SignKind::RollFilm, 384, 96, "front.bmp"}, {SignKind::Led, 240, 48, "route"}},
                            {{SignKind::Led, 144, 96, "type"}, {SignKind::Led, 96, 24, "rear"}}};
  for (int face = 0; face < 2; ++face) {
    MemoryBoard board;
    for (int sign = 0; sign < 2; ++sign) {
      const Sign& s = signs[face][sign];
      board.record.signs[sign].kind = static_cast<std::uint8_t>(s.kind);
      board.record.signs[sign].picturePath = folder + "\\" + s.picture;
      board.places[sign] = SignPlace{0, sign * 100, s.width, s.height, true};
    }
    writeLayoutFile(systemFiles(), folder + "\\face" + std::to_string(face + 1) + ".qv4", board);
  }
  const std::string head = "[Face1]\r\nLayout=face1.qv4\r\n[Face2]\r\nLayout=face2.qv4\r\n[Codes]\r\nTable=codes.csv\r\n";
  const std::string path = folder + "\\bus.rvh";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

// Closes the maker's message boxes (the vehicle's pictures end with one) as
// they open, and says yes to its questions.
void CALLBACK answerMaker(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("#32770", kMakerTitle);
  if (!box) return;
  const int button = GetDlgItem(box, IDYES) ? IDYES : IDOK;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The folder and everything in it.
void removeFolder(const std::string& folder) {
  const std::string from = folder + '\0';  // a list of one, ended by a second null
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationA(&operation);
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  if (!bench::startProgram()) return 1;
  makeSignCommand();
  if (!app.makerWindow) {
    std::printf("the sign maker did not open\n");
    return 1;
  }
  SetWindowTextA(item(kFrameWidth), "124");
  SetWindowTextA(item(kFrameHeight), "57");
  const std::string folder = temporaryFolder();
  std::printf("sign maker, %d rows at 124 x 57 (%s)\n", rows, sizeof(void*) == 8 ? "64-bit" : "32-bit");

  timed("CSV opened", importCsvFile, writeCsv(folder + "\\rows.csv", rows));
  setLoadAfter(false);
  timed("BMP strip written", makeStripFile, folder + "\\strip.bmp");
  timed("PNG strip written", makeStripFile, folder + "\\strip.png");
  const std::string led = folder + "\\led";
  CreateDirectoryA(led.c_str(), nullptr);
  timed("LED folder written", makeLedFolder, led);
  setLoadAfter(true);
  timed("BMP strip written and loaded into the sign", makeStripFile, folder + "\\strip.bmp");

  // A letter typed into the selected row's main text, until both previews
  // have painted it.
  std::vector<double> follows;
  for (int i = 0; i < 20; ++i) {
    const std::string text = "Stop " + std::to_string(i) + " Terminal";
    const double start = nowMs();
    SetWindowTextA(item(kMainText), text.c_str());
    UpdateWindow(item(kFramePreview));
    UpdateWindow(item(kStripColumn));
    follows.push_back(nowMs() - start);
  }
  std::sort(follows.begin(), follows.end());
  std::printf("%-44s %8.1f ms median, %.1f ms at most\n", "previews following a typed letter", follows[follows.size() / 2],
              follows.back());

  timed("CSV of 999 rows opened", importCsvFile, writeCsv(folder + "\\rows1000.csv", 999));
  setLoadAfter(false);
  timed("999-row BMP strip written", makeStripFile, folder + "\\strip1000.bmp");

  const std::string panel = folder + "\\panel";
  CreateDirectoryA(panel.c_str(), nullptr);
  timed("999 rows as a 128 x 32 panel's folder", makePanelFolder, panel);
  const std::string bus = writeBus(folder);
  const UINT_PTR answering = SetTimer(nullptr, 0, 20, answerMaker);
  timed("999 rows as a bus's 4 signs and code table", makeVehiclePictures, bus);
  importCsvFile(writeCsv(folder + "\\rows.csv", rows));
  timed("the table as a bus's 4 signs and code table", makeVehiclePictures, bus);
  KillTimer(nullptr, answering);

  removeFolder(folder);
  DestroyWindow(app.mainWindow);
  pumpPending();
  return 0;
}
