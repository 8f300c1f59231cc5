// The ".qv4" layout file: its bytes, the reader applying field by field,
// what stays when a read fails, applyLayout's order and the safe writer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CutFiles.h"
#include "FakeBoard.h"
#include "LayoutFileBytes.h"
#include "layout/MemoryBoard.h"
#include "layout/MemoryFileSystem.h"
#include "layout/Qv4File.h"

namespace rovenza {
namespace {

using test::FakeBoard;
using test::FieldEnd;
using test::FileBytes;
using test::Qv4Sign;
using test::qv4File;
using Bytes = MemoryFileSystem::Bytes;
using Calls = std::vector<std::string>;

const char kPath[] = "C:\\boards\\board.qv4";

// A board whose every field differs from FakeBoard's start and from the others.
FakeBoard sampleBoard() {
  FakeBoard board;
  board.record.backgroundPicture = "C:\\pictures\\\x95\x5C\x8E\xA6.jpg";
  board.geometry.formWidth = 456;
  board.geometry.formHeight = 446;
  board.geometry.left[0] = 11;
  board.geometry.top[0] = 12;
  board.geometry.width[0] = 13;
  board.geometry.height[0] = 14;
  board.geometry.left[1] = -21;
  board.geometry.top[1] = 22;
  board.geometry.width[1] = 23;
  board.geometry.height[1] = 24;
  board.record.signs[0] = SignSpec{0, 100, 200, 5, "C:\\strip.bmp"};
  board.record.signs[1] = SignSpec{1, 0x12345, -3, 50, "C:\\led"};
  return board;
}

TEST(Qv4File, ALayoutWithoutPicturesIsNinetySixBytes) {
  MemoryFileSystem files;
  FakeBoard board;
  ASSERT_TRUE(writeLayoutFile(files, kPath, board));
  const Bytes& bytes = files.files[kPath];
  ASSERT_EQ(96u, bytes.size());
  const Bytes head = {0x0E, 0, 0, 0, 'Q', 'v', 'A', 'p', 'p', '4', 'D', 'a', 't', 'a', 'F', 'i', 'l', 'e'};
  EXPECT_EQ(head, Bytes(bytes.begin(), bytes.begin() + 18));
  const FileBytes expected = qv4File("", 450, 450, Qv4Sign{0, 77, 26, 123, 57, 0, 0, 0, ""},
                                     Qv4Sign{0, 231, 26, 123, 57, 0, 0, 0, ""});
  EXPECT_EQ(expected.bytes, bytes);
  EXPECT_TRUE(board.saveErrors.empty());
}

TEST(Qv4File, EveryFieldIsWrittenAtItsPlace) {
  MemoryFileSystem files;
  FakeBoard board = sampleBoard();
  ASSERT_TRUE(writeLayoutFile(files, kPath, board));
  const FileBytes expected =
      qv4File("C:\\pictures\\\x95\x5C\x8E\xA6.jpg", 456, 446, Qv4Sign{0, 11, 12, 13, 14, 100, 200, 5, "C:\\strip.bmp"},
              Qv4Sign{1, -21, 22, 23, 24, 0x12345, -3, 50, "C:\\led"});
  EXPECT_EQ(expected.bytes, files.files[kPath]);
}

TEST(Qv4File, APathOfFortyBytesAddsFortyBytes) {
  MemoryFileSystem files;
  FakeBoard board;
  board.record.signs[0].picturePath = std::string(40, 'p');
  ASSERT_TRUE(writeLayoutFile(files, kPath, board));
  EXPECT_EQ(136u, files.files[kPath].size());
}

TEST(Qv4File, WritingThenReadingGivesBackEveryField) {
  MemoryFileSystem files;
  FakeBoard source = sampleBoard();
  source.geometry.left[1] = 21;  // a place the layout form can make
  ASSERT_TRUE(writeLayoutFile(files, kPath, source));
  FakeBoard target;
  EXPECT_EQ(ReadOutcome::Applied, readLayoutFile(files, kPath, target));
  EXPECT_EQ(source.record.backgroundPicture, target.record.backgroundPicture);
  EXPECT_EQ(456, target.geometry.formWidth);
  EXPECT_EQ(446, target.geometry.formHeight);
  for (int s = 0; s < kSignCount; ++s) {
    const SignSpec& a = source.record.signs[s];
    const SignSpec& b = target.record.signs[s];
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.speed, b.speed);
    EXPECT_EQ(a.interval, b.interval);
    EXPECT_EQ(a.cornerRound, b.cornerRound);
    EXPECT_EQ(a.picturePath, b.picturePath);
    EXPECT_EQ(source.geometry.left[s], target.geometry.left[s]);
    EXPECT_EQ(source.geometry.top[s], target.geometry.top[s]);
    EXPECT_EQ(source.geometry.width[s], target.geometry.width[s]);
    EXPECT_EQ(source.geometry.height[s], target.geometry.height[s]);
  }
  // The panel's up-downs take the low 16 bits.
  EXPECT_EQ(100, target.speedUpDown[0]);
  EXPECT_EQ(200, target.intervalUpDown[0]);
  EXPECT_EQ(0x2345, target.speedUpDown[1]);
  EXPECT_EQ(-3, target.intervalUpDown[1]);
  EXPECT_TRUE(target.readErrors.empty());

