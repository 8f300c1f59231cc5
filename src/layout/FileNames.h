#pragma once
// File names of layout files: which reader an extension chooses, the
// extension a saved file gets, and the folder a path lies in.
#include <cstdint>
#include <string>
#include <string_view>

#include "layout/FileSystem.h"

namespace rovenza {

enum class LayoutFormat { None, Qv4, Qv3, Qvd };

// The format that the last four bytes of `path`, upper-cased, name.
LayoutFormat layoutFormatOf(std::string_view path);
// Whether `path` names a vehicle file (".rvh", by its last four bytes in
// either case, as layoutFormatOf reads a layout file's).
bool isVehicleFileName(std::string_view path);

// `path` with `extension` (a dot and three letters) appended unless its last
// four bytes, upper-cased, are already the extension upper-cased.
std::string withExtension(std::string_view path, std::string_view extension);

// `path` with ".qv4" appended unless its last four bytes, upper-cased, are
// already ".QV4".
std::string withLayoutExtension(std::string_view path);

// Why a file dialog gave no file name, as the system error to show, from
// the dialog's own error code: 0 (nothing to show) when the user cancelled.
// A name too long for the dialog's buffer is a file name too long.
SystemError fileDialogFailure(std::uint32_t dialogError);

// The folder part of `path` up to and including its last "\" or "/",
// walking whole characters (a trail byte 5C is not a separator); "." when
// there is none.
std::string folderOf(std::string_view path);

}  // namespace rovenza
