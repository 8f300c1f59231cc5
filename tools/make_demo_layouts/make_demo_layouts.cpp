// Writes the demo layouts for this checkout, through the program's own
// layout writer. Layout files hold absolute paths, so they are made for the
// place their pictures are in, as the program under Wine sees it (drive Z:
// is "/").
//
//   make_demo_layouts CHECKOUT OUTPUT.qv4
//     the demo board: the bus front photograph as background, a roll-film
//     sign (demo/strip.bmp) in the left opening and an LED-style sign
//     (demo/led) in the right one.
//   make_demo_layouts --vehicle FOLDER
//     the demo bus's faces front.qv4, side.qv4 and rear.qv4 in FOLDER, a copy
//     of demo/vehicle (pictures drawn by tools/make_demo_vehicle.py, whose
//     sign openings the places below follow), naming the pictures beside
//     them.
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

// The Windows path of `unixPath`, or empty (with a message) when code page
// 932 cannot write it.
std::string checkedWindowsPath(const char* tool, const std::string& unixPath) {
  if (toCp932(unixPath).empty()) {
    std::fprintf(stderr, "%s: the path %s cannot be written in code page 932\n", tool, unixPath.c_str());
    return std::string();
  }
  return windowsPath(unixPath);
}

bool writeBoard(const char* tool, const std::string& path, rovenza::MemoryBoard& board) {
  StdioFiles files;
  if (!rovenza::writeLayoutFile(files, path, board)) {
    std::fprintf(stderr, "%s: could not write %s\n", tool, path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

int writeDemoBoard(const char* tool, const std::string& checkout, const std::string& output) {
  const std::string demo = checkedWindowsPath(tool, checkout + "/demo/");
  if (demo.empty()) return 1;
  rovenza::MemoryBoard board;
  // The outer size that shows the whole 450 x 400 photograph below the menu.
  board.width = 456;
  board.height = 444;
  board.record.backgroundPicture = demo + "background.jpg";
  // The photograph's two sign openings are 123 x 57 each: the roll-film sign
  // fills the left one; the LED board's 120 x 40 frames sit in the middle of
  // the right one, with the opening's black showing around them.
  board.places[0] = {77, 26, 123, 57, true};
  board.places[1] = {232, 34, 120, 40, true};
  board.record.signs[0] = rovenza::SignSpec{0, 2, 300, 6, demo + "strip.bmp"};
  board.record.signs[1] = rovenza::SignSpec{1, 0, 0, 6, demo + "led"};
  return writeBoard(tool, output, board) ? 0 : 1;
}

// One face of the demo bus: its photograph, the outer size that shows it
// whole below the menu, and its signs (a place with no picture is hidden).
struct DemoFace {
  const char* layout;
  const char* photograph;
  std::int32_t width, height;
  rovenza::SignPlace places[rovenza::kSignCount];
  rovenza::SignSpec signs[rovenza::kSignCount];
};

int writeDemoVehicle(const char* tool, const std::string& folder) {
  const std::string where = checkedWindowsPath(tool, folder + "/");
  if (where.empty()) return 1;
  constexpr std::uint8_t kRollFilm = 0, kLed = 1, kHidden = 2;
  const DemoFace faces[] = {
      // 前面: the destination on roll film (the panel's 1st sign, as on the
      // demo board) and the route number's LED sign left of it.
      {"front.qv4", "front.jpg", 456, 444,
       {{142, 25, 240, 57, true}, {64, 30, 64, 48, true}},
       {{kRollFilm, 2, 300, 4, "front-destination.png"}, {kLed, 0, 0, 4, "front-route"}}},
      // 側面: one 128 x 32 dot board behind the first window, cut into the
      // type part (48 dots) and the destination part (80 dots).
      {"side.qv4", "side.jpg", 486, 344,
       {{150, 64, 96, 64, true}, {246, 64, 160, 64, true}},
       {{kLed, 0, 0, 0, "side-type"}, {kLed, 0, 0, 0, "side-destination"}}},
      // 後面: a small route-number sign above the rear window.
      {"rear.qv4", "rear.jpg", 326, 344,
       {{112, 26, 96, 48, true}, {0, 0, 0, 0, false}},
       {{kLed, 0, 0, 4, "rear-route"}, {kHidden, 0, 0, 0, ""}}},
  };
  for (const DemoFace& face : faces) {
    rovenza::MemoryBoard board;
    board.width = face.width;
    board.height = face.height;
    board.record.backgroundPicture = where + face.photograph;
    for (int sign = 0; sign < rovenza::kSignCount; ++sign) {
      board.places[sign] = face.places[sign];
      board.record.signs[sign] = face.signs[sign];
      if (!face.signs[sign].picturePath.empty()) board.record.signs[sign].picturePath = where + face.signs[sign].picturePath;
    }
    if (!writeBoard(tool, folder + "/" + face.layout, board)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool vehicle = argc == 3 && std::string(argv[1]) == "--vehicle";
  const char* path = vehicle ? argv[2] : argc == 3 ? argv[1] : "";
  if (argc != 3 || path[0] != '/') {
    std::fprintf(stderr, "usage: %s /absolute/checkout OUTPUT.qv4\n       %s --vehicle /absolute/folder\n", argv[0],
                 argv[0]);
    return 2;
  }
  std::string absolute = path;
  while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  return vehicle ? writeDemoVehicle(argv[0], absolute) : writeDemoBoard(argv[0], absolute, argv[2]);
}
