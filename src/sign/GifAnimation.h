#pragma once
// Animated GIF files as an LED sign plays them. giflib reads the file from
// the bytes in memory; each picture is kept as it is stored (its colour
// indices, clipped to the file's logical screen, and its colour table), and
// a canvas the size of the screen composes them one after another as a
// browser shows them: the disposal methods, and transparency over the black
// of an unlit sign. A 192 x 48 animation of 200 pictures keeps about 2 MB.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sign/PictureDecoding.h"

namespace rovenza {

// Most pictures an animation keeps; later ones are dropped.
constexpr std::size_t kMaxAnimationPictures = 100000;

// Hundredths of a second a picture stays: a stored delay of 0 or 1 counts as
// 10, as browsers count it.
std::uint32_t pictureDelayHundredths(std::uint32_t stored);

struct GifLimits {
  // The logical screen and each picture's stored rectangle, in pixels.
  std::uint64_t maxPicturePixels = kMaxPicturePixels;
  // Every picture as a 32-bit canvas of the screen, all together: an
  // animation past it keeps its first picture only.
  std::uint64_t maxDecodedBytes = kMaxDecodedBytes;
};

enum class GifDisposal : std::uint8_t {
  Keep,               // 0 (none) and 1: the picture stays for the next
  RestoreBackground,  // 2: its rectangle goes back to black
  RestorePrevious     // 3: its rectangle goes back to what it covered
};

struct GifPicture {
  std::int32_t left = 0;  // the stored rectangle inside the screen
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t delay = 10;  // hundredths, the 0-or-1 rule applied
  GifDisposal disposal = GifDisposal::Keep;
  std::int32_t transparent = -1;  // colour index drawn as nothing, -1 none
  std::size_t colours = 0;        // first colour of its table in GifAnimation::colours
  std::size_t colourCount = 0;    // an index past the table draws black
  std::size_t indices = 0;        // first index in GifAnimation::indices, width x height of them
};

struct GifAnimation {
  std::int32_t width = 0;  // the logical screen
  std::int32_t height = 0;
  // The NETSCAPE2.0 loop count: -1 without one (played once), 0 forever,
  // otherwise the plays after the first.
  std::int32_t loopCount = -1;
  std::vector<GifPicture> pictures;
  std::vector<std::uint32_t> colours;  // 0x00RRGGBB, every picture's table one after another
  std::vector<std::uint8_t> indices;   // every picture's indices, rows from the top

  // Plays in all; 0 for forever.
  std::int64_t plays() const { return loopCount < 0 ? 1 : loopCount == 0 ? 0 : std::int64_t{loopCount} + 1; }
  // Bytes kept for the pictures.
  std::size_t keptBytes() const;
};

// The pictures of a GIF counted without decoding a pixel: those whose
// records are whole, up to the first that is not (or kMaxAnimationPictures).
// 0 for bytes that are no GIF, or whose screen is larger than the limits.
std::size_t countGifPictures(const unsigned char* data, std::size_t size, const GifLimits& limits = {});

// Reads the pictures of a GIF: every one that decodes, up to the first whose
// record or colour data is cut short or bad (it and those after it are
// dropped). An animation whose pictures as canvases would pass
// limits.maxDecodedBytes keeps its first picture only. No pictures for
// bytes that are no GIF.
GifAnimation decodeGifAnimation(const unsigned char* data, std::size_t size, const GifLimits& limits = {});

// An LED frame file's pictures when they make an animation: a GIF the
// picture object would decode (pictureDecoderFor) with two pictures or more
// that decode, within the ceilings. False for anything else, which shows as
// a still picture as it always has (an animation past the ceiling shows its
// first picture only, and so does the still picture).
bool readLedAnimation(const unsigned char* data, std::size_t size, GifAnimation& animation);

// The screen as the pictures leave it, composed in their order.
class GifCanvas {
 public:
  // Takes all the memory it needs here: composing allocates nothing.
  explicit GifCanvas(const GifAnimation& animation);
  // Composes picture `index`: after the one before it when `index` follows
  // the last composed, otherwise on a black screen from picture 0 on. Each
  // picture first undoes the one before as that one's disposal says.
  void compose(std::size_t index);
  std::size_t composed() const { return next_ - 1; }  // valid after a compose
  // Width x height pixels, 0x00RRGGBB, rows from the top.
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

 private:
  void draw(const GifPicture& picture);
  void dispose(const GifPicture& picture);

  const GifAnimation& animation_;
  std::vector<std::uint32_t> pixels_;
  std::vector<std::uint32_t> saved_;  // what a RestorePrevious picture covered
  std::size_t next_ = 0;              // the picture composed next in order
};

}  // namespace rovenza
