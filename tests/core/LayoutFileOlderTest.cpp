// The ".qv3" and ".qvd" readers: twips, height before width, the fields
// they skip, the hidden flags, panel widths and their own apply steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CutFiles.h"
#include "FakeBoard.h"
#include "LayoutFileBytes.h"
#include "layout/MemoryFileSystem.h"
#include "layout/OlderLayoutFiles.h"

namespace rovenza {
namespace {

using test::FakeBoard;
using test::FieldEnd;
using test::FileBytes;
using test::Qv3Sign;
using test::QvdSign;
using test::qv3File;
using test::qvdFile;
using Bytes = MemoryFileSystem::Bytes;
using Calls = std::vector<std::string>;

const char kPath[] = "C:\\old\\board.qv3";

TEST(Twips, BecomePixelsTruncatedTowardZero) {
  struct Row {
    std::int16_t twips;
    std::int32_t pixels;
  };
  const Row rows[] = {{0, 0},    {14, 0},  {15, 1},    {29, 1},      {30, 2},   {451, 30},
                      {900, 60}, {600, 40}, {-14, 0}, {-20, -1}, {-32768, -2184}, {32767, 2184}};
  for (const Row& row : rows) EXPECT_EQ(row.pixels, twipsToPixels(row.twips)) << row.twips;
}

ReadOutcome readQv3(const FileBytes& file, FakeBoard& board) {
  MemoryFileSystem files;
  files.files[kPath] = file.bytes;
  return readVer3LayoutFile(files, kPath, board);
}

ReadOutcome readQvd(const FileBytes& file, FakeBoard& board) {
  MemoryFileSystem files;
  files.files[kPath] = file.bytes;
  return readDigitalLayoutFile(files, kPath, board);
}

const Qv3Sign kEmptySign{"", 0, 0, 0, 0, 0, 0, 0};

TEST(Qv3File, WithEmptyTextsIsOneHundredSixteenBytes) {
  EXPECT_EQ(116u, qv3File("", 600, 900, 2, kEmptySign, kEmptySign, 0, 0).size());
  EXPECT_EQ(116u + 3 + 4 + 5,
            qv3File("abc", 600, 900, 2, Qv3Sign{"defg", 0, 0, 0, 0, 0, 0, 0}, Qv3Sign{"hijkl", 0, 0, 0, 0, 0, 0, 0},
                    0, 0)
                .size());
}

TEST(Qv3File, HeightComesBeforeWidth) {
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readQv3(qv3File("", 600, 900, 2, kEmptySign, kEmptySign, 0, 0), board));
  EXPECT_EQ(60, board.geometry.formWidth);
  EXPECT_EQ(40, board.geometry.formHeight);
  EXPECT_EQ("formHeight 40", board.calls[1]);
  EXPECT_EQ("formWidth 60", board.calls[2]);
}

const FileBytes kSampleQv3 =
    qv3File("C:\\bg.jpg", 6000, 6750, 2, Qv3Sign{"C:\\a.bmp", 1155, 390, 855, 1845, 8, 20, 300},
            Qv3Sign{"C:\\b.bmp", -20, 451, 14, 15, 12, 7, 40}, 0, 0, 0x7F7F7F7F);

// Its 2nd sign's left (-1 pixel) and height (0 pixels) are held to the layout
// form's ranges.
TEST(Qv3File, AppliesEachFieldInFileOrderThenItsOwnSteps) {
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readQv3(kSampleQv3, board));
  const Calls expected = {
      "background C:\\bg.jpg", "formHeight 400", "formWidth 450",
      "picture0 C:\\a.bmp", "left0 77", "top0 26", "height0 57", "width0 123", "cornerRound0 8",
      "speedUpDown0 20", "speed0 20", "intervalUpDown0 300", "interval0 300",
      "picture1 C:\\b.bmp", "left1 0", "top1 30", "height1 1", "width1 1", "cornerRound1 12",
      "speedUpDown1 7", "speed1 7", "intervalUpDown1 40", "interval1 40",
      "show 0", "kind0 0", "show 1", "kind1 0",
      "loadBackground", "showStripPicture 0", "showStripPicture 1", "panelWidth 270",
      "applyCornerRounding 0", "applyCornerRounding 1", "rollSign 0", "rollSign 1"};
  EXPECT_EQ(expected, board.calls);
  EXPECT_EQ(8, board.record.signs[0].cornerRound);
  EXPECT_EQ(12, board.record.signs[1].cornerRound) << "each block's rounding goes to its own sign";
}

