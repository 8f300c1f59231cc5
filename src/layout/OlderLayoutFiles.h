#pragma once
// Layout files of the two earlier editions: ".qv3" (two roll-film signs) and
// ".qvd" (one LED-style sign). Coordinates are 16-bit twips, strings carry a
// 16-bit count, and there is no signature. Both are read only.
#include <cstdint>
#include <string>

#include "layout/FileSystem.h"
#include "layout/LayoutSink.h"
#include "layout/Qv4File.h"

namespace rovenza {

constexpr int kTwipsPerPixel = 15;

// Twips to pixels, the quotient truncated toward zero (-20 gives -1).
constexpr std::int32_t twipsToPixels(std::int16_t twips) { return twips / kTwipsPerPixel; }

// Each field is applied as soon as it was read, sizes and places held to the
// ranges of the layout form's fields; a file that ends early keeps
// what was applied and shows the read error. Neither resets the signs.
ReadOutcome readVer3LayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink);
ReadOutcome readDigitalLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink);

// The steps after a complete read of either format.
void applyVer3Layout(LayoutSink& sink, std::int16_t signCount);
void applyDigitalLayout(LayoutSink& sink);

}  // namespace rovenza
