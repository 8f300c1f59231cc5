#pragma once
// Shared pieces of the file reader fuzzers: the input as a file in memory
// and a check that stops the run loudly when a property does not hold.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "layout/MemoryFileSystem.h"

namespace rovenza::fuzz {

inline void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
  }
}

inline void putFile(MemoryFileSystem& files, const std::string& path, const unsigned char* data, std::size_t size) {
  files.files[path].assign(data, data + size);
}

}  // namespace rovenza::fuzz
