#pragma once
// The program's files on disk, through CreateFileA, ReadFile and WriteFile.
#include <string>

#include "layout/FileSystem.h"

namespace rovenza {

// The one disk file system of the process.
FileSystem& systemFiles();

// Whether a file or folder of that name exists.
bool pathExists(const std::string& path);

}  // namespace rovenza
