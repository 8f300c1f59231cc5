#pragma once
// The sign maker's commands: the strip, the LED folder and the CSV files,
// each from its dialog to the file written (and loaded into a sign), and
// closing the window.
#include <windows.h>

#include <functional>

namespace rovenza {

void makeStripCommand();
void makeLedCommand();
void importCsvCommand();
void exportCsvCommand();

// Closes the window, after asking when the table has changes written
// nowhere (no CSV file, strip or LED folder holds them).
void closeMakerCommand(HWND window);

// Runs a command; a failure to get memory ends it with a message. A command
// changes the table only once it has everything it changes it with, so the
// table stays as it was. False then, else what the command returned.
bool runMakerCommand(const std::function<bool()>& command);

}  // namespace rovenza
