#include "layout/win32/SystemFiles.h"

#include <windows.h>

#include "common/win32/Scoped.h"
#include "layout/FileNames.h"

namespace rovenza {

namespace {

class DiskFile : public ByteFile {
 public:
  DiskFile(HANDLE handle, bool writing) : handle_(handle), writing_(writing) {
    LARGE_INTEGER size{};
    if (!writing && GetFileSizeEx(handle, &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
  }

  bool read(unsigned char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
    DWORD count = 0;
    const BOOL ok = ReadFile(handle_.get(), buffer, size, &count, nullptr);
    delivered = count;
    if (!ok) lastError_ = GetLastError();
    return ok != FALSE;
  }

  bool write(const unsigned char* data, std::uint32_t size, std::uint32_t& accepted) override {
    DWORD count = 0;
    const BOOL ok = WriteFile(handle_.get(), data, size, &count, nullptr);
    accepted = count;
    if (!ok) lastError_ = GetLastError();
    return ok != FALSE;
  }

  std::uint64_t size() const override { return size_; }

  bool close() override {
    if (!handle_.valid()) return true;
    bool ok = true;
    if (writing_ && !FlushFileBuffers(handle_.get())) {
      lastError_ = GetLastError();
      ok = false;
    }
    if (!CloseHandle(handle_.release())) {
      if (ok) lastError_ = GetLastError();
      ok = false;
    }
    return ok;
  }

  SystemError lastError() const override { return lastError_; }

 private:
  ScopedHandle handle_;
  bool writing_;
  std::uint64_t size_ = 0;
  SystemError lastError_ = 0;
};

class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openForReading(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return failed();
    return std::make_unique<DiskFile>(handle, false);
  }

  std::unique_ptr<ByteFile> createForWriting(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return failed();
    return std::make_unique<DiskFile>(handle, true);
  }

  bool remove(const std::string& path) override { return check(DeleteFileA(path.c_str())); }

  bool replace(const std::string& from, const std::string& to) override {
    return check(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  }

  bool isReadOnly(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }

  std::string makeTemporaryBeside(const std::string& path) override {
    char name[MAX_PATH] = {};
    if (!check(GetTempFileNameA(folderOf(path).c_str(), "rvz", 0, name) != 0)) return std::string();
    return name;
  }

  bool listFiles(const std::string& folder, std::vector<std::string>& names) override {
    names.clear();
    WIN32_FIND_DATAA found{};
    ScopedFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return check(FALSE);
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    const DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_FILES) return true;
    lastError_ = error;
    return false;
  }

  bool createFolder(const std::string& path) override { return check(CreateDirectoryA(path.c_str(), nullptr)); }

  bool removeFolder(const std::string& path) override { return check(RemoveDirectoryA(path.c_str())); }

  SystemError lastError() const override { return lastError_; }

 private:
  std::unique_ptr<ByteFile> failed() {
    lastError_ = GetLastError();
    return nullptr;
  }

  bool check(BOOL ok) {
    if (!ok) lastError_ = GetLastError();
    return ok != FALSE;
  }

  SystemError lastError_ = 0;
};

}  // namespace

FileSystem& systemFiles() {
  static DiskFileSystem files;
  return files;
}

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace rovenza