TEST(Qv3File, TheHiddenFlagsHideSignsAndTheSignCountSetsThePanel) {
  struct Row {
    std::int16_t signCount, hidden1, hidden2;
    bool shown1, shown2;
    std::uint8_t kind2;
    std::int32_t panel;
  };
  const Row rows[] = {
      {2, 0, 0, true, true, 0, 270},  {2, 1, 0, false, true, 0, 270}, {2, 0, 1, true, false, 2, 270},
      {1, 0, 0, true, true, 0, 138},  {1, 1, 1, false, false, 2, 138}, {3, 2, 2, true, true, 0, 138},
      {0, -1, 1, true, false, 2, 138},
  };
  for (const Row& row : rows) {
    FakeBoard board;
    board.record.signs[0].kind = 1;
    board.record.signs[1].kind = 1;
    board.geometry.visible[0] = !row.shown1;
    board.geometry.visible[1] = !row.shown2;
    EXPECT_EQ(ReadOutcome::Applied,
              readQv3(qv3File("", 600, 900, row.signCount, kEmptySign, kEmptySign, row.hidden1, row.hidden2), board));
    EXPECT_EQ(row.shown1, board.geometry.visible[0]) << row.signCount << row.hidden1 << row.hidden2;
    EXPECT_EQ(row.shown2, board.geometry.visible[1]);
    EXPECT_EQ(0, board.record.signs[0].kind) << "the 1st sign stays a roll film sign, hidden or not";
    EXPECT_EQ(row.kind2, board.record.signs[1].kind);
    EXPECT_EQ(row.panel, board.panelWidth);
  }
}

TEST(Qv3File, DoesNotResetTheSigns) {
  FakeBoard board;
  readQv3(kSampleQv3, board);
  for (const std::string& call : board.calls) EXPECT_EQ(std::string::npos, call.find("resetSign")) << call;
}

// Ends of the fields of kSampleQv3 and the calls each makes when read.
std::vector<FieldEnd> qv3FieldEnds() {
  const std::size_t b = 9, q0 = 8, q1 = 8;
  std::vector<FieldEnd> ends = {{2 + b, 1}, {4 + b, 1}, {6 + b, 1}, {10 + b, 0},
                                                           {12 + b, 0}};
  for (int sign = 0; sign < 2; ++sign) {
    const std::size_t start = sign == 0 ? 12 + b : 62 + b + q0;
    const std::size_t q = sign == 0 ? q0 : q1;
    ends.push_back({start + 2 + q, 1});
    for (std::size_t end : {4, 6, 8, 10}) ends.push_back({start + end + q, 1});
    ends.push_back({start + 14 + q, 0});
    for (std::size_t end : {16, 18, 20, 22, 24}) ends.push_back({start + end + q, 0});
    for (std::size_t end : {28, 32}) ends.push_back({start + end + q, 0});
    ends.push_back({start + 34 + q, 0});
    ends.push_back({start + 36 + q, 1});
    ends.push_back({start + 38 + q, 0});
    ends.push_back({start + 40 + q, 2});
    ends.push_back({start + 42 + q, 2});
    for (std::size_t end : {46, 50}) ends.push_back({start + end + q, 0});
  }
  ends.push_back({114 + b + q0 + q1, 2});
  ends.push_back({116 + b + q0 + q1, 2});
  return ends;
}

TEST(Qv3File, AFileCutAtAnyByteAppliesExactlyTheFieldsBeforeTheCut) {
  FakeBoard full;
  readQv3(kSampleQv3, full);
  test::expectEveryCutAppliesTheFieldsBeforeIt(kSampleQv3, qv3FieldEnds(), full.calls, readQv3);
}

// Held to the layout form's ranges once in pixels (32767 twips are 2184
// pixels, 150 twips 10); the .qvd reader shares these steps.
TEST(Qv3File, SizesAndPlacesAreHeldToTheFormsRanges) {
  const Qv3Sign big{"", 32767, -32768, 32767, -32768, 0, 0, 0};
  FakeBoard board;
  ASSERT_EQ(ReadOutcome::Applied, readQv3(qv3File("", 32767, 150, 2, big, big, 0, 0), board));
  EXPECT_EQ(1024, board.geometry.formHeight);
  EXPECT_EQ(20, board.geometry.formWidth);
  EXPECT_EQ((std::vector<std::int32_t>{1024, 0, 1, 1024}),
            (std::vector<std::int32_t>{board.geometry.left[1], board.geometry.top[1], board.geometry.width[1],
                                       board.geometry.height[1]}));
}

