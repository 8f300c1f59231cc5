// Any bytes read as the sign maker's CSV file: no crash; a problem names a
// line of the file and gives no rows; a table read, written and read again
// is the same table.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzBoard.h"
#include "IconvCodec.h"
#include "maker/SignTable.h"

using rovenza::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::test::IconvCodec codec;
  const rovenza::CsvReadResult result = rovenza::readSignTableCsv(data, size, codec);
  if (result.problem != rovenza::CsvProblem::None) {
    require(result.rows.empty(), "a file with a problem gives no rows");
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i) lines += data[i] == '\n' || data[i] == '\r';
    require(result.line >= 1 && static_cast<std::size_t>(result.line) <= lines, "the problem's line is in the file");
    return 0;
  }
  std::vector<unsigned char> written;
  rovenza::writeSignTableCsv(result.rows, written);
  const rovenza::CsvReadResult again = rovenza::readSignTableCsv(written.data(), written.size(), codec);
  require(again.problem == rovenza::CsvProblem::None, "a written table reads again");
  require(again.rows == result.rows, "a written table reads as the same rows");
  return 0;
}
