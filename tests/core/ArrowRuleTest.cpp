#include "form/ArrowRule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

namespace rovenza {
namespace {

std::uint32_t goodPosition(std::int32_t position) { return static_cast<std::uint32_t>(position) & 0xFFFFu; }
std::uint32_t failedPosition(std::int32_t lastValid) { return 0x00010000u | goodPosition(lastValid); }

struct ArrowCase {
  const char* what;
  std::uint32_t getPos;
  std::int32_t step;
  std::int32_t expected;
};

TEST(ArrowRule, AddsTheStepToTheReportedPositionWithoutClamping) {
  const ArrowCase cases[] = {
      {"up at the top of the form size", goodPosition(1024), 1, 1025},
      {"down at the bottom of a sign height", goodPosition(1), -1, 0},
      {"typed 300, then up", goodPosition(300), 1, 301},
      {"down at the bottom of the form size", goodPosition(20), -1, 19},
      {"down at the bottom of a place", goodPosition(0), -1, -1},
      {"down at the bottom of a frame count", goodPosition(1), -1, 0},
      {"up at the top of a frame count", goodPosition(20), 1, 21},
      {"accelerated step", goodPosition(450), 5, 455},
      {"accelerated step down", goodPosition(450), -20, 430},
      {"corner rounding up", goodPosition(50), 1, 51},
  };
  for (const ArrowCase& c : cases) {
    EXPECT_EQ(c.expected, arrowValue(c.getPos, c.step)) << c.what;
  }
}

TEST(ArrowRule, AFailedReadStepsFromTheLastAcceptedPosition) {
  const ArrowCase cases[] = {
      {"empty field, last 450", failedPosition(450), 1, 451},
      {"out of range typed, last 1024", failedPosition(1024), 1, 1025},
      {"empty field, last 0, down", failedPosition(0), -1, -1},
      {"other error bits", 0xFFFF0000u | goodPosition(77), 1, 78},
  };
  for (const ArrowCase& c : cases) {
    EXPECT_EQ(c.expected, arrowValue(c.getPos, c.step)) << c.what;
  }
}

TEST(ArrowRule, ThePositionIsASigned16BitValue) {
  EXPECT_EQ(0, arrowValue(goodPosition(-1), 1));
  EXPECT_EQ(-32768 - 1, arrowValue(goodPosition(-32768), -1));
  EXPECT_EQ(32767 + 1, arrowValue(goodPosition(32767), 1));
}

TEST(ArrowRule, HugeStepsSaturateInsteadOfOverflowing) {
  constexpr std::int32_t maxInt = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t minInt = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(maxInt, arrowValue(goodPosition(1000), maxInt));
  EXPECT_EQ(minInt, arrowValue(goodPosition(-5), minInt));
  EXPECT_EQ(maxInt - 1 + 1, arrowValue(goodPosition(1), maxInt - 1));
}

TEST(ArrowRule, TemplateFramesKeepTheLow16Bits) {
  EXPECT_EQ(21, toTemplateFrames(21));
  EXPECT_EQ(0, toTemplateFrames(0));
  EXPECT_EQ(-1, toTemplateFrames(-1));
  EXPECT_EQ(5, toTemplateFrames(65536 + 5));
  EXPECT_EQ(-25536, toTemplateFrames(40000));
}

TEST(FormUpDowns, ListTheFourteenControlsInInitialisationOrder) {
  struct Expected {
    int upDown;
    int edit;
    FormField field;
    int sign;
    std::int32_t min;
    std::int32_t max;
  };
  const Expected expected[kFormUpDownCount] = {
      {1034, 1036, FormField::FormWidth, -1, 20, 1024},   {1037, 1040, FormField::FormHeight, -1, 20, 1024},
      {1041, 1052, FormField::SignLeft, 0, 0, 1024},      {1043, 1054, FormField::SignTop, 0, 0, 1024},
      {1057, 1056, FormField::SignWidth, 0, 1, 1024},     {1060, 1059, FormField::SignHeight, 0, 1, 1024},
      {1067, 1066, FormField::SignLeft, 1, 0, 1024},      {1070, 1069, FormField::SignTop, 1, 0, 1024},
      {1073, 1072, FormField::SignWidth, 1, 1, 1024},     {1076, 1075, FormField::SignHeight, 1, 1, 1024},
      {1079, 1078, FormField::TemplateFrames, 0, 1, 20},  {1082, 1081, FormField::TemplateFrames, 1, 1, 20},
      {1085, 1084, FormField::CornerRound, 0, 0, 50},     {1088, 1087, FormField::CornerRound, 1, 0, 50},
  };
  for (std::size_t i = 0; i < kFormUpDownCount; ++i) {
    const FormUpDown& actual = kFormUpDowns[i];
    EXPECT_EQ(expected[i].upDown, actual.upDownId) << i;
    EXPECT_EQ(expected[i].edit, actual.editId) << i;
    EXPECT_EQ(expected[i].field, actual.field) << i;
    EXPECT_EQ(expected[i].sign, actual.sign) << i;
    EXPECT_EQ(expected[i].min, actual.range.min) << i;
    EXPECT_EQ(expected[i].max, actual.range.max) << i;
    EXPECT_EQ(&actual, findFormUpDown(actual.upDownId)) << i;
  }
}

TEST(FormUpDowns, OtherIdsAreNotUpDowns) {
  std::set<int> upDowns;
  for (const FormUpDown& entry : kFormUpDowns) upDowns.insert(entry.upDownId);
  for (int id = 990; id < 1100; ++id) {
    if (upDowns.count(id)) continue;
    EXPECT_EQ(nullptr, findFormUpDown(id)) << id;
  }
}

TEST(FormUpDowns, SizeAndRoundingReshapeTheCornersPlacesDoNot) {
  const struct {
    FormField field;
    bool reshapes;
  } cases[] = {{FormField::FormWidth, false},  {FormField::FormHeight, false},    {FormField::SignLeft, false},
               {FormField::SignTop, false},    {FormField::SignWidth, true},      {FormField::SignHeight, true},
               {FormField::TemplateFrames, false}, {FormField::CornerRound, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.reshapes, reshapesCorners(c.field)) << static_cast<int>(c.field);
  }
}

}  // namespace
}  // namespace rovenza
