#include "sign/PictureDecoding.h"

#include "sign/Frames.h"

namespace rovenza {

PictureDecoder pictureDecoderFor(const unsigned char* data, std::size_t size) {
  if (!data || size == 0) return PictureDecoder::None;
  const PictureSize picture = readPictureSize(data, size);
  switch (picture.format) {
    case PictureFormat::Bmp:
      if (size > UINT32_MAX || bitmapHeadersCutShort(data, static_cast<std::uint32_t>(size))) {
        return PictureDecoder::None;
      }
      [[fallthrough]];
    case PictureFormat::Gif:
    case PictureFormat::Jpeg:
      return pictureWithinCeiling(data, size) ? PictureDecoder::SystemPicture : PictureDecoder::None;
    case PictureFormat::Png:
      return pictureWithinCeiling(data, size) ? PictureDecoder::ImagingComponent : PictureDecoder::None;
    case PictureFormat::Unknown:
      break;
  }
  return PictureDecoder::ImagingComponent;
}

PictureDecoder decoderByFirstBytes(const unsigned char* data, std::size_t size) {
  if (!data || size == 0) return PictureDecoder::None;
  switch (readPictureSize(data, size).format) {
    case PictureFormat::Bmp:
    case PictureFormat::Gif:
    case PictureFormat::Jpeg:
      return PictureDecoder::SystemPicture;
    case PictureFormat::Png:
      return pictureWithinCeiling(data, size) ? PictureDecoder::ImagingComponent : PictureDecoder::None;
    case PictureFormat::Unknown:
      break;
  }
  return PictureDecoder::ImagingComponent;
}

bool imagingSizeWithinCeiling(std::uint32_t width, std::uint32_t height) {
  const std::uint64_t pixels = std::uint64_t{width} * height;
  return pixels != 0 && pixels <= kMaxPicturePixels && pixels * 4 <= kMaxDecodedBytes;
}

void compositeOverBlack(unsigned char* pixels, std::size_t count) {
  for (std::size_t index = 0; index < count; ++index) {
    unsigned char* pixel = pixels + index * 4;
    const unsigned alpha = pixel[3];
    if (alpha != 255) {
      for (int channel = 0; channel < 3; ++channel) {
        pixel[channel] = static_cast<unsigned char>((pixel[channel] * alpha + 127) / 255);
      }
      pixel[3] = 255;
    }
  }
}

}  // namespace rovenza
