#pragma once
// File > Open, File > Save As and the layout file named on the command line.
#include <windows.h>

#include <string>

#include "layout/FileSystem.h"

namespace rovenza {

// File-type filters: label and pattern pairs, each ended by a zero byte, the
// list ended by one more.
extern const char kOpenLayoutFilter[];
extern const char kSaveLayoutFilter[];
extern const char kOpenLayoutTitle[];  // "ファイルを開く"
extern const char kSaveLayoutTitle[];  // "名前をつけて保存"

// Runs the system's open (save = false) or save dialog owned by `owner` and
// returns the chosen full path, or the empty text when it was cancelled or
// failed. A dialog that failed (a typed name too long for its buffer, for
// one) puts the system error that says why into `failure`, if given; 0 there
// means nothing went wrong. With a `defaultExtension` ("bmp", no dot) a name
// typed without an extension gets the chosen filter's (or this one, for a
// filter of wildcards) before the dialog asks about replacing the file.
std::string showFileDialog(HWND owner, bool save, const char* filter, const char* title,
                           SystemError* failure = nullptr, const char* defaultExtension = nullptr);

void openLayoutCommand();
void saveLayoutCommand();
void openCommandLineFile();

}  // namespace rovenza
