#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "feed/Ddp.h"
#include "feed/FeedSchedule.h"
#include "feed/PanelDots.h"
#include "feed/PanelSettings.h"

namespace rovenza {
namespace {

struct Picture {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  Picture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  PixelRows rows() { return PixelRows{pixels.data(), width, width, height}; }
};

constexpr std::uint32_t kRed = 0xC01020;
constexpr std::uint32_t kDimLit = 0x004000;   // the dimmest colour the dot look lights
constexpr std::uint32_t kUnlit = 0x3F3F3F;    // no channel at the lit level

struct ReductionCase {
  const char* name;
  int pictureWidth, pictureHeight, openingWidth, openingHeight;
  PanelSize panel;
  bool onePixelADot;
  std::vector<std::pair<int, std::uint32_t>> pixels;  // index into the picture -> colour; the rest black
  std::vector<std::uint32_t> dots;
};

// A 6x4 opening on a 3x2 panel has cells of 2x2 pixels; on a 4x3 panel its
// cells are 1 or 2 pixels wide and 1 or 2 high.
const ReductionCase kReductions[] = {
    {"brightest pixel of each cell", 6, 4, 6, 4, {3, 2}, false,
     {{0, kRed}, {1, 0xFFFFFF}, {8, kDimLit}, {15, kUnlit}, {23, 0x0000FF}},
     {0xFFFFFF, kDimLit, 0, 0, 0, 0x0000FF}},
    {"a cell the look shows unlit is black", 2, 2, 2, 2, {1, 1}, false, {{0, kUnlit}, {3, 0x103F10}}, {0}},
    {"uneven cells", 6, 4, 6, 4, {4, 3}, false,
     {{0, kRed}, {2, 0x00FF00}, {5, 0x0000FF}, {6 * 3 + 5, 0xFFFF00}},
     {kRed, 0x00FF00, 0, 0x0000FF, 0, 0, 0, 0, 0, 0, 0, 0xFFFF00}},
    {"beyond the picture is dark", 2, 2, 4, 2, {2, 1}, false, {{1, kRed}}, {kRed, 0}},
    {"beyond the opening is not shown", 4, 2, 2, 2, {2, 1}, false, {{2, kRed}, {1, 0x00FF00}}, {0, 0x00FF00}},
    {"a panel larger than the opening repeats pixels", 2, 1, 2, 1, {4, 1}, false, {{0, kRed}, {1, 0x00FF00}},
     {kRed, kRed, 0x00FF00, 0x00FF00}},
    {"one pixel a dot, as it is, cut at the panel", 3, 2, 30, 20, {2, 3}, true,
     {{0, kUnlit}, {1, kRed}, {2, 0xFFFFFF}, {4, 0x010203}},
     {kUnlit, kRed, 0, 0x010203, 0, 0}},
};

TEST(PanelDots, ReduceTheOpeningToTheDots) {
  for (const ReductionCase& c : kReductions) {
    Picture picture(c.pictureWidth, c.pictureHeight);
    for (const auto& [index, colour] : c.pixels) picture.pixels[index] = colour | 0xFF000000u;  // any top byte
    EXPECT_EQ(c.dots, panelDots(picture.rows(), c.openingWidth, c.openingHeight, c.panel, c.onePixelADot)) << c.name;
  }
}

TEST(PanelDots, BottomUpRowsAndNoPictureAndRefusedPanels) {
  Picture picture(2, 2);
  picture.at(0, 1) = kRed;  // the bottom row stored first
  const PixelRows bottomUp{picture.pixels.data() + 2, -2, 2, 2};
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, 0, 0, 0}), panelDots(bottomUp, 2, 2, {2, 2}, false));
  EXPECT_EQ(std::vector<std::uint32_t>(6, 0), panelDots(PixelRows{}, 8, 8, {3, 2}, false)) << "an empty sign";
  EXPECT_TRUE(panelDots(picture.rows(), 2, 2, {0, 0}, false).empty());
  EXPECT_TRUE(panelDots(picture.rows(), 2, 2, {65537, 1}, false).empty());
  EXPECT_EQ(65536u, panelDots(picture.rows(), 2, 2, {256, 256}, false).size());
}

TEST(PanelDots, BrightnessCapScalesEveryChannel) {
  const std::vector<std::uint32_t> dots{0xFF8001, 0x000000, 0x0A6433};
  EXPECT_EQ((std::vector<std::uint8_t>{255, 128, 1, 0, 0, 0, 10, 100, 51}), panelBytes(dots, 100));
  EXPECT_EQ((std::vector<std::uint8_t>{128, 64, 1, 0, 0, 0, 5, 50, 26}), panelBytes(dots, 50));
  EXPECT_EQ((std::vector<std::uint8_t>{3, 1, 0, 0, 0, 0, 0, 1, 1}), panelBytes(dots, 1));
  EXPECT_EQ(std::vector<std::uint8_t>(9, 0), panelBytes(dots, -5)) << "held to 0..100";
  EXPECT_EQ(panelBytes(dots, 100), panelBytes(dots, 250));
}

