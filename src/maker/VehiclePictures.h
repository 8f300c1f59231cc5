#pragma once
// A whole vehicle's pictures made from the maker's one table: for every
// shown sign of every face, a strip (a roll-film sign) or an LED folder (an
// LED sign) at the sign's own size, where its layout names its picture; and
// the vehicle's code table, in which code n shows row n on every sign.
#include <cstddef>
#include <string>
#include <vector>

#include "maker/SignTable.h"
#include "vehicle/VehicleFile.h"

namespace rovenza {

// A sign of a face as its layout gives it; the signs of a vehicle go face by
// face, kSignsPerFace a face.
struct FaceSign {
  SignKind kind = SignKind::Hidden;  // Hidden: the layout does not show it
  int width = 0;                     // its opening
  int height = 0;
  std::string picturePath;  // where its picture goes (code page 932); empty: none named
};

enum class VehicleOutputKind { Strip, LedFolder, CodeTable };

// One thing written: a strip file, an LED folder or the code table.
struct VehicleOutput {
  VehicleOutputKind kind = VehicleOutputKind::Strip;
  std::string path;
  int width = 0;  // a picture's frame size
  int height = 0;
  std::vector<int> signs;  // the signs it is for (several may share one picture)
};

enum class VehiclePictureProblem {
  None,
  NoRows,         // the table has no row, so the code table would have no code
  NoSigns,        // no face shows a sign
  NoPicturePath,  // a shown sign's layout names no picture
  BadSize,        // a sign's opening is not a frame size the maker makes
  StripTooLarge,  // the rows make a strip larger than the program loads
  NotStripName,   // a strip's name ends in neither ".bmp" nor ".png"
  SamePath,       // two signs' pictures of other kinds or sizes at one place
};

struct VehiclePicturePlan {
  VehiclePictureProblem problem = VehiclePictureProblem::None;
  int sign = -1;     // the sign the problem is with
  std::string path;  // and its picture's path
  std::vector<VehicleOutput> outputs;  // the pictures in the signs' order, then the code table
};

// What to write for `rows` rows (1 to kMaxSignRows) and the signs of a
// vehicle, with its code table at `tablePath`; the first problem found, and
// no outputs, when anything of it cannot be written. Paths are compared as
// the system compares them (either separator, ASCII letters in any case,
// whole code page 932 characters).
VehiclePicturePlan planVehiclePictures(const std::vector<FaceSign>& signs, std::size_t rows, const std::string& tablePath);

// The message for a problem (code page 932), naming the face and the sign.
std::string vehiclePictureProblemText(const VehiclePicturePlan& plan);

// The code table for the rows: UTF-8 with a byte-order mark, CRLF line ends,
// a header line naming its columns (code, name, period, then each face's
// signs by the face's name), then one line per row n: code n, the row's main
// text as the name, the default period, and n in the cell of every shown
// sign (an empty cell, unchanged, for a hidden one).
void writeVehicleCodeTable(const VehicleHead& head, const std::vector<FaceSign>& signs,
                           const std::vector<SignRow>& rows, std::vector<unsigned char>& out);

}  // namespace rovenza
