// Writes the demo board for this checkout: a ".qv4" layout file with the
// bus front photograph as background, a roll-film sign (demo/strip.bmp) in
// the left opening and an LED-style sign (demo/led) in the right one.
// Layout files hold absolute paths, so the file is made for the place the
// checkout is in, as the program under Wine sees it (drive Z: is "/").
//
//   make_demo_layouts CHECKOUT OUTPUT.qv4
#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "layout/FileSystem.h"
#include "layout/MemoryBoard.h"
#include "layout/Qv4File.h"

namespace {

using rovenza::ByteFile;
using rovenza::SystemError;

// Files through the C library, for this tool only.
class StdioFile : public ByteFile {
 public:
  explicit StdioFile(std::FILE* file) : file_(file) {}
  ~StdioFile() override { close(); }
  bool read(unsigned char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
    delivered = static_cast<std::uint32_t>(std::fread(buffer, 1, size, file_));
    return !std::ferror(file_);
  }
  bool write(const unsigned char* data, std::uint32_t size, std::uint32_t& accepted) override {
    accepted = static_cast<std::uint32_t>(std::fwrite(data, 1, size, file_));
    return accepted == size;
  }
  std::uint64_t size() const override { return 0; }
  bool close() override {
    if (!file_) return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }
  SystemError lastError() const override { return rovenza::kErrorDiskFull; }

 private:
  std::FILE* file_;
};

class StdioFiles : public rovenza::FileSystem {
 public:
  std::unique_ptr<ByteFile> openForReading(const std::string& path) override { return open(path, "rb"); }
  std::unique_ptr<ByteFile> createForWriting(const std::string& path) override { return open(path, "wb"); }
  bool remove(const std::string& path) override { return std::remove(path.c_str()) == 0; }
  bool replace(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0;
  }
  bool isReadOnly(const std::string& path) override {
    return access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0;
  }
  std::string makeTemporaryBeside(const std::string& path) override { return path + ".tmp"; }
  SystemError lastError() const override { return rovenza::kErrorInvalidData; }

 private:
  static std::unique_ptr<ByteFile> open(const std::string& path, const char* mode) {
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) return nullptr;
    return std::make_unique<StdioFile>(file);
  }
};

// UTF-8 (the file names of this system) to code page 932 (the program's);
// empty when the text has a character that code page 932 lacks.
std::string toCp932(const std::string& utf8) {
  iconv_t convert = iconv_open("CP932", "UTF-8");
  if (convert == reinterpret_cast<iconv_t>(-1)) return std::string();
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* next = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(convert, &in, &inLeft, &next, &outLeft);
  iconv_close(convert);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::string();
  out.resize(out.size() - outLeft);
  return out;
}

// A Unix path as the program sees it under Wine.
std::string windowsPath(const std::string& unixPath) {
  std::string path = "Z:" + toCp932(unixPath);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || argv[1][0] != '/') {
    std::fprintf(stderr, "usage: %s /absolute/checkout OUTPUT.qv4\n", argv[0]);
    return 2;
  }
  std::string checkout = argv[1];
  while (checkout.size() > 1 && checkout.back() == '/') checkout.pop_back();
  const std::string demo = checkout + "/demo/";
  if (toCp932(demo).empty()) {
    std::fprintf(stderr, "%s: the path %s cannot be written in code page 932\n", argv[0], demo.c_str());
    return 1;
  }

  rovenza::MemoryBoard board;
  // The outer size that shows the whole 450 x 400 photograph below the menu.
  board.width = 456;
  board.height = 444;
  board.record.backgroundPicture = windowsPath(demo + "background.jpg");
  // The photograph's two sign openings are 123 x 57 each: the roll-film sign
  // fills the left one; the LED board's 120 x 40 frames sit in the middle of
  // the right one, with the opening's black showing around them.
  board.places[0] = {77, 26, 123, 57, true};
  board.places[1] = {232, 34, 120, 40, true};
  board.record.signs[0] = rovenza::SignSpec{0, 2, 300, 6, windowsPath(demo + "strip.bmp")};
  board.record.signs[1] = rovenza::SignSpec{1, 0, 0, 6, windowsPath(demo + "led")};

  StdioFiles files;
  if (!rovenza::writeLayoutFile(files, argv[2], board)) {
    std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[2]);
    return 1;
  }
  std::printf("%s\n", argv[2]);
  return 0;
}