class RecordingSink : public PacketSink {
 public:
  std::vector<std::vector<std::uint8_t>> packets;
  int failAt = -1;
  bool sendPacket(const std::uint8_t* bytes, std::size_t size) override {
    if (static_cast<int>(packets.size()) == failAt) return false;
    packets.emplace_back(bytes, bytes + size);
    return true;
  }
};

std::uint32_t offsetOf(const std::vector<std::uint8_t>& p) {
  return std::uint32_t{p[4]} << 24 | std::uint32_t{p[5]} << 16 | std::uint32_t{p[6]} << 8 | p[7];
}

struct PacketRow {
  std::uint8_t flags;
  std::uint8_t sequence;
  std::uint32_t offset;
  std::uint16_t length;
};

TEST(Ddp, PicturesSplitIntoNumberedPackets) {
  struct Case {
    std::size_t bytes;
    std::vector<PacketRow> packets;
  };
  // One sequence runs on across the pictures; a 128x32 panel is 12,288 bytes.
  const Case cases[] = {
      {3, {{0x41, 1, 0, 3}}},
      {1440, {{0x41, 2, 0, 1440}}},
      {1441, {{0x40, 3, 0, 1440}, {0x41, 4, 1440, 1}}},
      {12288,
       {{0x40, 5, 0, 1440}, {0x40, 6, 1440, 1440}, {0x40, 7, 2880, 1440}, {0x40, 8, 4320, 1440},
        {0x40, 9, 5760, 1440}, {0x40, 10, 7200, 1440}, {0x40, 11, 8640, 1440}, {0x40, 12, 10080, 1440},
        {0x41, 13, 11520, 768}}},
      {4320, {{0x40, 14, 0, 1440}, {0x40, 15, 1440, 1440}, {0x41, 1, 2880, 1440}}},
      {0, {}},
      {196608, {}},  // 65,536 dots: 137 packets, checked below
  };
  DdpSequence sequence;
  for (const Case& c : cases) {
    std::vector<std::uint8_t> data(c.bytes);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    RecordingSink sink;
    ASSERT_TRUE(sendDdpPicture(data.data(), data.size(), sequence, sink));
    std::vector<std::uint8_t> joined;
    for (std::size_t i = 0; i < sink.packets.size(); ++i) {
      const std::vector<std::uint8_t>& p = sink.packets[i];
      ASSERT_GE(p.size(), kDdpHeaderBytes);
      EXPECT_EQ(0x0B, p[2]);
      EXPECT_EQ(0x01, p[3]);
      const std::size_t length = std::size_t{p[8]} << 8 | p[9];
      EXPECT_EQ(p.size(), kDdpHeaderBytes + length);
      EXPECT_EQ(joined.size(), offsetOf(p));
      EXPECT_EQ(i + 1 == sink.packets.size() ? 0x41 : 0x40, p[0]);
      EXPECT_TRUE(p[1] >= 1 && p[1] <= 15);
      if (i < c.packets.size()) {
        EXPECT_EQ(c.packets[i].flags, p[0]) << c.bytes << " #" << i;
        EXPECT_EQ(c.packets[i].sequence, p[1]) << c.bytes << " #" << i;
        EXPECT_EQ(c.packets[i].offset, offsetOf(p)) << c.bytes << " #" << i;
        EXPECT_EQ(c.packets[i].length, length) << c.bytes << " #" << i;
      }
      joined.insert(joined.end(), p.begin() + kDdpHeaderBytes, p.end());
    }
    if (!c.packets.empty() || c.bytes == 0) {
      EXPECT_EQ(c.packets.size(), sink.packets.size()) << c.bytes;
    } else {
      EXPECT_EQ((c.bytes + kDdpMaxData - 1) / kDdpMaxData, sink.packets.size()) << c.bytes;
    }
    EXPECT_EQ(data, joined) << c.bytes;
  }
}

TEST(Ddp, StopsAtTheFirstFailedPacket) {
  std::vector<std::uint8_t> data(5000);
  DdpSequence sequence;
  RecordingSink sink;
  sink.failAt = 1;
  EXPECT_FALSE(sendDdpPicture(data.data(), data.size(), sequence, sink));
  EXPECT_EQ(1u, sink.packets.size());
}

