#pragma once
// File > Record: the menu item that starts and stops a recording of the main
// window, and what shows that one runs.
namespace rovenza {

extern const char kRecordItemText[];     // "録画(&R)..."
extern const char kStopRecordItemText[];  // "録画停止(&R)"
extern const char kRecordingTitle[];      // "RovenzaVer4 - 録画中"
extern const char kRecordFilter[];
extern const char kRecordTitle[];         // the file dialog's title

// Asks for a ".gif" file name and starts recording; while a recording runs,
// stops it.
void recordCommand();
// Finishes a running recording, as the program ends (saying so if its file
// could not be written); nothing when none runs.
void endRecording();

}  // namespace rovenza