  // Saving straight after the read writes the same file again.
  MemoryFileSystem again;
  ASSERT_TRUE(writeLayoutFile(again, kPath, target));
  EXPECT_EQ(files.files[kPath], again.files[kPath]);
}

const Calls kSampleFieldCalls = {
    "background C:\\bg.jpg", "formWidth 300", "formHeight 200",
    "kind0 0", "left0 1", "top0 2", "width0 3", "height0 4", "speedUpDown0 5", "speed0 5",
    "intervalUpDown0 6", "interval0 6", "cornerRound0 7", "picture0 C:\\s.bmp",
    "kind1 1", "left1 11", "top1 12", "width1 13", "height1 14", "speedUpDown1 15", "speed1 15",
    "intervalUpDown1 16", "interval1 16", "cornerRound1 17", "picture1 C:\\led"};

const FileBytes kSampleFile = qv4File("C:\\bg.jpg", 300, 200, Qv4Sign{0, 1, 2, 3, 4, 5, 6, 7, "C:\\s.bmp"},
                                      Qv4Sign{1, 11, 12, 13, 14, 15, 16, 17, "C:\\led"});

TEST(Qv4File, ReadingAppliesEachFieldInFileOrderThenTheLayout) {
  MemoryFileSystem files;
  files.files[kPath] = kSampleFile.bytes;
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readLayoutFile(files, kPath, board));
  Calls expected = kSampleFieldCalls;
  const Calls apply = {"loadBackground", "showStripPicture 0", "show 0", "releaseSignPicture 1",
                       "moveSignHome 1", "show 1", "display1 0", "rollSign 1", "panelWidth 270",
                       "applyCornerRounding 0", "applyCornerRounding 1", "resetSign 0", "resetSign 1"};
  expected.insert(expected.end(), apply.begin(), apply.end());
  EXPECT_EQ(expected, board.calls);
}

// Offsets at which each field of kSampleFile ends, with the number of calls
// reading it makes (the signature makes none).
std::vector<FieldEnd> sampleFieldEnds() {
  const std::size_t b = 9, p0 = 8, p1 = 6;
  std::vector<FieldEnd> ends = {{18, 0}, {22 + b, 1}, {26 + b, 1}, {30 + b, 1}};
  const std::size_t first[] = {31, 35, 39, 43, 47, 51, 55, 59, 63};
  const std::size_t calls[] = {1, 1, 1, 1, 1, 2, 2, 1, 1};
  for (int i = 0; i < 9; ++i) ends.push_back({first[i] + b + (i == 8 ? p0 : 0), calls[i]});
  const std::size_t second[] = {64, 68, 72, 76, 80, 84, 88, 92, 96};
  for (int i = 0; i < 9; ++i) ends.push_back({second[i] + b + p0 + (i == 8 ? p1 : 0), calls[i]});
  return ends;
}

