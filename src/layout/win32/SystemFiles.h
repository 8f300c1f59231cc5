#pragma once
// The program's files on disk, through CreateFileA, ReadFile and WriteFile.
#include "layout/FileSystem.h"

namespace rovenza {

// The one disk file system of the process.
FileSystem& systemFiles();

}  // namespace rovenza
