#pragma once
// The sign maker's pictures for a whole vehicle: from a vehicle file, the
// strip or LED folder of every shown sign of every face at the sign's own
// size, where its layout names its picture, and the vehicle's code table,
// all from the maker's one table so that code n shows row n everywhere.
#include <string>

namespace rovenza {

// The file dialog for the vehicle file, then its pictures written.
void makeVehicleCommand();

// Reads the vehicle file and its faces' layouts (asking first when their
// paths reach other computers), checks that everything can be written, asks
// once when files or frames would be replaced, then writes each picture and
// the code table through a temporary file or folder. Every problem, and
// what was written before a failure, is said. True when all was written.
bool makeVehiclePictures(const std::string& vehiclePath);

}  // namespace rovenza
