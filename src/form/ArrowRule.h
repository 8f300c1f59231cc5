#pragma once
// The arrow rule of the layout form's up-down controls and the table of what
// each of the fourteen up-downs edits.
#include <cstddef>
#include <cstdint>

#include "layout/Layout.h"

namespace rovenza {

// What an arrow press of one up-down control changes.
enum class FormField : std::uint8_t {
  FormWidth,       // main window outer width
  FormHeight,      // main window outer height
  SignLeft,        // clip window left
  SignTop,         // clip window top
  SignWidth,       // clip window client width
  SignHeight,      // clip window client height
  TemplateFrames,  // frame count of the sign's template picture
  CornerRound,     // the sign's corner rounding
};

struct FormUpDown {
  int upDownId;
  int editId;  // its buddy, created just before it
  FormField field;
  int sign;  // 0 or 1; -1 for the main window's fields
  FieldRange range;
};

constexpr FieldRange kTemplateFramesRange{1, 20};

constexpr std::size_t kFormUpDownCount = 14;

// The fourteen up-downs in the order the form sets their ranges and
// positions: form size, then left, top, width, height of the 1st and the 2nd
// sign, the two frame counts, the two corner roundings.
extern const FormUpDown kFormUpDowns[kFormUpDownCount];

// The entry of an up-down control id; null for any other id.
const FormUpDown* findFormUpDown(int upDownId);

// Whether the field is one whose change reshapes the sign's rounded corners.
bool reshapesCorners(FormField field);

// The value an arrow press gives, computed before the control moves itself:
// the position the control reports (UDM_GETPOS: position in the low 16 bits,
// non-zero high 16 bits when the edit does not hold a number inside the
// range) plus the press's step. The sum is not clamped to the range: at the
// top of a range it is one step beyond it, at the bottom one step below.
//
// When the control reports an error (an empty field, a number out of range),
// the low 16 bits still hold the last position it accepted, and that is the
// position it will step from and write back into the field; the value is
// that position plus the step, so the window follows what the field is about
// to show instead of jumping by 65536.
std::int32_t arrowValue(std::uint32_t getPosResult, std::int32_t step);

// A value stored in a template frame count: its low 16 bits.
std::int16_t toTemplateFrames(std::int32_t value);

}  // namespace rovenza
