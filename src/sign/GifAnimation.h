#pragma once
// Animated GIF files as an LED sign plays them. giflib reads the file from
// the bytes in memory; each picture is kept as it is stored (its colour
// indices, clipped to the file's logical screen, and its colour table), and
// a canvas the size of the screen composes them one after another as a
// browser shows them: the disposal methods, and transparency over the black
// of an unlit sign. A 192 x 48 animation of 200 pictures keeps about 2 MB.
// The work is bounded by what is kept: rows of a picture below the screen
// are skipped unread, and a file whose decoding would pass a budget keeps
// its first picture only.
#include <cstddef>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "sign/PictureDecoding.h"

namespace rovenza {

// Most pictures an animation keeps; later ones are dropped.
constexpr std::size_t kMaxAnimationPictures = 100000;

// The decoding budget: pixels giflib's LZW decoder may yield for all the
// pictures of one file together. A picture costs every column of its stored
// rows down to the last one that falls on the screen; rows below the screen
// are skipped block by block, never decoded. Pictures that lie within their
// screen stay within it whenever their canvases stay within
// kMaxDecodedBytes, so only pictures stored larger than the screen can pass
// it: such an animation shows its first picture only. About 64 M pixels, a
// fraction of a second of one core.
constexpr std::uint64_t kMaxGifDecodePixels = kMaxDecodedBytes / 4;

// A first picture that costs no more than this is decoded while its frame
// is shown (a 1024 x 1024 picture, a few milliseconds); a costlier one is
// decoded by the animation's own thread and appears when it is ready.
constexpr std::uint64_t kGifAtOncePixels = 1u << 20;

// Hundredths of a second a picture stays: a stored delay of 0 or 1 counts as
// 10, as browsers count it.
std::uint32_t pictureDelayHundredths(std::uint32_t stored);

struct GifLimits {
  // The logical screen and each picture's stored rectangle, in pixels.
  std::uint64_t maxPicturePixels = kMaxPicturePixels;
  // Every picture as a 32-bit canvas of the screen, all together: an
  // animation past it keeps its first picture only.
  std::uint64_t maxDecodedBytes = kMaxDecodedBytes;
  // The pixels decoding all the pictures takes (kMaxGifDecodePixels): an
  // animation past it keeps its first picture only.
  std::uint64_t maxDecodePixels = kMaxGifDecodePixels;
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
  // Whether a picture of the file goes back to what it covered (a canvas
  // then keeps what it covers).
  bool restoresPrevious = false;
  std::vector<GifPicture> pictures;
  std::vector<std::uint32_t> colours;  // 0x00RRGGBB, every picture's table one after another
  std::vector<std::uint8_t> indices;   // every picture's indices, rows from the top

  // Plays in all; 0 for forever.
  std::int64_t plays() const { return loopCount < 0 ? 1 : loopCount == 0 ? 0 : std::int64_t{loopCount} + 1; }
  // Bytes kept for the pictures.
  std::size_t keptBytes() const;
};

// A GIF's pictures as its records tell them, read without decoding a pixel.
struct GifSurvey {
  std::int32_t width = 0;  // the logical screen
  std::int32_t height = 0;
  // The pictures whose records are whole, up to the first that is not (or
  // kMaxAnimationPictures); 0 for bytes that are no GIF, or whose screen is
  // larger than the limits.
  std::size_t pictures = 0;
  // The pictures decoding keeps: all of them, or the first only when their
  // canvases or their decoding would pass the limits.
  std::size_t kept = 0;
  std::uint64_t decodePixels = 0;       // what decoding all the pictures costs (kMaxGifDecodePixels)
  std::uint64_t firstDecodePixels = 0;  // what decoding the first costs
  bool restoresPrevious = false;
};

// Surveys the first `most` pictures (the rest are not counted); stops, with
// a survey of no use, once `cancelled` is seen set between pictures.
GifSurvey surveyGif(const unsigned char* data, std::size_t size, const GifLimits& limits = {},
                    std::size_t most = kMaxAnimationPictures, const std::atomic<bool>* cancelled = nullptr);

struct GifRecords;

// Decodes a GIF's pictures one at a time, each into the same animation;
// how many to take is the caller's (GifSurvey::kept). Only the rows a
// picture shows on the screen are kept, and only the stored rows down to its
// last one on the screen are decoded.
class GifDecoder {
 public:
  // Reads the header from the bytes, which must outlive the decoder, and
  // gives `animation` the screen and the global colours (nothing for bytes
  // that are no GIF, or whose screen is larger than the limits).
  GifDecoder(const unsigned char* data, std::size_t size, GifAnimation& animation, const GifLimits& limits = {});
  ~GifDecoder();
  GifDecoder(const GifDecoder&) = delete;
  GifDecoder& operator=(const GifDecoder&) = delete;

  // Decodes the next picture into the animation, and the loop count as far
  // as read. False, with nothing added, at the end, at a picture whose
  // record or colour data is cut short or bad (it and those after it are
  // dropped), or when `cancelled` is seen set, which is looked at between
  // rows.
  bool next(const std::atomic<bool>* cancelled = nullptr);

 private:
  GifAnimation& animation_;
  std::unique_ptr<GifRecords> walk_;
  bool ended_ = false;
  std::size_t globalColours_ = 0;
  std::size_t globalCount_ = 0;
};

// Every picture a GIF's survey keeps (GifDecoder); no pictures for bytes
// that are no GIF.
GifAnimation decodeGifAnimation(const unsigned char* data, std::size_t size, const GifLimits& limits = {});

// Whether an LED frame file's contents play as an animation: a GIF the
// picture object would decode (pictureDecoderFor) whose survey counts two
// pictures or more. Anything else shows as a still picture as it always
// has. An animation past the limits plays its first picture only.
bool isLedAnimation(const unsigned char* data, std::size_t size, const GifSurvey& survey);

// The screen as the pictures leave it, composed in their order.
class GifCanvas {
 public:
  // Takes all the memory it needs here: composing allocates nothing. The
  // animation's screen and restoresPrevious must be set; its pictures may
  // still be decoded into it afterwards.
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
