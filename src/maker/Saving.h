#pragma once
// The files the sign maker writes: under a temporary name beside the file,
// then put in its place, so that a save that fails leaves the old file as it
// was (as the layout files are saved).
#include <functional>
#include <string>

#include "layout/FileSystem.h"
#include "maker/Strip.h"

namespace rovenza {

// Writes what `produce` gives its sink to `path` through a temporary file
// and a rename. Returns 0, or the system error that stopped it (a producer
// that gives up without a system error reads as "the data is invalid").
SystemError saveReplacing(FileSystem& files, const std::string& path, const std::function<bool(const ByteSink&)>& produce);

}  // namespace rovenza
