#pragma once
// The sign maker's commands: the strip, the LED folder and the CSV files,
// each from its dialog to the file written (and loaded into a sign), and
// closing the window.
#include <windows.h>

#include <functional>
#include <string>

#include "layout/FileSystem.h"
#include "maker/PanelFrame.h"
#include "maker/Saving.h"
#include "maker/win32/MakerOutput.h"

namespace rovenza {

void makeStripCommand();
void makeLedCommand();
void importCsvCommand();
void exportCsvCommand();

// Closes the window, after asking when the table has changes written
// nowhere (no CSV file, strip or LED folder holds them).
void closeMakerCommand(HWND window);

// Whether the design can be written: a usable frame size, and for a strip
// one the program could load back. Says why not.
bool designWritable(const SignDesign& design, bool strip);

// The folder chosen in the folder dialog; empty when none was.
std::string chooseLedFolder();

// Writes the design's LED frames into `folder` as one set (as a panel's
// files with `panel`), after asking when the folder holds frames already.
// True when written; a failure said.
bool writeLedFolderAsked(const SignDesign& design, const std::string& folder, const PanelOutput* panel);
// Whether a frame set was written; says why not.
bool frameSetWritten(const FrameSetResult& result);

// The system's text for an error, after two line breaks.
std::string systemErrorText(SystemError error);

// Runs a command; a failure to get memory ends it with a message. A command
// changes the table only once it has everything it changes it with, so the
// table stays as it was. False then, else what the command returned.
bool runMakerCommand(const std::function<bool()>& command);

}  // namespace rovenza
