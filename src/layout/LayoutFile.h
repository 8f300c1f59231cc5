#pragma once
// The binary file object of the program: layout files and the settings file
// are sequences of little-endian fields read and written through it. It is
// the one bounds-checked reader: a read succeeds only when every byte asked
// for arrived, and a counted string never asks for more than the file holds.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "layout/FileSystem.h"

namespace rovenza {

// Longest counted string a reader accepts: far beyond any real path.
constexpr std::uint32_t kMaxCountedStringBytes = 64 * 1024;

class LayoutFile {
 public:
  explicit LayoutFile(FileSystem& files) : files_(files) {}
  ~LayoutFile() { close(); }
  LayoutFile(const LayoutFile&) = delete;
  LayoutFile& operator=(const LayoutFile&) = delete;

  // Mode "r" opens an existing file for reading, "w" creates one for writing
  // (replacing any file of that name); any other mode fails. Resets atEnd.
  bool open(const std::string& path, std::string_view mode);
  // Opens for writing a new temporary file beside `path`; `commit` puts it
  // in place of `path` once everything was written.
  bool openReplacing(const std::string& path);
  // Closes; after openReplacing also replaces the target with the written
  // file. On any failure the temporary file is removed and the target kept;
  // a target marked read-only is never replaced (access denied).
  bool commit();
  // Closes; a replacing write that was not committed is thrown away.
  void close();
  bool isOpen() const { return file_ != nullptr; }

  bool read8(std::uint8_t& value);
  bool read16(std::int16_t& value);
  bool read16(std::uint16_t& value);
  bool read32(std::int32_t& value);
  bool read32(std::uint32_t& value);
  // A 32-bit byte count followed by that many bytes; the text ends at the
  // first zero byte among them.
  bool readCountedString(std::string& text);
  // The same with a 16-bit count.
  bool readShortCountedString(std::string& text);

  bool write8(std::uint32_t value);  // the low byte
  bool write16(std::uint32_t value); // the low two bytes
  bool write32(std::uint32_t value);
  bool writeCountedString(std::string_view text);
  bool writeShortCountedString(std::string_view text);
  // `size` bytes as they are (the body of a file that is not a layout file).
  bool writeBlock(const unsigned char* data, std::uint32_t size) { return writeBytes(data, size); }

  std::uint32_t bytesRead() const { return bytesRead_; }        // by the last read
  std::uint32_t bytesWritten() const { return bytesWritten_; }  // by the last write
  bool atEnd() const { return atEnd_; }  // a read delivered no byte at all
  std::uint64_t position() const { return position_; }
  // Why the last operation failed, as a system error number.
  SystemError lastError() const { return lastError_; }

 private:
  bool readBytes(unsigned char* buffer, std::uint32_t size);
  bool writeBytes(const unsigned char* data, std::uint32_t size);
  bool readText(std::uint32_t count, std::string& text);
  std::uint64_t remaining() const;

  FileSystem& files_;
  std::unique_ptr<ByteFile> file_;
  std::string target_;     // the file a replacing write will replace
  std::string temporary_;  // the file it writes meanwhile
  std::uint32_t bytesRead_ = 0;
  std::uint32_t bytesWritten_ = 0;
  bool atEnd_ = false;
  std::uint64_t position_ = 0;
  std::uint64_t size_ = 0;
  SystemError lastError_ = 0;
};

// Writes a whole file safely: `writeContents` fills a temporary file beside
// `path`, which replaces `path` only when every write and the close went
// well. Otherwise the temporary file is removed, the old file stays as it
// was, and the system error is returned (0 for success).
SystemError saveReplacing(FileSystem& files, const std::string& path,
                          const std::function<bool(LayoutFile&)>& writeContents);

}  // namespace rovenza
