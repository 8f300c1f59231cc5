#pragma once
// A file system held in memory: files are byte vectors by path. It serves
// the tests, the fuzzers and the tools, and can be told to fail on purpose.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "layout/FileSystem.h"

namespace rovenza {

class MemoryFileSystem : public FileSystem {
 public:
  using Bytes = std::vector<unsigned char>;

  std::map<std::string, Bytes> files;
  std::set<std::string> readOnly;  // files marked read-only
  std::set<std::string> folders;   // folders made by createFolder; a file's folder is its path up to its last "\\"

  // Fault switches. A negative limit means no limit.
  bool failCreate = false;          // createForWriting fails
  bool failReplace = false;         // replace fails
  bool failTemporary = false;       // makeTemporaryBeside fails
  bool failClose = false;           // close of a written file fails
  std::int64_t writeLimit = -1;     // bytes a written file takes before a write fails
  std::int64_t readFailAt = -1;     // a read reaching this offset fails as a system error
  std::int64_t removesLeft = -1;    // removes that succeed before every later one fails
  std::int64_t replacesLeft = -1;   // likewise for replace
  bool failCreateFolder = false;    // createFolder fails

  bool exists(const std::string& path) const { return files.count(path) != 0; }

  std::unique_ptr<ByteFile> openForReading(const std::string& path) override;
  std::unique_ptr<ByteFile> createForWriting(const std::string& path) override;
  bool remove(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  bool isReadOnly(const std::string& path) override { return exists(path) && readOnly.count(path) != 0; }
  std::string makeTemporaryBeside(const std::string& path) override;
  bool listFiles(const std::string& folder, std::vector<std::string>& names) override;
  bool createFolder(const std::string& path) override;
  bool removeFolder(const std::string& path) override;
  SystemError lastError() const override { return lastError_; }

 private:
  SystemError lastError_ = 0;
  int temporaryCounter_ = 0;
};

}  // namespace rovenza
