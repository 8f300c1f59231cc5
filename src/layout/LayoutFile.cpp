#include "layout/LayoutFile.h"

#include <vector>

namespace rovenza {

bool LayoutFile::open(const std::string& path, std::string_view mode) {
  close();
  atEnd_ = false;
  position_ = 0;
  lastError_ = 0;
  if (mode == "r") {
    file_ = files_.openForReading(path);
  } else if (mode == "w") {
    file_ = files_.createForWriting(path);
  } else {
    lastError_ = kErrorInvalidData;
    return false;
  }
  if (!file_) {
    lastError_ = files_.lastError();
    return false;
  }
  size_ = file_->size();
  return true;
}

bool LayoutFile::openReplacing(const std::string& path) {
  close();
  atEnd_ = false;
  position_ = 0;
  lastError_ = 0;
  std::string temporary = files_.makeTemporaryBeside(path);
  if (temporary.empty()) {
    lastError_ = files_.lastError();
    return false;
  }
  file_ = files_.createForWriting(temporary);
  if (!file_) {
    lastError_ = files_.lastError();
    files_.remove(temporary);
    return false;
  }
  size_ = 0;
  target_ = path;
  temporary_ = std::move(temporary);
  return true;
}

bool LayoutFile::commit() {
  if (!file_) return false;
  const bool closed = file_->close();
  if (!closed) lastError_ = file_->lastError();
  file_.reset();
  if (temporary_.empty()) return closed;
  bool placed = false;
  if (closed && files_.isReadOnly(target_)) {
    lastError_ = kErrorAccessDenied;
  } else if (closed) {
    placed = files_.replace(temporary_, target_);
    if (!placed) lastError_ = files_.lastError();
  }
  if (!placed) files_.remove(temporary_);
  temporary_.clear();
  target_.clear();
  return placed;
}

void LayoutFile::close() {
  if (file_) {
    file_->close();
    file_.reset();
  }
  if (!temporary_.empty()) {
    files_.remove(temporary_);
    temporary_.clear();
    target_.clear();
  }
}

std::uint64_t LayoutFile::remaining() const { return size_ > position_ ? size_ - position_ : 0; }

bool LayoutFile::readBytes(unsigned char* buffer, std::uint32_t size) {
  bytesRead_ = 0;
  if (!file_) {
    lastError_ = kErrorInvalidData;
    return false;
  }
  std::uint32_t delivered = 0;
  const bool ok = file_->read(buffer, size, delivered);
  bytesRead_ = delivered > size ? size : delivered;
  position_ += bytesRead_;
  // Any read that delivered nothing sets the end mark, a failed one too.
  if (bytesRead_ == 0 && size > 0) atEnd_ = true;
  if (!ok) {
    lastError_ = file_->lastError();
    return false;
  }
  if (bytesRead_ < size) {
    // The file ended early; no system call failed.
    lastError_ = kErrorHandleEof;
    return false;
  }
  return true;
}

bool LayoutFile::writeBytes(const unsigned char* data, std::uint32_t size) {
  bytesWritten_ = 0;
  if (!file_) {
    lastError_ = kErrorInvalidData;
    return false;
  }
  std::uint32_t accepted = 0;
  const bool ok = file_->write(data, size, accepted);
  bytesWritten_ = accepted > size ? size : accepted;
  position_ += bytesWritten_;
  if (!ok) {
    lastError_ = file_->lastError();
    return false;
  }
  if (bytesWritten_ < size) {
    lastError_ = kErrorDiskFull;
    return false;
  }
  return true;
}

bool LayoutFile::read8(std::uint8_t& value) {
  unsigned char byte = 0;
  if (!readBytes(&byte, 1)) return false;
  value = byte;
  return true;
}

bool LayoutFile::read16(std::uint16_t& value) {
  unsigned char bytes[2] = {};
  if (!readBytes(bytes, sizeof bytes)) return false;
  value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
  return true;
}

bool LayoutFile::read16(std::int16_t& value) {
  std::uint16_t raw = 0;
  if (!read16(raw)) return false;
  value = static_cast<std::int16_t>(raw);
  return true;
}

bool LayoutFile::read32(std::uint32_t& value) {
  unsigned char bytes[4] = {};
  if (!readBytes(bytes, sizeof bytes)) return false;
  value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
          (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  return true;
}

bool LayoutFile::read32(std::int32_t& value) {
  std::uint32_t raw = 0;
  if (!read32(raw)) return false;
  value = static_cast<std::int32_t>(raw);
  return true;
}

bool LayoutFile::readText(std::uint32_t count, std::string& text) {
  if (count == 0) {
    text.clear();
    return true;
  }
  if (count > kMaxCountedStringBytes) {
    bytesRead_ = 0;
    lastError_ = kErrorInvalidData;
    return false;
  }
  if (count > remaining()) {
    bytesRead_ = 0;
    lastError_ = kErrorHandleEof;
    return false;
  }
  std::vector<unsigned char> bytes(count + 1, 0);
  if (!readBytes(bytes.data(), count)) return false;
  // A zero byte inside the stored text ends it there.
  std::size_t length = 0;
  while (length < count && bytes[length] != 0) ++length;
  text.assign(reinterpret_cast<const char*>(bytes.data()), length);
  return true;
}

bool LayoutFile::readCountedString(std::string& text) {
  std::uint32_t count = 0;
  return read32(count) && readText(count, text);
}

bool LayoutFile::readShortCountedString(std::string& text) {
  std::uint16_t count = 0;
  return read16(count) && readText(count, text);
}

bool LayoutFile::write8(std::uint32_t value) {
  const unsigned char byte = static_cast<unsigned char>(value & 0xFF);
  return writeBytes(&byte, 1);
}

bool LayoutFile::write16(std::uint32_t value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value & 0xFF),
                                  static_cast<unsigned char>((value >> 8) & 0xFF)};
  return writeBytes(bytes, sizeof bytes);
}

bool LayoutFile::write32(std::uint32_t value) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>((value >> 8) & 0xFF),
      static_cast<unsigned char>((value >> 16) & 0xFF), static_cast<unsigned char>((value >> 24) & 0xFF)};
  return writeBytes(bytes, sizeof bytes);
}

bool LayoutFile::writeCountedString(std::string_view text) {
  if (text.size() != static_cast<std::uint32_t>(text.size())) {
    lastError_ = kErrorInvalidData;
    return false;
  }
  const auto count = static_cast<std::uint32_t>(text.size());
  if (!write32(count)) return false;
  return count == 0 || writeBytes(reinterpret_cast<const unsigned char*>(text.data()), count);
}

bool LayoutFile::writeShortCountedString(std::string_view text) {
  if (text.size() > 0xFFFFu) {
    lastError_ = kErrorInvalidData;
    return false;
  }
  const auto count = static_cast<std::uint32_t>(text.size());
  if (!write16(count)) return false;
  return count == 0 || writeBytes(reinterpret_cast<const unsigned char*>(text.data()), count);
}

SystemError saveReplacing(FileSystem& files, const std::string& path,
                          const std::function<bool(LayoutFile&)>& writeContents) {
  LayoutFile file(files);
  if (!file.openReplacing(path)) return file.lastError() ? file.lastError() : kErrorInvalidData;
  if (!writeContents(file)) {
    const SystemError error = file.lastError();
    file.close();
    return error ? error : kErrorInvalidData;
  }
  if (!file.commit()) return file.lastError() ? file.lastError() : kErrorInvalidData;
  return 0;
}

}  // namespace rovenza
