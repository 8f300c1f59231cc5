#include "vehicle/VehicleFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IconvCodec.h"
#include "layout/MemoryBoard.h"
#include "layout/MemoryFileSystem.h"
#include "layout/Qv4File.h"

namespace rovenza {
namespace {

const char kVehiclePath[] = "C:\\bus\\bus.rvh";

std::vector<unsigned char> bytesOf(const std::string& text) { return std::vector<unsigned char>(text.begin(), text.end()); }

// A folder holding a bus: a front face (roll film, LED) and a side face
// (LED, hidden), its code table and the vehicle file.
struct BusFolder {
  MemoryFileSystem files;
  test::IconvCodec codec;

  BusFolder() {
    addLayout("C:\\bus\\front.qv4", 0, 1);
    addLayout("C:\\bus\\side\\side.qv4", 1, 2);
    files.files["C:\\bus\\junk.qv4"] = bytesOf("not a layout");
    files.files["C:\\bus\\codes.csv"] = bytesOf(u8"code,name,period,f1,f2,s1,s2\n1,駅前,,1,2,2/3,\n");
  }
  void addLayout(const std::string& path, std::uint8_t kind1, std::uint8_t kind2) {
    MemoryBoard board;
    board.record.signs[0].kind = kind1;
    board.record.signs[1].kind = kind2;
    EXPECT_TRUE(writeLayoutFile(files, path, board));
  }
  VehicleError open(const std::string& head, Vehicle& vehicle) {
    const std::vector<unsigned char> bytes = bytesOf(head);
    VehicleError error = readVehicleHead(bytes.data(), bytes.size(), kVehiclePath, codec, vehicle.head);
    if (error) return error;
    return openVehicleParts(files, vehicle);
  }
};

const std::string kBusHead =
    u8"\xEF\xBB\xBF; a bus\r\n[Vehicle]\r\nName=市営バス\r\n\r\n[Face1]\r\nName=前面\r\nLayout=front.qv4\r\n"
    "[face2]\r\nlayout = side\\side.qv4\r\n[Codes]\r\nTable=codes.csv\r\n";

TEST(VehicleFile, ReadsTheHeadTheLayoutsKindsAndTheTable) {
  BusFolder bus;
  Vehicle vehicle;
  const VehicleError error = bus.open(kBusHead, vehicle);
  ASSERT_FALSE(error) << vehicleProblemText(error);
  EXPECT_EQ(u8"市営バス", vehicle.head.name);
  ASSERT_EQ(2u, vehicle.head.faces.size());
  EXPECT_EQ(u8"前面", vehicle.head.faces[0].name);
  EXPECT_EQ(u8"面2", vehicle.head.faces[1].name);
  EXPECT_EQ("C:\\bus\\front.qv4", vehicle.head.faces[0].layoutPath);
  EXPECT_EQ("C:\\bus\\side\\side.qv4", vehicle.head.faces[1].layoutPath);
  EXPECT_EQ("C:\\bus\\codes.csv", vehicle.head.tablePath);
  const std::vector<SignKind> kinds = {SignKind::RollFilm, SignKind::Led, SignKind::Led, SignKind::Hidden};
  EXPECT_EQ(kinds, vehicleSignKinds(vehicle.head));
  ASSERT_EQ(1u, vehicle.table.codes.size());
  const VehicleCode& code = vehicle.table.codes[0];
  EXPECT_EQ(1, code.code);
  EXPECT_EQ(u8"駅前", code.name);
  EXPECT_EQ(kDefaultPeriodMs, code.periodMs);
  const std::vector<SignCell> cells = {{CellAction::Frames, {1}},
                                       {CellAction::Frames, {2}},
                                       {CellAction::Frames, {2, 3}},
                                       {CellAction::Unchanged, {}}};
  EXPECT_EQ(cells, code.cells);
  EXPECT_EQ(&code, vehicle.table.find(1));
  EXPECT_EQ(nullptr, vehicle.table.find(2));
}

TEST(VehicleFile, AbsolutePathsStayAsTheyAre) {
  BusFolder bus;
  bus.addLayout("D:\\other\\f.qv3", 0, 0);
  Vehicle vehicle;
  const std::vector<unsigned char> bytes = bytesOf("[Face1]\nLayout=D:\\other\\f.qv3\n[Codes]\nTable=\\\\host\\s\\c.csv\n");
  ASSERT_FALSE(readVehicleHead(bytes.data(), bytes.size(), kVehiclePath, bus.codec, vehicle.head));
  const std::vector<std::string> paths = {"D:\\other\\f.qv3", "\\\\host\\s\\c.csv"};
  EXPECT_EQ(paths, vehiclePaths(vehicle.head));
}

TEST(VehicleFile, PixelDotsNameTheFacesSigns) {
  BusFolder bus;
  VehicleHead head;
  const std::vector<unsigned char> bytes = bytesOf(
      "[Face1]\nLayout=front.qv4\nPixelDots=2\n[Face2]\nLayout=front.qv4\npixeldots = 2 , 1\n[Face3]\n"
      "Layout=front.qv4\nPixelDots=\n[Face4]\nLayout=front.qv4\n" + std::string("[Codes]\nTable=codes.csv\n"));
  ASSERT_FALSE(readVehicleHead(bytes.data(), bytes.size(), kVehiclePath, bus.codec, head));
  ASSERT_EQ(4u, head.faces.size());
  const bool expected[4][kSignsPerFace] = {{false, true}, {true, true}, {false, false}, {false, false}};
  for (int face = 0; face < 4; ++face) {
    for (int sign = 0; sign < kSignsPerFace; ++sign) {
      EXPECT_EQ(expected[face][sign], head.faces[face].pixelDots[sign]) << "face " << face + 1 << " sign " << sign + 1;
    }
  }
}

struct HeadCase {
  const char* name;
  std::string head;
  VehicleProblem problem;
  int line;
};

class VehicleHeadProblems : public ::testing::TestWithParam<HeadCase> {};

TEST_P(VehicleHeadProblems, AreNamedWithTheirLineAndNothingOpens) {
  const HeadCase& c = GetParam();
  BusFolder bus;
  Vehicle vehicle;
  const VehicleError error = bus.open(c.head, vehicle);
  EXPECT_EQ(c.problem, error.problem) << vehicleProblemText(error);
  EXPECT_EQ(c.line, error.line);
  EXPECT_FALSE(error.inTable);
  EXPECT_TRUE(vehicle.table.codes.empty());
  EXPECT_NE(std::string::npos, vehicleProblemText(error).find(c.line ? std::to_string(c.line) + "行目" : "車両ファイル"));
}

const std::string kTail = "[Codes]\nTable=codes.csv\n";

INSTANTIATE_TEST_SUITE_P(
    Table, VehicleHeadProblems,
    ::testing::Values(
        HeadCase{"NotUtf8", "[Face1]\nLayout=front.qv4\nName=\x91\x4F\n" + kTail, VehicleProblem::BadEncoding, 3},
        HeadCase{"NoEquals", "[Face1]\nLayout front.qv4\n" + kTail, VehicleProblem::BadLine, 2},
        HeadCase{"OpenBracket", "[Face1\n", VehicleProblem::BadLine, 1},
        HeadCase{"FifthFace",
                 "[Face1]\nLayout=front.qv4\n[Face2]\nLayout=front.qv4\n[Face3]\nLayout=front.qv4\n[Face4]\n"
                 "Layout=front.qv4\n[Face5]\nLayout=front.qv4\n" + kTail,
                 VehicleProblem::TooManyFaces, 9},
        HeadCase{"FaceZero", "[Face0]\n", VehicleProblem::UnknownSection, 1},
        HeadCase{"UnknownSection", "[Bus]\n", VehicleProblem::UnknownSection, 1},
        HeadCase{"TwiceAFace", "[Face1]\nLayout=front.qv4\n[FACE1]\n", VehicleProblem::DuplicateSection, 3},
        HeadCase{"UnknownKey", "[Face1]\nLayuot=front.qv4\n", VehicleProblem::UnknownKey, 2},
        HeadCase{"TwiceAKey", "[Face1]\nLayout=front.qv4\nLayout=front.qv4\n", VehicleProblem::DuplicateKey, 3},
        HeadCase{"KeyFirst", "Name=x\n", VehicleProblem::KeyOutsideSection, 1},
        HeadCase{"NoFaces", kTail, VehicleProblem::FaceMissing, 0},
        HeadCase{"AGap", "[Face1]\nLayout=front.qv4\n[Face3]\nLayout=front.qv4\n" + kTail,
                 VehicleProblem::FaceMissing, 3},
        HeadCase{"NoLayout", u8"[Face1]\nName=前\n" + kTail, VehicleProblem::NoLayout, 1},
        HeadCase{"EmptyLayout", "[Face1]\nLayout=\n" + kTail, VehicleProblem::NoLayout, 2},
        HeadCase{"NotALayoutName", "[Face1]\nLayout=front.bmp\n" + kTail, VehicleProblem::NotLayoutName, 2},
        HeadCase{"PixelDotsThirdSign", "[Face1]\nLayout=front.qv4\nPixelDots=1,3\n" + kTail,
                 VehicleProblem::BadPixelDots, 3},
        HeadCase{"PixelDotsEmptyItem", "[Face1]\nPixelDots=1,\nLayout=front.qv4\n" + kTail,
                 VehicleProblem::BadPixelDots, 2},
        HeadCase{"PixelDotsWord", "[Face1]\nLayout=front.qv4\nPixelDots=yes\n" + kTail,
                 VehicleProblem::BadPixelDots, 3},
        HeadCase{"PixelDotsTwice", "[Face1]\nLayout=front.qv4\nPixelDots=1\nPixelDots=2\n" + kTail,
                 VehicleProblem::DuplicateKey, 4},
        HeadCase{"NotInCodePage932", "[Face1]\nLayout=\xF0\x9F\x9A\x8C.qv4\n" + kTail, VehicleProblem::BadPath, 2},
        HeadCase{"NoTable", "[Face1]\nLayout=front.qv4\n", VehicleProblem::NoTable, 0},
        HeadCase{"MissingLayout", "[Face1]\nLayout=front.qv4\n[Face2]\nLayout=rear.qv4\n" + kTail,
                 VehicleProblem::LayoutMissing, 4},
        HeadCase{"NotALayoutFile", "[Face1]\nLayout=junk.qv4\n" + kTail, VehicleProblem::NotLayoutFile, 2},
        HeadCase{"MissingTable", "[Face1]\nLayout=front.qv4\n[Codes]\n\nTable=none.csv\n",
                 VehicleProblem::TableMissing, 5}),
    [](const ::testing::TestParamInfo<HeadCase>& info) { return std::string(info.param.name); });

struct TableCase {
  const char* name;
  std::string rows;  // after the header
  VehicleProblem problem;
  int line;
  int column;
};

class CodeTableProblems : public ::testing::TestWithParam<TableCase> {};

// Signs: roll film, LED, LED, hidden.
const std::vector<SignKind> kBusKinds = {SignKind::RollFilm, SignKind::Led, SignKind::Led, SignKind::Hidden};

TEST_P(CodeTableProblems, AreNamedWithTheirLineAndColumn) {
  const TableCase& c = GetParam();
  const std::vector<unsigned char> bytes = bytesOf("code,name,period,a,b,c,d\r\n" + c.rows);
  CodeTable table;
  table.codes.resize(3);
  const VehicleError error = readCodeTable(bytes.data(), bytes.size(), kBusKinds, table);
  EXPECT_EQ(c.problem, error.problem) << vehicleProblemText(error);
  EXPECT_EQ(c.line, error.line);
  EXPECT_EQ(c.column, error.column);
  EXPECT_TRUE(error.inTable);
  EXPECT_TRUE(table.codes.empty());
  if (c.column) {
    EXPECT_NE(std::string::npos,
              vehicleProblemText(error).find(std::to_string(c.line) + "行目" + std::to_string(c.column) + "列目"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodeTableProblems,
    ::testing::Values(TableCase{"NoCodes", "\r\n\r\n", VehicleProblem::NoCodes, 3, 0},
                      TableCase{"CodeZero", "0,a\r\n", VehicleProblem::BadCode, 2, 1},
                      TableCase{"Code1000", "1,a\r\n1000,b\r\n", VehicleProblem::BadCode, 3, 1},
                      TableCase{"CodeNotANumber", "x1,a\r\n", VehicleProblem::BadCode, 2, 1},
                      TableCase{"DuplicateCode", "5,a\r\n\r\n005,b\r\n", VehicleProblem::DuplicateCode, 4, 1},
                      TableCase{"PeriodZero", "1,a,0\r\n", VehicleProblem::BadPeriod, 2, 3},
                      TableCase{"PeriodAbsurd", "1,a,3600\r\n", VehicleProblem::BadPeriod, 2, 3},
                      TableCase{"PeriodNegative", "1,a,-3\r\n", VehicleProblem::BadPeriod, 2, 3},
                      TableCase{"PeriodFourDecimals", "1,a,2.0001\r\n", VehicleProblem::BadPeriod, 2, 3},
                      TableCase{"FrameTooLarge", "1,a,,1000\r\n", VehicleProblem::BadCell, 2, 4},
                      TableCase{"EmptyPage", "1,a,,,1//2\r\n", VehicleProblem::BadCell, 2, 5},
                      TableCase{"Letters", "1,a,,,,x\r\n", VehicleProblem::BadCell, 2, 6},
                      TableCase{"SeventeenPages", "1,a,,,1/2/3/4/5/6/7/8/9/10/11/12/13/14/15/16/17\r\n",
                                VehicleProblem::BadCell, 2, 5},
                      TableCase{"PagesOnRollFilm", "1,a,,1/2\r\n", VehicleProblem::PagesOnRollFilm, 2, 4},
                      TableCase{"PagesOnAHiddenSign", "1,a,,,,,1/2\r\n", VehicleProblem::PagesOnRollFilm, 2, 7},
                      TableCase{"ExtraCell", "1,a,,,,,,9\r\n", VehicleProblem::TooManyColumns, 2, 8},
                      TableCase{"QuoteOpen", "1,\"a\r\n", VehicleProblem::BrokenQuote, 2, 0},
                      TableCase{"NotUtf8", "1,a\r\n2,\x83\x6F\x83\x58\r\n", VehicleProblem::BadEncoding, 3, 0}),
    [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST(CodeTable, ReadsPeriodsCellsAndNamesWithCommas) {
  const std::vector<unsigned char> bytes =
      bytesOf(u8"\xEF\xBB\xBFh\n7,\"Tokyo, Sta.\",2.5, - ,12, 12 / 40/41 ,,,\n3,〜—,0.25\n");
  CodeTable table;
  ASSERT_FALSE(readCodeTable(bytes.data(), bytes.size(), kBusKinds, table));
  ASSERT_EQ(2u, table.codes.size());
  EXPECT_EQ(7, table.codes[0].code);
  EXPECT_EQ("Tokyo, Sta.", table.codes[0].name);
  EXPECT_EQ(2500, table.codes[0].periodMs);
  const std::vector<SignCell> cells = {{CellAction::Blank, {}},
                                       {CellAction::Frames, {12}},
                                       {CellAction::Frames, {12, 40, 41}},
                                       {CellAction::Unchanged, {}}};
  EXPECT_EQ(cells, table.codes[0].cells);
  EXPECT_EQ(3, table.codes[1].line);
  EXPECT_EQ(u8"〜—", table.codes[1].name);
  EXPECT_EQ(250, table.codes[1].periodMs);
  EXPECT_EQ(std::vector<SignCell>(4), table.codes[1].cells);
}

TEST(CodeTable, AHundredThousandLinesStopAtTheFirstCodeTooMany) {
  std::string text = "h\n";
  for (int line = 0; line < 100000; ++line) text += std::to_string(line % 999 + 1) + ",x,,1\n";
  const std::vector<unsigned char> bytes = bytesOf(text);
  CodeTable table;
  const VehicleError error = readCodeTable(bytes.data(), bytes.size(), kBusKinds, table);
  EXPECT_EQ(VehicleProblem::DuplicateCode, error.problem);
  EXPECT_EQ(1001, error.line);
}

TEST(CodeTable, FilesPastTheirLimitAreNotRead) {
  MemoryFileSystem files;
  files.files["big.csv"] = MemoryFileSystem::Bytes(kMaxCodeTableBytes + 1, '\n');
  std::vector<unsigned char> bytes;
  EXPECT_EQ(VehicleProblem::TooLarge, readWholeFile(files, "big.csv", kMaxCodeTableBytes, bytes).problem);
  EXPECT_TRUE(bytes.empty());
  const std::vector<unsigned char> head(kMaxVehicleFileBytes + 1, '\n');
  VehicleHead vehicleHead;
  test::IconvCodec codec;
  EXPECT_EQ(VehicleProblem::TooLarge,
            readVehicleHead(head.data(), head.size(), kVehiclePath, codec, vehicleHead).problem);
}

}  // namespace
}  // namespace rovenza
