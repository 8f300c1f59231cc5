// Any bytes read as a vehicle file and its code table (the input split at
// its first "\n%%\n": the vehicle file before, the table after), beside two
// layouts: no crash; a problem names a line of its file and opens nothing;
// a vehicle read holds only codes 1-999, each once, with periods in range,
// one cell per sign and pages only on LED signs, and every code plans; a
// sign is drawn one pixel a dot only where a PixelDots= key says so.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzBoard.h"
#include "IconvCodec.h"
#include "layout/MemoryBoard.h"
#include "layout/MemoryFileSystem.h"
#include "layout/Qv4File.h"
#include "vehicle/CodePlan.h"
#include "vehicle/VehicleFile.h"

using rovenza::fuzz::require;

namespace {

std::size_t linesOf(std::string_view text) {
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n' || c == '\r';
  return lines;
}

rovenza::MemoryFileSystem folder(const std::string& table) {
  rovenza::MemoryFileSystem files;
  rovenza::MemoryBoard board;
  board.record.signs[0].kind = 0;
  board.record.signs[1].kind = 1;
  rovenza::writeLayoutFile(files, "C:\\v\\a.qv4", board);
  board.record.signs[0].kind = 1;
  board.record.signs[1].kind = 2;
  rovenza::writeLayoutFile(files, "C:\\v\\b.qv4", board);
  files.files["C:\\v\\t.csv"] = rovenza::MemoryFileSystem::Bytes(table.begin(), table.end());
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find("\n%%\n");
  const std::string head = input.substr(0, split);
  const std::string table = split == std::string::npos ? std::string() : input.substr(split + 4);
  rovenza::MemoryFileSystem files = folder(table);
  rovenza::test::IconvCodec codec;
  rovenza::Vehicle vehicle;
  rovenza::VehicleError error = rovenza::readVehicleHead(reinterpret_cast<const unsigned char*>(head.data()),
                                                         head.size(), "C:\\v\\v.rvh", codec, vehicle.head);
  if (!error) error = rovenza::openVehicleParts(files, vehicle);
  if (error) {
    require(vehicle.table.codes.empty(), "a vehicle with a problem has no codes");
    require(error.line >= 0 && static_cast<std::size_t>(error.line) <= linesOf(error.inTable ? table : head),
            "the problem's line is in its file");
    require(!rovenza::vehicleProblemText(error).empty(), "every problem has a message");
    return 0;
  }
  const std::vector<rovenza::SignKind> kinds = rovenza::vehicleSignKinds(vehicle.head);
  require(!vehicle.head.faces.empty() && vehicle.head.faces.size() <= rovenza::kMaxFaces, "one to four faces");
  std::string lowered = head;
  for (char& c : lowered) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lowered.find("pixeldots") == std::string::npos) {
    for (const rovenza::VehicleFace& face : vehicle.head.faces) {
      require(!face.pixelDots[0] && !face.pixelDots[1], "one pixel a dot only where the head says so");
    }
  }
  std::set<int> seen;
  for (const rovenza::VehicleCode& code : vehicle.table.codes) {
    require(code.code >= rovenza::kMinCode && code.code <= rovenza::kMaxCode, "codes 1-999");
    require(seen.insert(code.code).second, "each code once");
    require(code.periodMs >= rovenza::kMinPeriodMs && code.periodMs <= rovenza::kMaxPeriodMs, "periods in range");
    require(code.cells.size() == kinds.size(), "one cell per sign");
    for (std::size_t k = 0; k < kinds.size(); ++k) {
      require(code.cells[k].frames.size() <= 1 || kinds[k] == rovenza::SignKind::Led, "pages only on LED signs");
    }
    const rovenza::CodePlan plan = rovenza::planCode(vehicle, code.code);
    require(plan.found && plan.orders.size() == kinds.size(), "every code plans every sign");
    for (const rovenza::SignOrder& order : plan.orders) {
      const int frame = rovenza::frameOnPage(order, -7);
      require(frame >= -1 && frame <= rovenza::kMaxFrame, "frames 0-999");
    }
  }
  return 0;
}
