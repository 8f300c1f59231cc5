#pragma once
// A layout file cut at every byte: the reader applies exactly the fields that
// end before the cut, then reports the read error once.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "FakeBoard.h"
#include "LayoutFileBytes.h"
#include "layout/Qv4File.h"

namespace rovenza::test {

// Where a field of a sample file ends, and how many board calls reading it makes.
struct FieldEnd {
  std::size_t end;
  std::size_t calls;
};

// `read(file, board)` reads the bytes of `file` into `board` and returns the outcome.
template <typename Read>
void expectEveryCutAppliesTheFieldsBeforeIt(const FileBytes& sample, const std::vector<FieldEnd>& ends,
                                            const std::vector<std::string>& fullCalls, Read read) {
  ASSERT_FALSE(ends.empty());
  ASSERT_EQ(sample.size(), ends.back().end);
  for (std::size_t cut = 0; cut < sample.size(); ++cut) {
    FileBytes file;
    file.bytes.assign(sample.bytes.begin(), sample.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    FakeBoard board;
    EXPECT_EQ(ReadOutcome::ReadError, read(file, board)) << "cut at " << cut;
    std::size_t applied = 0;
    for (const FieldEnd& field : ends) {
      if (field.end <= cut) applied += field.calls;
    }
    ASSERT_LE(applied, fullCalls.size());
    std::vector<std::string> expected(fullCalls.begin(), fullCalls.begin() + static_cast<std::ptrdiff_t>(applied));
    expected.push_back("message readError");
    EXPECT_EQ(expected, board.calls) << "cut at " << cut;
    ASSERT_EQ(1u, board.readErrors.size()) << "cut at " << cut;
    EXPECT_NE(0u, board.readErrors[0]) << "cut at " << cut;
  }
}

}  // namespace rovenza::test