TEST(Qv4File, AFileCutAtAnyByteAppliesExactlyTheFieldsBeforeTheCut) {
  test::expectEveryCutAppliesTheFieldsBeforeIt(kSampleFile, sampleFieldEnds(), kSampleFieldCalls,
                                               [](const FileBytes& file, FakeBoard& board) {
                                                 MemoryFileSystem files;
                                                 files.files[kPath] = file.bytes;
                                                 return readLayoutFile(files, kPath, board);
                                               });
}

TEST(Qv4File, AFailingSystemReadKeepsTheFieldsBeforeIt) {
  MemoryFileSystem files;
  files.files[kPath] = kSampleFile.bytes;
  files.readFailAt = 40;  // inside the 1st sign's left
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::ReadError, readLayoutFile(files, kPath, board));
  EXPECT_EQ(300, board.geometry.formWidth);
  EXPECT_EQ(200, board.geometry.formHeight);
  EXPECT_EQ(77, board.geometry.left[0]);
  ASSERT_EQ(1u, board.readErrors.size());
  EXPECT_EQ(30u, board.readErrors[0]) << "the system's own error";
}

TEST(Qv4File, AWrongSignatureChangesNothing) {
  const char* signatures[] = {"QvApp4DataFilf", "qvapp4datafile", "", "QvApp4DataFile2", "QvApp4Data",
                              "QvApp3DataFile"};
  for (const char* signature : signatures) {
    MemoryFileSystem files;
    files.files[kPath] = qv4File("C:\\bg.jpg", 300, 200, Qv4Sign{2, 1, 2, 3, 4, 5, 6, 7, ""},
                                 Qv4Sign{2, 11, 12, 13, 14, 15, 16, 17, ""}, signature)
                             .bytes;
    FakeBoard board;
    const std::string before = board.state();
    EXPECT_EQ(ReadOutcome::NotLayoutFile, readLayoutFile(files, kPath, board)) << signature;
    EXPECT_EQ(Calls{"message notLayoutFile"}, board.calls) << signature;
    EXPECT_EQ(before, board.state());
  }
}

TEST(Qv4File, ASignatureLongerThanTheFileIsAReadError) {
  MemoryFileSystem files;
  files.files[kPath] = FileBytes().u32(0x7FFFFFFF).text("QvApp4DataFile").bytes;
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::ReadError, readLayoutFile(files, kPath, board));
  EXPECT_EQ(Calls{"message readError"}, board.calls);
}

TEST(Qv4File, AHugeCountedStringIsRefusedAndTheFieldsBeforeItStay) {
  for (std::uint32_t count : {0xFFFFFFFFu, 0x10001u, 200u}) {
    FileBytes f;
    f.counted("QvApp4DataFile").counted("").u32(300).u32(200).u8(0).u32(1).u32(2).u32(3).u32(4).u32(5).u32(6).u32(7);
    f.u32(count).text("abc");
    MemoryFileSystem files;
    files.files[kPath] = f.bytes;
    FakeBoard board;
    EXPECT_EQ(ReadOutcome::ReadError, readLayoutFile(files, kPath, board)) << count;
    EXPECT_EQ("cornerRound0 7", board.calls[board.calls.size() - 2]) << count;
    EXPECT_EQ("message readError", board.calls.back());
    EXPECT_EQ(300, board.geometry.formWidth);
  }
}

// Form size 20-1024, sign left and top 0-1024, width and height 1-1024: the
// layout form's ranges. Values inside them are applied as read.
TEST(Qv4File, SizesAndPlacesAreHeldToTheFormsRanges) {
  struct Held {
    std::int32_t stored, formSize, place, signSize;
  };
  const Held cases[] = {{0x7FFFFFFF, 1024, 1024, 1024}, {1025, 1024, 1024, 1024}, {1024, 1024, 1024, 1024},
                        {20, 20, 20, 20}, {19, 20, 19, 19}, {0, 20, 0, 1}, {-2147483647 - 1, 20, 0, 1}};
  for (const Held& c : cases) {
    const std::int32_t v = c.stored;
    MemoryFileSystem files;
    files.files[kPath] = qv4File("", v, v, Qv4Sign{0, v, v, v, v, 0, 0, 0, ""}, Qv4Sign{1, v, v, v, v, 0, 0, 0, ""}).bytes;
    FakeBoard board;
    ASSERT_EQ(ReadOutcome::Applied, readLayoutFile(files, kPath, board)) << v;
    const test::BoardGeometry& g = board.geometry;
    EXPECT_EQ((std::vector<std::int32_t>{c.formSize, c.formSize, c.place, c.place, c.signSize, c.signSize}),
              (std::vector<std::int32_t>{g.formWidth, g.formHeight, g.left[1], g.top[1], g.width[1], g.height[1]}))
        << v;
  }
}

