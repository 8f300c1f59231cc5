#pragma once
// File > Open, File > Save As and the layout file named on the command line.
#include <windows.h>

#include <string>

namespace rovenza {

// File-type filters: label and pattern pairs, each ended by a zero byte, the
// list ended by one more.
extern const char kOpenLayoutFilter[];
extern const char kSaveLayoutFilter[];
extern const char kOpenLayoutTitle[];  // "ファイルを開く"
extern const char kSaveLayoutTitle[];  // "名前をつけて保存"

// Runs the system's open (save = false) or save dialog owned by `owner` and
// returns the chosen full path, or the empty text when it was cancelled.
std::string showFileDialog(HWND owner, bool save, const char* filter, const char* title);

void openLayoutCommand();
void saveLayoutCommand();
void openCommandLineFile();

}  // namespace rovenza
