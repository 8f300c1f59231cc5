#pragma once
// Opening a vehicle file: its head read, the question about the hosts its
// paths reach asked, every face's layout and the code table read, and only
// then the board changed: face 1 is the main window's board, exactly as
// opening its layout makes it, each further face a window of its own.
// Anything that cannot be read is said, naming its line, and nothing opens.
#include <string>

#include "vehicle/VehicleFile.h"

namespace rovenza {

extern const char kOpenVehicleItemText[];  // "車両を開く(&V)..."
extern const char kVehicleErrorCaption[];  // a problem's message box
extern const char kOpenVehicleTitle[];     // the file dialog
extern const char kVehicleFilter[];        // the file dialog's file types

// Reads the head of the vehicle file `path`, then asks once, as a layout
// file's paths are asked about, before the paths it names reach other
// computers. A problem of the file is returned; the first path the user did
// not let be opened (a device included) is put in `refused`, else it is
// emptied. Nothing the head names is touched.
VehicleError readVehicleHeadAsked(const std::string& path, VehicleHead& head, std::string& refused);

// Opens `path`; false when nothing was opened (the previous board and
// vehicle stay as they were).
bool openVehicleFile(const std::string& path);

// File > 車両を開く: asks for a vehicle file and opens it; false when none
// was opened.
bool openVehicleCommand();

// The vehicle open now; null when the board is a plain layout.
const Vehicle* openedVehicle();

// Closes the vehicle's further faces and forgets it: the board is a plain
// layout again (opening a layout file does this first). The main window's
// signs keep how the vehicle drew their frames until the caller sets them.
void forgetVehicle();

}  // namespace rovenza
