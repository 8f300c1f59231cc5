#include "layout/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace rovenza {

namespace {

constexpr SystemError kErrorFileNotFound = 2;
constexpr SystemError kErrorReadFault = 30;

class MemoryFile : public ByteFile {
 public:
  MemoryFile(MemoryFileSystem& owner, std::string path, bool writing)
      : owner_(owner), path_(std::move(path)), writing_(writing), size_(owner.files[path_].size()) {}

  bool read(unsigned char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
    delivered = 0;
    auto found = owner_.files.find(path_);
    if (closed_ || writing_ || found == owner_.files.end()) return fail(kErrorAccessDenied);
    const MemoryFileSystem::Bytes& bytes = found->second;
    const std::uint64_t available = offset_ < bytes.size() ? bytes.size() - offset_ : 0;
    const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, available));
    if (owner_.readFailAt >= 0 && offset_ + count > static_cast<std::uint64_t>(owner_.readFailAt)) {
      return fail(kErrorReadFault);
    }
    if (count > 0) std::memcpy(buffer, bytes.data() + offset_, count);
    offset_ += count;
    delivered = count;
    return true;
  }

  bool write(const unsigned char* data, std::uint32_t size, std::uint32_t& accepted) override {
    accepted = 0;
    auto found = owner_.files.find(path_);
    if (closed_ || !writing_ || found == owner_.files.end()) return fail(kErrorAccessDenied);
    MemoryFileSystem::Bytes& bytes = found->second;
    std::uint32_t count = size;
    if (owner_.writeLimit >= 0) {
      const auto limit = static_cast<std::uint64_t>(owner_.writeLimit);
      const std::uint64_t room = limit > bytes.size() ? limit - bytes.size() : 0;
      if (room < size) {
        count = static_cast<std::uint32_t>(room);
        bytes.insert(bytes.end(), data, data + count);
        accepted = count;
        return fail(kErrorDiskFull);
      }
    }
    bytes.insert(bytes.end(), data, data + count);
    accepted = count;
    return true;
  }

  std::uint64_t size() const override { return size_; }

  bool close() override {
    if (closed_) return true;
    closed_ = true;
    if (writing_ && owner_.failClose) return fail(kErrorDiskFull);
    return true;
  }

  SystemError lastError() const override { return lastError_; }

 private:
  bool fail(SystemError error) {
    lastError_ = error;
    return false;
  }

  MemoryFileSystem& owner_;
  std::string path_;
  bool writing_;
  std::uint64_t size_;
  std::uint64_t offset_ = 0;
  bool closed_ = false;
  SystemError lastError_ = 0;
};

}  // namespace

std::unique_ptr<ByteFile> MemoryFileSystem::openForReading(const std::string& path) {
  if (!exists(path)) {
    lastError_ = kErrorFileNotFound;
    return nullptr;
  }
  return std::make_unique<MemoryFile>(*this, path, false);
}

std::unique_ptr<ByteFile> MemoryFileSystem::createForWriting(const std::string& path) {
  if (failCreate) {
    lastError_ = kErrorAccessDenied;
    return nullptr;
  }
  files[path].clear();
  return std::make_unique<MemoryFile>(*this, path, true);
}

namespace {

// Counts a call down; false once no more may succeed.
bool spend(std::int64_t& left) {
  if (left < 0) return true;
  if (left == 0) return false;
  --left;
  return true;
}

bool directlyIn(const std::string& folder, const std::string& path) {
  return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\' &&
         path.find('\\', folder.size() + 1) == std::string::npos;
}

}  // namespace

bool MemoryFileSystem::remove(const std::string& path) {
  if (!spend(removesLeft)) {
    lastError_ = kErrorAccessDenied;
    return false;
  }
  if (files.erase(path) == 0) {
    lastError_ = kErrorFileNotFound;
    return false;
  }
  return true;
}

bool MemoryFileSystem::replace(const std::string& from, const std::string& to) {
  auto found = files.find(from);
  if (!spend(replacesLeft)) {
    lastError_ = kErrorAccessDenied;
    return false;
  }
  if (failReplace || found == files.end()) {
    lastError_ = failReplace ? kErrorAccessDenied : kErrorFileNotFound;
    return false;
  }
  Bytes bytes = std::move(found->second);
  files.erase(found);
  files[to] = std::move(bytes);
  return true;
}

std::string MemoryFileSystem::makeTemporaryBeside(const std::string& path) {
  if (failTemporary) {
    lastError_ = kErrorAccessDenied;
    return std::string();
  }
  std::string name;
  do {
    name = path + ".~" + std::to_string(++temporaryCounter_) + ".tmp";
  } while (exists(name));
  files[name];
  return name;
}

bool MemoryFileSystem::listFiles(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  for (const auto& file : files) {
    if (directlyIn(folder, file.first)) names.push_back(file.first.substr(folder.size() + 1));
  }
  return true;
}

bool MemoryFileSystem::createFolder(const std::string& path) {
  if (failCreateFolder || folders.count(path) != 0 || exists(path)) {
    lastError_ = failCreateFolder ? kErrorAccessDenied : kErrorAlreadyExists;
    return false;
  }
  folders.insert(path);
  return true;
}

bool MemoryFileSystem::removeFolder(const std::string& path) {
  const bool empty = std::none_of(files.begin(), files.end(), [&path](const auto& file) {
    return file.first.size() > path.size() && file.first.compare(0, path.size(), path) == 0 && file.first[path.size()] == '\\';
  });
  if (folders.count(path) == 0 || !empty) {
    lastError_ = kErrorAccessDenied;
    return false;
  }
  folders.erase(path);
  return true;
}

}  // namespace rovenza
