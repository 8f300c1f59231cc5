#include "form/ArrowRule.h"

#include <limits>

namespace rovenza {

const FormUpDown kFormUpDowns[kFormUpDownCount] = {
    {1034, 1036, FormField::FormWidth, -1, kFormSizeRange},
    {1037, 1040, FormField::FormHeight, -1, kFormSizeRange},
    {1041, 1052, FormField::SignLeft, 0, kSignPlaceRange},
    {1043, 1054, FormField::SignTop, 0, kSignPlaceRange},
    {1057, 1056, FormField::SignWidth, 0, kSignSizeRange},
    {1060, 1059, FormField::SignHeight, 0, kSignSizeRange},
    {1067, 1066, FormField::SignLeft, 1, kSignPlaceRange},
    {1070, 1069, FormField::SignTop, 1, kSignPlaceRange},
    {1073, 1072, FormField::SignWidth, 1, kSignSizeRange},
    {1076, 1075, FormField::SignHeight, 1, kSignSizeRange},
    {1079, 1078, FormField::TemplateFrames, 0, kTemplateFramesRange},
    {1082, 1081, FormField::TemplateFrames, 1, kTemplateFramesRange},
    {1085, 1084, FormField::CornerRound, 0, kCornerRoundRange},
    {1088, 1087, FormField::CornerRound, 1, kCornerRoundRange},
};

const FormUpDown* findFormUpDown(int upDownId) {
  for (const FormUpDown& entry : kFormUpDowns) {
    if (entry.upDownId == upDownId) return &entry;
  }
  return nullptr;
}

bool reshapesCorners(FormField field) {
  return field == FormField::SignWidth || field == FormField::SignHeight || field == FormField::CornerRound;
}

std::int32_t arrowValue(std::uint32_t getPosResult, std::int32_t step) {
  const auto position = static_cast<std::int16_t>(getPosResult & 0xFFFFu);
  const std::int64_t sum = std::int64_t{position} + step;
  constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(sum < low ? low : (sum > high ? high : sum));
}

std::int16_t toTemplateFrames(std::int32_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu));
}

}  // namespace rovenza
