#pragma once
// The file operations every binary file of the program goes through. The
// Win32 shell implements them over the system's file calls; the in-memory
// implementation (MemoryFileSystem.h) serves the tests, fuzzers and tools.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rovenza {

// Failures are reported with the system's error numbers, so that the shell
// can show the system's own text for them.
using SystemError = std::uint32_t;
constexpr SystemError kErrorAccessDenied = 5;  // access is denied
constexpr SystemError kErrorInvalidData = 13;  // the data is invalid
constexpr SystemError kErrorHandleEof = 38;    // reached the end of the file
constexpr SystemError kErrorDiskFull = 112;    // not enough space on the disk
constexpr SystemError kErrorAlreadyExists = 183;  // a file of that name exists

// One open file. Reads and writes behave like the system calls: they report
// whether the call itself failed and, separately, how many bytes moved.
class ByteFile {
 public:
  virtual ~ByteFile() = default;
  // Reads up to `size` bytes; `delivered` is how many arrived (0 at the end).
  virtual bool read(unsigned char* buffer, std::uint32_t size, std::uint32_t& delivered) = 0;
  // Writes `size` bytes; `accepted` is how many were taken.
  virtual bool write(const unsigned char* data, std::uint32_t size, std::uint32_t& accepted) = 0;
  // Size of the file when it was opened.
  virtual std::uint64_t size() const = 0;
  // Flushes what was written and closes; false when either failed. Later
  // calls do nothing and return true.
  virtual bool close() = 0;
  // The error of the last call that failed.
  virtual SystemError lastError() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // An existing file, shared with other readers; null when it cannot be opened.
  virtual std::unique_ptr<ByteFile> openForReading(const std::string& path) = 0;
  // A new empty file replacing any of that name, shared with other writers;
  // null when it cannot be created.
  virtual std::unique_ptr<ByteFile> createForWriting(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Renames `from` to `to`, replacing any file at `to` in one step.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  // Whether a file of that name exists and is marked read-only.
  virtual bool isReadOnly(const std::string& path) = 0;
  // Creates an empty file with a new name in the folder of `path` and returns
  // its path; empty when none can be made.
  virtual std::string makeTemporaryBeside(const std::string& path) = 0;
  // The names of the files (not the folders) directly in `folder`, in no
  // particular order; false when it cannot be listed. A file system without
  // folders lists nothing and makes none.
  virtual bool listFiles(const std::string& folder, std::vector<std::string>& names) {
    static_cast<void>(folder);
    names.clear();
    return false;
  }
  // Makes a new empty folder; false when one of that name exists or it cannot
  // be made.
  virtual bool createFolder(const std::string& path) { return static_cast<void>(path), false; }
  // Removes an empty folder.
  virtual bool removeFolder(const std::string& path) { return static_cast<void>(path), false; }
  // The error of the last call above that failed.
  virtual SystemError lastError() const = 0;
};

}  // namespace rovenza
