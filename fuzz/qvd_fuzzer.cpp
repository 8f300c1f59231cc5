// Any bytes read as a ".qvd" layout file: no crash, and a complete read
// leaves an LED 1st sign and a hidden 2nd sign with no picture.
#include <cstddef>
#include <cstdint>

#include "FakeBoard.h"
#include "FuzzBoard.h"
#include "layout/OlderLayoutFiles.h"

using rovenza::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::MemoryFileSystem files;
  rovenza::fuzz::putFile(files, "in.qvd", data, size);
  rovenza::test::FakeBoard board;
  board.record.signs[1].picturePath = "before";
  const rovenza::ReadOutcome outcome = rovenza::readDigitalLayoutFile(files, "in.qvd", board);
  require(outcome == rovenza::ReadOutcome::Applied || outcome == rovenza::ReadOutcome::ReadError,
          "a .qvd read applies or fails");
  require(board.readErrors.size() == (outcome == rovenza::ReadOutcome::ReadError ? 1u : 0u), "one read error");
  if (outcome != rovenza::ReadOutcome::Applied) return 0;
  require(size >= 48, "a complete file holds every fixed field");
  require(board.record.signs[0].kind == 1 && board.record.signs[1].kind == 2, "LED and hidden");
  require(board.record.signs[1].picturePath.empty(), "the 2nd sign has no picture");
  require(board.panelWidth == 138, "one group on the panel");
  return 0;
}
