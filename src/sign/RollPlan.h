#pragma once
// How a roll-film sign winds from the frame it shows to another one: one-pixel
// steps of the strip, with the frame interval after every whole frame.
#include <cstdint>
#include <string_view>

#include "layout/Layout.h"

namespace rovenza {

// current - target, wrapped to a signed 16-bit value. Negative rolls to a
// higher frame number (the strip moves up), positive back toward frame 0.
std::int16_t frameDistance(std::int16_t currentFrame, std::int32_t targetFrame);

struct RollPlan {
  std::int16_t distance = 0;     // frameDistance of the roll
  std::int32_t frameHeight = 0;  // h: rows of one frame (the clip window's client height)
  std::int64_t steps = 0;        // |distance| * h one-pixel steps (0 when h is 0)
  std::int32_t stepDelta = 0;    // change of the strip offset per step: -1, +1, or 0 without steps
  bool writesFrame = false;      // the roll ends with currentFrame := targetFrame

  // Strip offset after step `step` (counted from 1) of a roll that started at
  // `startOffset`; wraps as 32-bit arithmetic does.
  std::int32_t offsetAfter(std::int32_t startOffset, std::int64_t step) const;
  // Whether the frame interval follows step `step`: at every multiple of h.
  bool pausesAfter(std::int64_t step) const;
};

// The steps of a roll from `currentFrame` to `targetFrame` with frames of
// `frameHeight` rows. Equal frames (after wrapping) give no step and leave
// currentFrame alone; a frame height of 0 (or less) gives no step but still
// ends at the target frame.
RollPlan planRoll(std::int16_t currentFrame, std::int32_t targetFrame, std::int32_t frameHeight);

// A pause in milliseconds read from a speed or interval field: the text
// through parseNumber, truncated toward zero and kept within `range` (the
// field's up-down range). Empty text gives 0; digits beyond the range give
// its maximum, so no text can make a roll wait without end.
std::int32_t pauseFromText(std::string_view text, FieldRange range);

}  // namespace rovenza
