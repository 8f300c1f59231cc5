#pragma once
// File > 車両を開く and the other ways a vehicle file opens (the command
// line, a drop): the vehicle with its faces, then the setting box with its
// codes.
#include <string>

namespace rovenza {

// Hears of every layout file opened, and tells the faces where to keep
// their places; at start-up.
void startVehicles();
// Closes the vehicle's faces; first in the release sequence.
void endVehicles();

void openVehicleItem();                              // File > 車両を開く(&V)...
void openVehicleAndBox(const std::string& path);     // a drop, the command line
// The file named on the command line: a vehicle file or a layout file.
void openCommandLine();

}  // namespace rovenza
