#pragma once
// Whole files and the little-endian 32-bit records the program stores, for
// the window tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rovenza::test {

using Bytes = std::vector<unsigned char>;

// The file's bytes in `bytes`; false when it cannot be opened.
inline bool readFile(const std::string& path, Bytes& bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  unsigned char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    bytes.insert(bytes.end(), buffer, buffer + count);
  }
  CloseHandle(file);
  return true;
}

// The file's bytes; empty when it cannot be opened.
inline Bytes readWholeFile(const std::string& path) {
  Bytes bytes;
  readFile(path, bytes);
  return bytes;
}

inline bool writeWholeFile(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD count = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr);
  CloseHandle(file);
  return ok && count == bytes.size();
}

// Writes the file, failing the test when it cannot.
inline void writeFile(const std::string& path, const Bytes& bytes) {
  if (!writeWholeFile(path, bytes)) ADD_FAILURE() << "could not write " << path;
}

inline bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// 32-bit little-endian values, one after another.
inline Bytes int32Record(const std::vector<std::int32_t>& values) {
  Bytes bytes;
  for (std::int32_t v : values) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(u >> shift));
  }
  return bytes;
}

inline std::vector<std::int32_t> int32Values(const Bytes& bytes) {
  std::vector<std::int32_t> result;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    result.push_back(static_cast<std::int32_t>(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                                               static_cast<std::uint32_t>(bytes[i + 3]) << 24));
  }
  return result;
}

}  // namespace rovenza::test