TEST(Qv3File, ExtraBytesAfterTheLastFieldAreIgnored) {
  FileBytes file = kSampleQv3;
  file.text("trailing bytes");
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::Applied, readQv3(file, board));
  EXPECT_TRUE(board.readErrors.empty());
}

TEST(QvdFile, WithEmptyTextsIsFortyEightBytes) {
  EXPECT_EQ(48u, qvdFile("", 600, 900, QvdSign{"", 0, 0, 0, 0, 0}).size());
  EXPECT_EQ(48u + 2 + 3, qvdFile("ab", 600, 900, QvdSign{"cde", 0, 0, 0, 0, 0}).size());
}

const FileBytes kSampleQvd =
    qvdFile("C:\\bg.jpg", 6000, 6750, QvdSign{"C:\\led", 3465, 390, 600, 1800, 9}, 0x55555555);

TEST(QvdFile, AppliesEachFieldInFileOrderThenItsOwnSteps) {
  FakeBoard board;
  board.record.signs[1].picturePath = "C:\\second.bmp";
  board.record.signs[0].speed = 33;
  board.speedUpDown[0] = 33;
  EXPECT_EQ(ReadOutcome::Applied, readQvd(kSampleQvd, board));
  const Calls expected = {"background C:\\bg.jpg", "formHeight 400", "formWidth 450",
                          "picture0 C:\\led", "left0 231", "top0 26", "height0 40", "width0 120",
                          "cornerRound0 9", "show 0", "kind0 1", "hide 1", "kind1 2", "picture1 ",
                          "loadBackground", "releaseSignPicture 0", "moveSignHome 0", "display0 0",
                          "releaseSignPicture 1", "moveSignHome 1", "display1 0", "panelWidth 138",
                          "applyCornerRounding 0", "applyCornerRounding 1", "rollSign 0", "rollSign 1"};
  EXPECT_EQ(expected, board.calls);
  EXPECT_EQ(33, board.speedUpDown[0]) << "speed and interval are not touched";
  EXPECT_EQ("0", board.numberDisplay[0]);
  EXPECT_EQ("0", board.numberDisplay[1]);
  EXPECT_EQ("", board.record.signs[1].picturePath);
  // The 2nd sign's geometry stays as it was.
  EXPECT_EQ(231, board.geometry.left[1]);
  EXPECT_EQ(123, board.geometry.width[1]);
}

TEST(QvdFile, AFileCutAtAnyByteAppliesExactlyTheFieldsBeforeTheCut) {
  FakeBoard full;
  readQvd(kSampleQvd, full);
  const std::size_t b = 9, f = 6;
  const std::vector<FieldEnd> ends = {
      {2 + b, 1}, {4 + b, 1}, {6 + b, 1}, {10 + b, 0}, {12 + b, 0}, {14 + b + f, 1}, {16 + b + f, 1},
      {18 + b + f, 1}, {20 + b + f, 1}, {22 + b + f, 1}, {26 + b + f, 0}, {28 + b + f, 0}, {30 + b + f, 0},
      {32 + b + f, 0}, {34 + b + f, 0}, {36 + b + f, 0}, {40 + b + f, 0}, {44 + b + f, 0}, {46 + b + f, 0},
      {48 + b + f, 6}};
  test::expectEveryCutAppliesTheFieldsBeforeIt(kSampleQvd, ends, full.calls, readQvd);
}

TEST(OlderFiles, AFileThatCannotBeOpenedChangesNothing) {
  MemoryFileSystem files;
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::NotOpened, readVer3LayoutFile(files, "none.qv3", board));
  EXPECT_EQ(ReadOutcome::NotOpened, readDigitalLayoutFile(files, "none.qvd", board));
  EXPECT_TRUE(board.calls.empty());
}

TEST(OlderFiles, AQv4FileReadAsQv3FailsOnlyWhereItEnds) {
  // Read field by field as if it were of this format: a 96-byte .qv4 file
  // runs out inside the 2nd sign block.
  FileBytes qv4;
  qv4.counted("QvApp4DataFile").counted("");
  qv4.u32(450).u32(450);
  for (int s = 0; s < 2; ++s) qv4.u8(0).u32(1).u32(2).u32(3).u32(4).u32(0).u32(0).u32(0).counted("");
  FakeBoard board;
  EXPECT_EQ(ReadOutcome::ReadError, readQv3(qv4, board));
  EXPECT_EQ(1u, board.readErrors.size());
}

}  // namespace
}  // namespace rovenza
