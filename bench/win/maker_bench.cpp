// The sign maker's figures:
//   maker_bench.exe [ROWS]
// A table of ROWS rows (50 by default) at 124 x 57 made into a BMP strip,
// a PNG strip and an LED folder (each written alone, then the strip loaded
// into the 1st sign as the check box does); a CSV of 999 rows (the most a
// table holds) opened; how soon the previews follow a typed letter; a
// 999-row strip written.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProgram.h"
#include "app/win32/Commands.h"
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

  for (const char* name : {"rows.csv", "rows1000.csv", "strip.bmp", "strip.png", "strip1000.bmp"}) {
    DeleteFileA((folder + "\\" + name).c_str());
  }
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((led + "\\*.bmp").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((led + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(led.c_str());
  RemoveDirectoryA(folder.c_str());
  DestroyWindow(app.mainWindow);
  pumpPending();
  return 0;
}
