// Any bytes read as a ".qv4" layout file: no crash, no read past the input,
// a bounded string, and a file that was read in full saves back to a file
// that reads as the same board.
#include <cstddef>
#include <cstdint>

#include "FakeBoard.h"
#include "FuzzBoard.h"
#include "layout/LayoutFile.h"
#include "layout/Qv4File.h"

using rovenza::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::MemoryFileSystem files;
  rovenza::fuzz::putFile(files, "in.qv4", data, size);
  rovenza::test::FakeBoard board;
  const rovenza::ReadOutcome outcome = rovenza::readLayoutFile(files, "in.qv4", board);
  require(outcome != rovenza::ReadOutcome::NotOpened, "an existing file opens");
  require(board.readErrors.size() == (outcome == rovenza::ReadOutcome::ReadError ? 1u : 0u),
          "one read error exactly when the read failed");
  require(board.record.backgroundPicture.size() <= rovenza::kMaxCountedStringBytes, "bounded background path");
  for (const rovenza::SignSpec& sign : board.record.signs) {
    require(sign.picturePath.size() <= rovenza::kMaxCountedStringBytes, "bounded picture path");
  }
  if (outcome != rovenza::ReadOutcome::Applied) return 0;
  require(size >= 96, "a complete file holds every fixed field");

  rovenza::MemoryFileSystem saved;
  require(rovenza::writeLayoutFile(saved, "out.qv4", board), "a read board saves");
  rovenza::test::FakeBoard again;
  require(rovenza::readLayoutFile(saved, "out.qv4", again) == rovenza::ReadOutcome::Applied, "a saved board reads");
  require(again.state() == board.state(), "save then read gives the same board");
  require(saved.files["out.qv4"].size() <= size, "the saved file is never longer than the one read");
  return 0;
}