TEST(Qv4File, AFileThatCannotBeOpenedChangesNothingSilently) {
  MemoryFileSystem files;
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::NotOpened, readLayoutFile(files, kPath, board));
  EXPECT_TRUE(board.calls.empty());
}

TEST(Qv4File, AZeroByteInsideAPathEndsIt) {
  MemoryFileSystem files;
  files.files[kPath] = qv4File(std::string("C:\\a\0b", 6), 300, 200, Qv4Sign{0, 1, 2, 3, 4, 5, 6, 7, ""},
                               Qv4Sign{0, 11, 12, 13, 14, 15, 16, 17, ""})
                           .bytes;
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readLayoutFile(files, kPath, board));
  EXPECT_EQ("C:\\a", board.record.backgroundPicture);
  EXPECT_EQ(300, board.geometry.formWidth);
}

TEST(Qv4File, AnUnknownSecondKindIsHiddenAndWrittenBackUnchanged) {
  MemoryFileSystem files;
  files.files[kPath] = qv4File("", 300, 200, Qv4Sign{0, 1, 2, 3, 4, 5, 6, 7, ""},
                               Qv4Sign{5, 11, 12, 13, 14, 15, 16, 17, "C:\\x"})
                           .bytes;
  FakeBoard board;
  board.panelWidth = 270;
  EXPECT_EQ(ReadOutcome::Applied, readLayoutFile(files, kPath, board));
  EXPECT_FALSE(board.geometry.visible[1]);
  EXPECT_EQ(138, board.panelWidth);
  EXPECT_EQ(5, board.record.signs[1].kind);
  MemoryFileSystem saved;
  ASSERT_TRUE(writeLayoutFile(saved, kPath, board));
  EXPECT_EQ(5, saved.files[kPath][63]);
  EXPECT_EQ(files.files[kPath], saved.files[kPath]);
}

struct ApplyCase {
  std::uint8_t first;
  std::uint8_t second;
  Calls calls;
};

TEST(Qv4File, ApplyLayoutPutsEachKindOnScreenInItsOrder) {
  const Calls roll0 = {"showStripPicture 0", "show 0"};
  const Calls led0 = {"releaseSignPicture 0", "moveSignHome 0", "display0 0", "rollSign 0", "show 0"};
  const Calls hide0 = {"releaseSignPicture 0", "hide 0"};
  const Calls roll1 = {"showStripPicture 1", "show 1", "panelWidth 270"};
  const Calls led1 = {"releaseSignPicture 1", "moveSignHome 1", "show 1", "display1 0", "rollSign 1",
                      "panelWidth 270"};
  const Calls hide1 = {"releaseSignPicture 1", "hide 1", "panelWidth 138"};
  struct Row {
    std::uint8_t first, second;
    const Calls& a;
    const Calls& b;
  };
  const Row rows[] = {{0, 0, roll0, roll1}, {0, 1, roll0, led1},   {0, 2, roll0, hide1}, {1, 0, led0, roll1},
                      {1, 2, led0, hide1},  {2, 0, hide0, roll1},  {7, 255, hide0, hide1}, {3, 1, hide0, led1}};
  for (const Row& row : rows) {
    FakeBoard board;
    board.record.signs[0].kind = row.first;
    board.record.signs[1].kind = row.second;
    applyLayout(board);
    Calls expected = {"loadBackground"};
    expected.insert(expected.end(), row.a.begin(), row.a.end());
    expected.insert(expected.end(), row.b.begin(), row.b.end());
    for (const char* tail : {"applyCornerRounding 0", "applyCornerRounding 1", "resetSign 0", "resetSign 1"}) {
      expected.push_back(tail);
    }
    EXPECT_EQ(expected, board.calls) << int(row.first) << "," << int(row.second);
  }
}

