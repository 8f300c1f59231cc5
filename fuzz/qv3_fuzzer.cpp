// Any bytes read as a ".qv3" layout file: no crash, the read either applies
// every field or stops with one read error, and the kinds it sets are
// roll film or hidden.
#include <cstddef>
#include <cstdint>

#include "FakeBoard.h"
#include "FuzzBoard.h"
#include "layout/OlderLayoutFiles.h"

using rovenza::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::MemoryFileSystem files;
  rovenza::fuzz::putFile(files, "in.qv3", data, size);
  rovenza::test::FakeBoard board;
  const rovenza::ReadOutcome outcome = rovenza::readVer3LayoutFile(files, "in.qv3", board);
  require(outcome == rovenza::ReadOutcome::Applied || outcome == rovenza::ReadOutcome::ReadError,
          "a .qv3 read applies or fails");
  require(board.readErrors.size() == (outcome == rovenza::ReadOutcome::ReadError ? 1u : 0u), "one read error");
  if (outcome != rovenza::ReadOutcome::Applied) return 0;
  require(size >= 116, "a complete file holds every fixed field");
  require(board.record.signs[0].kind == 0, "the 1st sign is roll film");
  require(board.record.signs[1].kind == 0 || board.record.signs[1].kind == 2, "the 2nd sign is roll film or hidden");
  require(board.panelWidth == 270 || board.panelWidth == 138, "a panel width of one or two groups");
  for (int sign = 0; sign < rovenza::kSignCount; ++sign) {
    require(board.geometry.left[sign] >= -2184 && board.geometry.left[sign] <= 2184, "twips fit 16 bits");
  }
  return 0;
}
