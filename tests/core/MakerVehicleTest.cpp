// A whole vehicle's pictures from the maker's one table: which files are
// written, at which sizes and of which kinds, what cannot be written; the
// code table, read back by the vehicle's own reader, shows row n at code n
// on every sign; an LED frame as a panel's file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "maker/Lettering.h"
#include "maker/PanelFrame.h"
#include "maker/VehiclePictures.h"
#include "vehicle/CodePlan.h"

namespace rovenza {
namespace {

using Kind = VehicleOutputKind;

const FaceSign kHidden{};
FaceSign film(int width, int height, const char* path) { return FaceSign{SignKind::RollFilm, width, height, path}; }
FaceSign led(int width, int height, const char* path) { return FaceSign{SignKind::Led, width, height, path}; }

struct Output {
  Kind kind;
  const char* path;
  int width;
  int height;
  std::vector<int> signs;
};

struct PlanCase {
  const char* name;
  std::vector<FaceSign> signs;
  std::size_t rows;
  VehiclePictureProblem problem;
  int sign;                     // the sign a problem names
  std::vector<Output> outputs;  // the pictures; the code table follows when there is no problem
};

const char kTable[] = "C:\\bus\\codes.csv";

class VehiclePicturePlans : public ::testing::TestWithParam<PlanCase> {};

TEST_P(VehiclePicturePlans, NameEveryFileOrTheFirstProblem) {
  const PlanCase& c = GetParam();
  const VehiclePicturePlan plan = planVehiclePictures(c.signs, c.rows, kTable);
  EXPECT_EQ(c.problem, plan.problem);
  if (c.problem != VehiclePictureProblem::None) {
    EXPECT_EQ(c.sign, plan.sign);
    EXPECT_TRUE(plan.outputs.empty());
    EXPECT_FALSE(vehiclePictureProblemText(plan).empty());
    return;
  }
  ASSERT_EQ(c.outputs.size() + 1, plan.outputs.size());
  for (std::size_t k = 0; k < c.outputs.size(); ++k) {
    const VehicleOutput& got = plan.outputs[k];
    EXPECT_EQ(c.outputs[k].kind, got.kind) << k;
    EXPECT_EQ(c.outputs[k].path, got.path) << k;
    EXPECT_EQ(c.outputs[k].width, got.width) << k;
    EXPECT_EQ(c.outputs[k].height, got.height) << k;
    EXPECT_EQ(c.outputs[k].signs, got.signs) << k;
  }
  EXPECT_EQ(Kind::CodeTable, plan.outputs.back().kind);
  EXPECT_EQ(kTable, plan.outputs.back().path);
}

using P = VehiclePictureProblem;

INSTANTIATE_TEST_SUITE_P(
    Cases, VehiclePicturePlans,
    ::testing::Values(
        PlanCase{"EachShownSignAtItsSizeAndKind",
                 {film(384, 96, "C:\\bus\\front.bmp"), led(240, 48, "C:\\bus\\route"), led(144, 96, "C:\\bus\\type"),
                  led(240, 96, "C:\\bus\\dest"), kHidden, led(96, 24, "C:\\bus\\rear")},
                 999,
                 P::None,
                 -1,
                 {{Kind::Strip, "C:\\bus\\front.bmp", 384, 96, {0}},
                  {Kind::LedFolder, "C:\\bus\\route", 240, 48, {1}},
                  {Kind::LedFolder, "C:\\bus\\type", 144, 96, {2}},
                  {Kind::LedFolder, "C:\\bus\\dest", 240, 96, {3}},
                  {Kind::LedFolder, "C:\\bus\\rear", 96, 24, {5}}}},
        PlanCase{"OnePictureForSignsAlikeInAnyCaseOrSeparator",
                 {film(200, 50, "C:\\bus\\roll.png"), led(96, 32, "C:\\bus\\led\\"), film(200, 50, "c:/BUS/Roll.PNG"),
                  led(96, 32, "c:\\bus\\LED")},
                 3,
                 P::None,
                 -1,
                 {{Kind::Strip, "C:\\bus\\roll.png", 200, 50, {0, 2}}, {Kind::LedFolder, "C:\\bus\\led\\", 96, 32, {1, 3}}}},
        PlanCase{"TwoDoubleByteNamesThatDifferOnlyInATrailByteLetter",
                 {led(96, 32, "C:\\\x83\x61"), led(96, 32, "C:\\\x83\x41")}, 1, P::None, -1,
                 {{Kind::LedFolder, "C:\\\x83\x61", 96, 32, {0}}, {Kind::LedFolder, "C:\\\x83\x41", 96, 32, {1}}}},
        PlanCase{"NoRow", {led(96, 32, "C:\\led")}, 0, P::NoRows, -1, {}},
        PlanCase{"NoSignShown", {kHidden, kHidden}, 1, P::NoSigns, -1, {}},
        PlanCase{"NoPictureNamed", {led(96, 32, "C:\\led"), film(200, 50, "")}, 1, P::NoPicturePath, 1, {}},
        PlanCase{"NoSize", {kHidden, led(0, 32, "C:\\led")}, 1, P::BadSize, 1, {}},
        PlanCase{"TooWide", {film(8193, 32, "C:\\a.bmp")}, 1, P::BadSize, 0, {}},
        PlanCase{"RowsPastWhatAStripHolds", {led(8192, 8192, "C:\\led"), film(8192, 100, "C:\\a.bmp")}, 82, P::StripTooLarge,
                 1, {}},
        PlanCase{"AStripNamedAsAJpeg", {film(200, 50, "C:\\a.jpg")}, 1, P::NotStripName, 0, {}},
        PlanCase{"OnePlaceForTwoSizes", {film(200, 50, "C:\\a.bmp"), film(200, 60, "C:\\A.BMP")}, 1, P::SamePath, 1, {}},
        PlanCase{"OnePlaceForAStripAndAFolder", {led(96, 32, "C:\\x.bmp"), film(96, 32, "C:\\x.bmp")}, 1, P::SamePath, 1,
                 {}},
        PlanCase{"AStripAFolderWouldReplace", {film(96, 32, "C:\\led\\07.bmp"), led(96, 32, "C:\\led")}, 1, P::SamePath,
                 1, {}},
        PlanCase{"TheTableInAPicturesPlace", {kHidden, led(96, 32, "C:\\bus\\CODES.CSV")}, 1, P::SamePath, 1, {}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

TEST(VehicleCodeTable, ShowsRowNAtCodeNOnEveryShownSignWhenReadBack) {
  VehicleHead head;
  head.faces.resize(2);
  head.faces[0].name = u8"前面";
  head.faces[1].name = u8"側面, 左";
  const std::vector<FaceSign> signs = {film(200, 50, "C:\\f.bmp"), led(96, 32, "C:\\f"), kHidden, led(96, 32, "C:\\s")};
  std::vector<SignRow> rows(3);
  rows[0].main = u8"駅前";
  rows[1].main = u8"\"特急\", 東町";
  rows[2].main = "";
  std::vector<unsigned char> bytes;
  writeVehicleCodeTable(head, signs, rows, bytes);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(std::string(u8"\xEF\xBB\xBFコード,行先名,周期,前面(1),前面(2),\"側面, 左(1)\",\"側面, 左(2)\"\r\n"
                        "1,駅前,,1,1,,1\r\n"
                        "2,\"\"\"特急\"\", 東町\",,2,2,,2\r\n"
                        "3,,,3,3,,3\r\n"),
            text);

  Vehicle vehicle;
  std::vector<SignKind> kinds;
  for (const FaceSign& sign : signs) kinds.push_back(sign.kind);
  vehicle.head.faces.resize(2);
  for (int k = 0; k < 4; ++k) vehicle.head.faces[k / 2].kinds[k % 2] = kinds[k];
  const VehicleError error = readCodeTable(bytes.data(), bytes.size(), kinds, vehicle.table);
  ASSERT_FALSE(error) << vehicleProblemText(error);
  ASSERT_EQ(3u, vehicle.table.codes.size());
  EXPECT_EQ(rows[1].main, vehicle.table.codes[1].name);
  for (int code = 1; code <= 3; ++code) {
    const CodePlan plan = planCode(vehicle, code);
    ASSERT_TRUE(plan.found);
    EXPECT_EQ(kDefaultPeriodMs, plan.periodMs);
    for (const SignOrder& order : plan.orders) {
      const bool hidden = order.kind == SignKind::Hidden;
      EXPECT_EQ(hidden ? SignStep::Unchanged : SignStep::Frame, order.step) << code;
      const std::vector<std::int16_t> frames = {static_cast<std::int16_t>(code)};
      EXPECT_EQ(hidden ? std::vector<std::int16_t>{} : frames, order.frames) << code;
    }
  }
}

// A frame one pixel a dot: pixels of `colours`, unlit dots 0.
Picture dotPicture(int width, int height, const std::vector<Rgb>& colours) {
  Picture dots = filledFrame(width, height, 0);
  dots.pixels = colours;
  return dots;
}

struct PanelCase {
  const char* name;
  int pitch;
  PanelOutput panel;
  std::vector<std::uint32_t> expected;  // the panel file's pixels
};

class PanelFrames : public ::testing::TestWithParam<PanelCase> {};

// The maker's LED frame of 4 x 2 dots (orange, red, unlit, white; unlit,
// green, orange, unlit) reduced to the panel's dots at its cap.
TEST_P(PanelFrames, AreTheDotsTheFeedSendsAtTheCap) {
  const PanelCase& c = GetParam();
  const Picture dots = dotPicture(4, 2, {0xFF8C00, 0xFF2818, 0, 0xFFFFFF, 0, 0x30F050, 0xFF8C00, 0});
  const Picture frame = ledFrame(dots, 4 * c.pitch, 2 * c.pitch, LedDots{c.pitch, 0, 0, 0x202020, true});
  const Picture panel = panelFrame(frame, c.panel);
  EXPECT_EQ(c.expected.empty() ? 0 : c.panel.size.width, panel.width);
  EXPECT_EQ(c.expected.empty() ? 0 : c.panel.size.height, panel.height);
  EXPECT_EQ(c.expected, panel.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PanelFrames,
    ::testing::Values(
        PanelCase{"EveryDotAtFullBrightness", 3, {{4, 2}, 100},
                  {0xFF8C00, 0xFF2818, 0, 0xFFFFFF, 0, 0x30F050, 0xFF8C00, 0}},
        PanelCase{"HalfBrightness", 4, {{4, 2}, 50}, {0x804600, 0x80140C, 0, 0x808080, 0, 0x187828, 0x804600, 0}},
        PanelCase{"TwoDotsACell", 3, {{2, 1}, 100}, {0xFF8C00, 0xFFFFFF}},
        PanelCase{"APanelTooLarge", 3, {{65537, 1}, 100}, {}}),
    [](const ::testing::TestParamInfo<PanelCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovenza
