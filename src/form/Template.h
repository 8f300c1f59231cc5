#pragma once
// Geometry of the template picture: a white canvas as wide as a sign's
// opening and as high as one frame times the frame count, with a black line
// across the top row of every frame when there is more than one frame.
#include <cstdint>
#include <vector>

namespace rovenza {

struct TemplateGeometry {
  std::int32_t width = 0;
  std::int32_t height = 0;             // frame height times frame count
  std::vector<std::int32_t> lineRows;  // rows that get a black line, top to bottom

  // A canvas without a pixel: nothing can be drawn or copied.
  bool empty() const { return width <= 0 || height <= 0; }
};

// Frame count of a sign's template: an LED-style sign (kind code 1) always
// has one frame, since each of its frames is a file of its own; any other
// kind uses the count chosen in the form.
std::int16_t templateFrameCount(std::uint8_t kind, std::int16_t chosenFrames);

// Canvas of `frames` frames of `width` x `frameHeight` pixels. A frame height
// or a frame count of 0 (or less) gives a canvas with no rows and no lines; a
// height that does not fit in 32 bits gives no canvas either.
TemplateGeometry templateGeometry(std::int32_t width, std::int32_t frameHeight, std::int16_t frames);

}  // namespace rovenza
