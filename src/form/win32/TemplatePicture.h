#pragma once
// The template picture: a blank canvas sized to a sign, put on the clipboard.
#include <cstdint>

namespace rovenza {

// "原稿をコピー" of sign 0 or 1.
void copyTemplate(int sign);

// Builds the canvas of `frames` frames of width x frameHeight and puts it on
// the clipboard as a bitmap.
void makeTemplate(std::int32_t width, std::int32_t frameHeight, std::int16_t frames);

}  // namespace rovenza
