#pragma once
// The vehicle file (".rvh"): a whole vehicle set from one code. A UTF-8 text
// (a byte-order mark allowed) with an INI-like head:
//
//   [Vehicle]  Name=
//   [Face1] ... [Face4]  Name=  Layout=   (a layout file, relative to the
//                                          vehicle file unless absolute)
//                        PixelDots=       (the face's signs, 1 and/or 2 split
//                                          by commas, whose LED frames are
//                                          drawn one pixel a dot)
//   [Codes]  Table=                       (a CSV file, likewise)
//
// and the code table, a UTF-8 CSV file (read by the common CSV reader): a header line, then one line per
// code: the code (1-999), its name, the period of its pages in seconds
// (empty: 3.0), then one cell per sign of each face in face order (the
// layout's 1st and 2nd sign): empty = unchanged, "-" = blank, "12" = frame 12,
// "12/40/41" = pages shown in turn (LED signs only).
//
// The vehicle file is read in two steps, so that the shell can ask about the
// paths it names before any of them is touched: readVehicleHead reads the
// head and resolves its paths; openVehicleParts reads each face's layout (for
// its signs' kinds) and the code table. Either fails as a whole, naming the
// line (and the column of a cell); nothing is half-opened. Layout files are
// only read, never written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/FileSystem.h"
#include "layout/Layout.h"
#include "state/Faces.h"
#include "common/CsvText.h"

namespace rovenza {

class MemoryBoard;

constexpr int kSignsPerFace = kSignCount;
constexpr int kMinCode = 1;
constexpr int kMaxCode = 999;
constexpr int kMaxFrame = 999;   // the panel's three digits
constexpr int kMaxPages = 16;    // frames in one cell
constexpr std::int32_t kDefaultPeriodMs = 3000;
constexpr std::int32_t kMinPeriodMs = 200;
constexpr std::int32_t kMaxPeriodMs = 60000;
// Files past these sizes are not read at all: far beyond a hand-written head
// or a table of 999 codes.
constexpr std::uint64_t kMaxVehicleFileBytes = 64 * 1024;
constexpr std::uint64_t kMaxCodeTableBytes = 4 * 1024 * 1024;

enum class VehicleProblem {
  None,
  // Files.
  CannotRead,       // the vehicle file, a layout or the table cannot be opened or read
  TooLarge,         // past the size limit above
  BadEncoding,      // bytes that are not UTF-8 (line)
  // The head (line).
  BadLine,          // neither a section, a key=value pair, a comment nor empty
  UnknownSection,
  DuplicateSection,
  TooManyFaces,     // [Face5] and beyond
  UnknownKey,
  DuplicateKey,
  KeyOutsideSection,
  FaceMissing,      // a face after a gap, or no [Face1] (line of the face after the gap; 0)
  NoLayout,         // a face without Layout= (line of its section)
  NotLayoutName,    // Layout= not a .qv4/.qv3/.qvd file
  BadPixelDots,     // PixelDots= not a list of the face's signs (1, 2)
  NoTable,          // no [Codes] Table= (0)
  BadPath,          // a path that cannot be a file name of the program
  LayoutMissing,    // the layout named cannot be opened
  NotLayoutFile,    // it is no layout file (or cannot be read whole)
  TableMissing,     // the table cannot be opened
  // The table (line, column).
  BrokenQuote,
  NoHeader,
  NoCodes,
  BadCode,          // not a number 1-999
  DuplicateCode,
  BadPeriod,        // not a number of seconds from 0.2 to 60
  BadCell,          // not empty, "-", a frame 0-999 or up to 16 frames split by "/"
  PagesOnRollFilm,  // pages in the cell of a sign that is no LED sign (a roll film, a hidden sign)
  TooManyColumns,   // a cell past the last sign that is not empty
};

struct VehicleError {
  VehicleProblem problem = VehicleProblem::None;
  int line = 0;    // 1-based, 0 when no line is meant
  int column = 0;  // 1-based, for a cell of the table
  bool inTable = false;
  explicit operator bool() const { return problem != VehicleProblem::None; }
};

// The message for a problem (code page 932), naming the file (vehicle file
// or table), its line and column.
std::string vehicleProblemText(const VehicleError& error);

struct VehicleFace {
  std::string name;        // UTF-8; "面1" ... when the file gives none
  std::string layoutPath;  // resolved, code page 932
  int layoutLine = 0;      // where Layout= stands
  SignKind kinds[kSignsPerFace] = {SignKind::Hidden, SignKind::Hidden};  // from the layout
  bool pixelDots[kSignsPerFace] = {false, false};  // LED frames drawn one pixel a dot
};

struct VehicleHead {
  std::string name;  // UTF-8, may be empty
  std::vector<VehicleFace> faces;
  std::string tablePath;  // resolved, code page 932
  int tableLine = 0;
};

// What a cell asks of its sign.
enum class CellAction { Unchanged, Blank, Frames };

struct SignCell {
  CellAction action = CellAction::Unchanged;
  std::vector<std::int16_t> frames;  // one frame, or the pages in turn
  bool operator==(const SignCell& other) const { return action == other.action && frames == other.frames; }
};

struct VehicleCode {
  int code = 0;
  std::string name;  // UTF-8
  std::int32_t periodMs = kDefaultPeriodMs;
  std::vector<SignCell> cells;  // faces x kSignsPerFace, face by face
  int line = 0;
};

struct CodeTable {
  std::vector<VehicleCode> codes;  // in the order of the file
  const VehicleCode* find(int code) const;
};

struct Vehicle {
  VehicleHead head;
  CodeTable table;
};

// Reads the head from the vehicle file's bytes. Relative paths are resolved
// against the folder of `vehiclePath` (code page 932); `codec` turns the
// UTF-8 paths into code page 932.
VehicleError readVehicleHead(const unsigned char* data, std::size_t size, std::string_view vehiclePath,
                             TextCodec& codec, VehicleHead& head);

// Reads the code table from the CSV's bytes for faces whose signs are of
// `kinds` (faces x kSignsPerFace).
VehicleError readCodeTable(const unsigned char* data, std::size_t size, const std::vector<SignKind>& kinds,
                           CodeTable& table);

// Every path the opening will touch: the layouts, then the table.
std::vector<std::string> vehiclePaths(const VehicleHead& head);

// Reads a whole file of at most `limit` bytes.
VehicleError readWholeFile(FileSystem& files, const std::string& path, std::uint64_t limit,
                           std::vector<unsigned char>& bytes);

// Reads a face's layout onto `board` with the reader its name chooses (the
// file is only read) and takes the kinds of its signs into `face`: a sign
// the layout does not show is Hidden.
VehicleError readFaceLayout(FileSystem& files, VehicleFace& face, MemoryBoard& board);

// Reads every face's layout (only for the kinds of its signs) and the code
// table into `vehicle`, whose head readVehicleHead filled.
VehicleError openVehicleParts(FileSystem& files, Vehicle& vehicle);

// The kinds of every sign, faces x kSignsPerFace.
std::vector<SignKind> vehicleSignKinds(const VehicleHead& head);

}  // namespace rovenza