TEST(Qv4File, ARollFilmFileShowsSignsAHiddenLayoutHadHidden) {
  MemoryFileSystem files;
  files.files[kPath] = kSampleFile.bytes;
  FakeBoard board;
  board.geometry.visible[0] = false;
  board.geometry.visible[1] = false;
  board.panelWidth = 138;
  readLayoutFile(files, kPath, board);
  EXPECT_TRUE(board.geometry.visible[0]);
  EXPECT_TRUE(board.geometry.visible[1]);
  EXPECT_EQ(270, board.panelWidth);
}

// Offsets after which each value of a layout without texts is taken.
TEST(Qv4File, EachValueIsTakenAtTheMomentItIsWritten) {
  struct Row {
    std::int64_t limit;  // bytes the disk takes
    Calls reads;         // getters called by then
  };
  const Row rows[] = {
      {0, {}},
      {22, {"formWidth"}},
      {26, {"formWidth", "formHeight"}},
      {31, {"formWidth", "formHeight", "left0"}},
      {47, {"formWidth", "formHeight", "left0", "top0", "width0", "height0"}},
      {96, {"formWidth", "formHeight", "left0", "top0", "width0", "height0", "left1", "top1", "width1", "height1"}},
  };
  for (const Row& row : rows) {
    MemoryFileSystem files;
    files.files[kPath] = {1, 2, 3};
    files.writeLimit = row.limit;
    FakeBoard board;
    const bool saved = writeLayoutFile(files, kPath, board);
    EXPECT_EQ(row.limit == 96, saved) << row.limit;
    EXPECT_EQ(row.reads, board.reads) << row.limit;
    if (!saved) {
      EXPECT_EQ((Bytes{1, 2, 3}), files.files[kPath]) << "the old file stays";
      EXPECT_EQ(Calls{"message saveError"}, board.calls);
      EXPECT_EQ(1u, files.files.size()) << "the temporary file is gone";
    }
  }
}

TEST(Qv4File, AFileThatCannotBeCreatedShowsTheSaveError) {
  MemoryFileSystem files;
  files.failCreate = true;
  files.files[kPath] = {1, 2, 3};
  FakeBoard board;
  EXPECT_FALSE(writeLayoutFile(files, kPath, board));
  EXPECT_EQ(Calls{"message saveError"}, board.calls);
  EXPECT_EQ((Bytes{1, 2, 3}), files.files[kPath]);
  EXPECT_EQ(1u, files.files.size());
}

TEST(Qv4File, SavingReplacesAnExistingFileWhole) {
  MemoryFileSystem files;
  files.files[kPath] = Bytes(500, 0xAA);
  FakeBoard board;
  EXPECT_TRUE(writeLayoutFile(files, kPath, board));
  EXPECT_EQ(96u, files.files[kPath].size());
  EXPECT_EQ(1u, files.files.size());
}

}  // namespace
}  // namespace rovenza

namespace rovenza {
namespace {

TEST(MemoryBoard, HoldsWhatAReadGivesAndWritesItBack) {
  MemoryFileSystem files;
  files.files["in.qv4"] = kSampleFile.bytes;
  MemoryBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readLayoutFile(files, "in.qv4", board));
  EXPECT_EQ(300, board.width);
  EXPECT_EQ(200, board.height);
  EXPECT_EQ(13, board.places[1].width);
  EXPECT_TRUE(board.places[1].visible);
  EXPECT_EQ(270, board.panelWidth);
  EXPECT_EQ(0u, board.lastError);
  ASSERT_TRUE(writeLayoutFile(files, "out.qv4", board));
  EXPECT_EQ(files.files["in.qv4"], files.files["out.qv4"]);
}

}  // namespace
}  // namespace rovenza
