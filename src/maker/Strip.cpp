#include "maker/Strip.h"

#include <cstdint>

#include "sign/PictureDecoding.h"
#include "sign/PictureSize.h"

namespace rovenza {

namespace {

void put16(std::vector<unsigned char>& out, std::uint32_t value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

const char kStripTooLargeText[] =
    "この大きさと行数の幕は、読み込める画像の大きさ（8192×8192ピクセル分）を超えるため作成できません。"
    "行を減らすか、幕を小さくしてください。";

StripGeometry stripGeometry(int frameWidth, int frameHeight, std::size_t rows) {
  StripGeometry strip;
  strip.frameWidth = frameWidth;
  strip.frameHeight = frameHeight;
  strip.frames = rows >= static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<int>(rows) + 1;
  strip.height = frameHeight > 0 ? std::uint64_t(frameHeight) * static_cast<std::uint64_t>(strip.frames) : 0;
  return strip;
}

bool stripLoadable(const StripGeometry& strip) {
  if (strip.frameWidth < 1 || strip.frameWidth > kMaxFrameSide) return false;
  if (strip.frameHeight < 1 || strip.frameHeight > kMaxFrameSide) return false;
  if (strip.height > INT32_MAX) return false;
  return imagingSizeWithinCeiling(static_cast<std::uint32_t>(strip.frameWidth), static_cast<std::uint32_t>(strip.height)) &&
         std::uint64_t(strip.frameWidth) * strip.height <= kMaxPicturePixels;
}

std::size_t bmpRowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

std::vector<unsigned char> bmpHeader(int width, std::uint64_t height) {
  const std::uint64_t pixelBytes = bmpRowBytes(width) * height;
  std::vector<unsigned char> out;
  out.reserve(54);
  out.push_back('B');
  out.push_back('M');
  put32(out, static_cast<std::uint32_t>(pixelBytes + 54 > UINT32_MAX ? 0 : pixelBytes + 54));
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // BI_RGB
  put32(out, static_cast<std::uint32_t>(pixelBytes > UINT32_MAX ? 0 : pixelBytes));
  put32(out, 2835);  // 72 dots an inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  return out;
}

void appendBmpRows(const Picture& picture, std::vector<unsigned char>& out) {
  const std::size_t rowBytes = bmpRowBytes(picture.width);
  const std::size_t start = out.size();
  out.resize(start + rowBytes * static_cast<std::size_t>(picture.height), 0);
  unsigned char* row = out.data() + start;
  for (int y = picture.height - 1; y >= 0; --y, row += rowBytes) {
    const std::uint32_t* source = &picture.pixels[static_cast<std::size_t>(y) * picture.width];
    for (int x = 0; x < picture.width; ++x) {
      row[x * 3] = static_cast<unsigned char>(source[x]);
      row[x * 3 + 1] = static_cast<unsigned char>(source[x] >> 8);
      row[x * 3 + 2] = static_cast<unsigned char>(source[x] >> 16);
    }
  }
}

bool writeStripBmp(const StripGeometry& strip, const std::function<Picture(int frame)>& frameAt, const ByteSink& sink) {
  const std::vector<unsigned char> header = bmpHeader(strip.frameWidth, strip.height);
  if (!sink(header.data(), header.size())) return false;
  std::vector<unsigned char> rows;
  for (int frame = strip.frames - 1; frame >= 0; --frame) {
    const Picture picture = frameAt(frame);
    if (picture.width != strip.frameWidth || picture.height != strip.frameHeight) return false;
    rows.clear();
    appendBmpRows(picture, rows);
    if (!sink(rows.data(), rows.size())) return false;
  }
  return true;
}

std::string ledFrameName(std::size_t frame, std::size_t frames) {
  std::size_t digits = 2;
  for (std::size_t limit = 100; frames > limit && digits < 19; limit *= 10) ++digits;
  std::string number = std::to_string(frame);
  if (number.size() < digits) number.insert(0, digits - number.size(), '0');
  return number + ".bmp";
}

}  // namespace rovenza