TEST(PanelSettings, FaultsOfTypedFields) {
  struct Case {
    PanelFields fields;
    PanelSettingFault fault;
  };
  const Case cases[] = {
      {{"192.168.1.20", "4048", "128", "32", "50"}, PanelSettingFault::None},
      {{" led-panel.local ", " 1 ", "256", "256", "100"}, PanelSettingFault::None},
      {{"a_b", "65535", "1", "1", "1"}, PanelSettingFault::None},
      {{"", "4048", "128", "32", "50"}, PanelSettingFault::NoHost},
      {{"  ", "4048", "128", "32", "50"}, PanelSettingFault::NoHost},
      {{std::string(253, 'h'), "4048", "128", "32", "50"}, PanelSettingFault::None},
      {{std::string(254, 'h'), "4048", "128", "32", "50"}, PanelSettingFault::LongHost},
      {{std::string(300, 'h'), "4048", "128", "32", "50"}, PanelSettingFault::LongHost},
      {{"my panel", "4048", "128", "32", "50"}, PanelSettingFault::HostCharacter},
      {{"\\\\server", "4048", "128", "32", "50"}, PanelSettingFault::HostCharacter},
      {{"パネル", "4048", "128", "32", "50"}, PanelSettingFault::HostCharacter},
      {{"panel", "0", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "65536", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "-1", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "4048x", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "99999999999", "128", "32", "50"}, PanelSettingFault::Port},
      {{"panel", "4048", "0", "0", "50"}, PanelSettingFault::Size},
      {{"panel", "4048", "128", "0", "50"}, PanelSettingFault::Size},
      {{"panel", "4048", "257", "256", "50"}, PanelSettingFault::Size},
      {{"panel", "4048", "65537", "1", "50"}, PanelSettingFault::Size},
      {{"panel", "4048", "65536", "1", "50"}, PanelSettingFault::None},
      {{"panel", "4048", "128", "32", "0"}, PanelSettingFault::Cap},
      {{"panel", "4048", "128", "32", "101"}, PanelSettingFault::Cap},
  };
  for (const Case& c : cases) {
    PanelFeedSettings settings{"before", 7, {1, 1}, 9};
    const PanelSettingFault fault = readPanelFields(c.fields, settings);
    EXPECT_EQ(c.fault, fault) << c.fields[0].substr(0, 20) << " " << c.fields[1] << " " << c.fields[2] << "x"
                              << c.fields[3] << " " << c.fields[4];
    if (fault == PanelSettingFault::None) {
      PanelFields unblanked = c.fields;
      for (std::string& field : unblanked) {
        field.erase(0, field.find_first_not_of(' '));
        field.erase(field.find_last_not_of(' ') + 1);
      }
      EXPECT_EQ(unblanked, panelFields(settings)) << "what is read is what is written back, but for blanks";
    } else {
      EXPECT_EQ("before", settings.host) << "refused settings change nothing";
      EXPECT_STRNE("", panelSettingMessage(fault));
    }
  }
}

TEST(PanelSettings, EachFaultNamesItsField) {
  const std::pair<PanelSettingFault, PanelField> cases[] = {
      {PanelSettingFault::NoHost, kPanelHost}, {PanelSettingFault::LongHost, kPanelHost},
      {PanelSettingFault::HostCharacter, kPanelHost}, {PanelSettingFault::Port, kPanelPort},
      {PanelSettingFault::Size, kPanelWidth}, {PanelSettingFault::Cap, kPanelCap},
  };
  for (const auto& [fault, field] : cases) EXPECT_EQ(field, panelFieldOf(fault)) << static_cast<int>(fault);
}

TEST(PanelSettings, KeptFieldsFallBackOneByOne) {
  const PanelFeedSettings defaults{"", kDdpPort, {64, 16}, kDefaultBrightnessCap};
  const PanelFeedSettings all = keptPanelSettings({"panel", "5000", "128", "32", "30"}, defaults);
  EXPECT_EQ(panelFields(PanelFeedSettings{"panel", 5000, {128, 32}, 30}), panelFields(all));
  EXPECT_EQ(panelFields(defaults), panelFields(keptPanelSettings({}, defaults))) << "nothing kept";
  const PanelFeedSettings some = keptPanelSettings({std::string(300, 'x'), "70000", "128", "0", "80"}, defaults);
  EXPECT_EQ(panelFields(PanelFeedSettings{"", kDdpPort, {64, 16}, 80}), panelFields(some));
  EXPECT_EQ("rovenza-panel.ini", panelFilePath("rovenza.exe"));
  EXPECT_EQ("C:\\R\\rovenza-panel.ini", panelFilePath("C:\\R\\rovenza.exe"));
  EXPECT_EQ("Sign1", panelSection(0, 0));
  EXPECT_EQ("Sign2", panelSection(0, 1));
  EXPECT_EQ("Face3.Sign2", panelSection(2, 1));
}

TEST(FeedSchedule, AtEveryChangeAndEverySecondOtherwise) {
  FeedSchedule schedule;
  EXPECT_TRUE(schedule.due(0)) << "the first picture goes at once";
  schedule.sent(100);
  EXPECT_FALSE(schedule.due(100));
  EXPECT_FALSE(schedule.due(100 + kFeedRepeatMicros - 1));
  EXPECT_TRUE(schedule.due(100 + kFeedRepeatMicros));
  EXPECT_EQ(100 + kFeedRepeatMicros, schedule.dueAt());
  schedule.pictureChanged();
  EXPECT_TRUE(schedule.due(200)) << "a change goes at once";
  schedule.sent(200);
  EXPECT_EQ(200 + kFeedRepeatMicros, schedule.dueAt()) << "the repeat counts from the last send";
}

}  // namespace
}  // namespace rovenza
