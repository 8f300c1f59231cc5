#include "sign/win32/ImagingPictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "sign/PictureDecoding.h"

namespace rovenza {

namespace {

// The path in UTF-16, as the imaging component takes it; empty when the
// code page 932 text cannot be converted.
std::wstring widePath(const std::string& path) {
  const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.c_str(), -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.c_str(), -1, wide.data(), length)) return std::wstring();
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

// Rows copied at a time: about 1 MiB of pixels, so that a converter that
// holds the source rows of a copy never holds a whole strip.
constexpr std::uint64_t kBandBytes = 1024 * 1024;

HBITMAP decodeFirstFrame(const std::wstring& path) {
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.outVoid())) ||
      !factory.get()) {
    return nullptr;
  }
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.out())) ||
      !decoder.get()) {
    return nullptr;
  }
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out())) || !frame.get()) return nullptr;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !imagingSizeWithinCeiling(width, height)) return nullptr;
  // Bitmap heights are signed 32-bit, and a sign window stands for any
  // height, but nothing wider than that is a picture.
  if (width > INT32_MAX || height > INT32_MAX) return nullptr;

  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.out())) || !converter.get()) return nullptr;
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }

  // Bottom-up, as every other picture of the program is, so that a roll
  // thread can draw its rows straight from the bits.
  void* bits = nullptr;
  ScopedBitmap bitmap(newDibSection(dib32Info(static_cast<int>(width), static_cast<int>(height)), bits));
  if (!bitmap) return nullptr;
  // The converter gives rows from the top: they are copied in as they come,
  // then turned over in place.
  const UINT stride = width * 4;
  const UINT bandRows = static_cast<UINT>(std::max<std::uint64_t>(1, kBandBytes / stride));
  for (UINT top = 0; top < height; top += bandRows) {
    const UINT rows = std::min(bandRows, height - top);
    const WICRect band{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
    BYTE* out = static_cast<BYTE*>(bits) + std::size_t{top} * stride;
    if (FAILED(converter->CopyPixels(&band, stride, stride * rows, out))) return nullptr;
  }
  BYTE* rowsStart = static_cast<BYTE*>(bits);
  for (UINT upper = 0, lower = height - 1; upper < lower; ++upper, --lower) {
    std::swap_ranges(rowsStart + std::size_t{upper} * stride, rowsStart + std::size_t{upper + 1} * stride,
                     rowsStart + std::size_t{lower} * stride);
  }
  compositeOverBlack(static_cast<unsigned char*>(bits), std::size_t{width} * height);
  GdiFlush();
  return bitmap.release();
}

}  // namespace

HBITMAP decodeWithImagingComponent(const std::string& path) {
  const std::wstring wide = widePath(path);
  if (wide.empty()) return nullptr;
  ComForThread com;
  return decodeFirstFrame(wide);
}

}  // namespace rovenza
