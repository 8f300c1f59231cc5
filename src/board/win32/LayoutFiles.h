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
// for any other name. Whoever listens is told first that a layout file
// replaces the board (a vehicle open until now closes its faces).
void openLayoutFile(const std::string& path);
void setLayoutOpeningListener(void (*listener)());
// The same onto the board of a vehicle's face (0: the main window's), whose
// windows are made.
void openFaceLayoutFile(const std::string& path, int face);

}  // namespace rovenza
