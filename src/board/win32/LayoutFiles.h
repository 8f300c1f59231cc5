#pragma once
// The layout file readers and the writer on the program's own windows and
// the disk. Each reports its failures itself, in message boxes owned by the
// main window.
#include <string>

#include "layout/FileSystem.h"

namespace rovenza {

void readLayoutFile(const std::string& path);         // ".qv4"
void readVer3LayoutFile(const std::string& path);     // ".qv3"
void readDigitalLayoutFile(const std::string& path);  // ".qvd"
void writeLayoutFile(const std::string& path);        // ".qv4"
// The save-error message, as a failed write shows it.
void reportSaveError(SystemError error);

// Reads `path` with the reader its last four bytes choose; nothing happens
// for any other name.
void openLayoutFile(const std::string& path);

}  // namespace rovenza
