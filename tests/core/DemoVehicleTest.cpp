// The demo bus as the build writes it (target demo_vehicle, a dependency of
// this program): it opens, and every frame its code table names is a
// picture of its sign's size, so a demo that no longer fits together fails
// here rather than on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "IconvCodec.h"
#include "layout/MemoryBoard.h"
#include "layout/MemoryFileSystem.h"
#include "layout/Qv4File.h"
#include "sign/PictureSize.h"
#include "vehicle/VehicleFile.h"

namespace rovenza {
namespace {

namespace fs = std::filesystem;

// The demo bus's folder as the program under Wine sees it: every file under
// its Windows path (drive Z: is "/"), in code page 932.
struct DemoBus {
  test::IconvCodec codec;
  MemoryFileSystem files;
  std::string vehiclePath;
  Vehicle vehicle;
  VehicleError error;

  DemoBus() {
    const fs::path folder = fs::path(ROVENZA_SOURCE_DIR) / "build" / "demo" / "vehicle";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      files.files[windowsPath(entry.path())].assign(std::istreambuf_iterator<char>(in), {});
    }
    vehiclePath = windowsPath(folder / "bus.rvh");
    const MemoryFileSystem::Bytes& head = files.files[vehiclePath];
    error = readVehicleHead(head.data(), head.size(), vehiclePath, codec, vehicle.head);
    if (!error) error = openVehicleParts(files, vehicle);
  }

  std::string windowsPath(const fs::path& path) {
    std::string cp932;
    EXPECT_TRUE(codec.utf8ToCp932(path.string(), cp932)) << path;
    std::replace(cp932.begin(), cp932.end(), '/', '\\');
    return "Z:" + cp932;
  }

  PictureSize pictureSize(const std::string& path) {
    const MemoryFileSystem::Bytes& bytes = files.files[path];
    return readPictureSize(bytes.data(), bytes.size());
  }

  // How many frames the sign shows, its pictures checked against its place.
  int framesOf(const MemoryBoard& board, int sign) {
    const SignPlace& place = board.places[sign];
    const std::string& path = board.record.signs[sign].picturePath;
    if (effectiveKind(board.record.signs[sign].kind) == SignKind::RollFilm) {
      const PictureSize strip = pictureSize(path);
      EXPECT_TRUE(strip.known) << path;
      EXPECT_EQ(std::uint32_t(place.width), strip.width) << path;
      EXPECT_EQ(0u, strip.height % place.height) << path;
      return int(strip.height / place.height);
    }
    std::vector<std::string> names;
    files.listFiles(path, names);
    for (const std::string& name : names) {
      const PictureSize frame = pictureSize(path + "\\" + name);
      EXPECT_TRUE(frame.known && frame.width == std::uint32_t(place.width) && frame.height == std::uint32_t(place.height))
          << path << "\\" << name;
    }
    return int(names.size());
  }
};

TEST(DemoVehicle, OpensWithItsThreeFacesAndCodesThatAlternate) {
  DemoBus bus;
  ASSERT_FALSE(bus.error) << vehicleProblemText(bus.error);
  ASSERT_EQ(3u, bus.vehicle.head.faces.size());
  EXPECT_EQ(u8"前面", bus.vehicle.head.faces[0].name);
  EXPECT_EQ(u8"側面", bus.vehicle.head.faces[1].name);
  EXPECT_EQ(u8"後面", bus.vehicle.head.faces[2].name);
  const std::vector<SignKind> kinds = {SignKind::RollFilm, SignKind::Led, SignKind::Led,
                                       SignKind::Led,      SignKind::Led, SignKind::Hidden};
  EXPECT_EQ(kinds, vehicleSignKinds(bus.vehicle.head));

  const std::vector<VehicleCode>& codes = bus.vehicle.table.codes;
  EXPECT_GE(codes.size(), 8u);
  auto anyCode = [&](auto&& test) { return std::any_of(codes.begin(), codes.end(), test); };
  auto anyCell = [](const VehicleCode& code, auto&& test) { return std::any_of(code.cells.begin(), code.cells.end(), test); };
  auto pages = [](std::size_t count) { return [count](const SignCell& cell) { return cell.frames.size() == count; }; };
  EXPECT_TRUE(anyCode([&](const VehicleCode& c) { return c.periodMs == kDefaultPeriodMs && anyCell(c, pages(2)); }));
  EXPECT_TRUE(anyCode([&](const VehicleCode& c) { return c.periodMs != kDefaultPeriodMs && anyCell(c, pages(3)); }));
  EXPECT_TRUE(anyCode([&](const VehicleCode& c) {
    return anyCell(c, [](const SignCell& cell) { return cell.action == CellAction::Blank; });
  }));
}

TEST(DemoVehicle, EveryFrameOfTheTableIsAPictureOfItsSignsSize) {
  DemoBus bus;
  ASSERT_FALSE(bus.error) << vehicleProblemText(bus.error);
  std::vector<int> frames;  // every sign's frame count, face by face
  for (const VehicleFace& face : bus.vehicle.head.faces) {
    MemoryBoard board;
    ASSERT_EQ(ReadOutcome::Applied, readLayoutFile(bus.files, face.layoutPath, board));
    const PictureSize photograph = bus.pictureSize(board.record.backgroundPicture);
    EXPECT_TRUE(photograph.known && photograph.width <= std::uint32_t(board.width)) << board.record.backgroundPicture;
    for (int sign = 0; sign < kSignsPerFace; ++sign) {
      frames.push_back(face.kinds[sign] == SignKind::Hidden ? 0 : bus.framesOf(board, sign));
    }
  }
  for (const VehicleCode& code : bus.vehicle.table.codes) {
    for (std::size_t sign = 0; sign < code.cells.size(); ++sign) {
      for (std::int16_t frame : code.cells[sign].frames) {
        EXPECT_LT(frame, frames[sign]) << "code " << code.code << ", sign " << sign;
      }
    }
  }
}

}  // namespace
}  // namespace rovenza
