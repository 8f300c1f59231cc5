#include "sign/win32/ImagingPictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdint>

#include "sign/PictureDecoding.h"
#include "sign/win32/ComRef.h"

namespace rovenza {

namespace {

// COM for the calling thread for as long as it lives, unless the thread has
// it already (in either model): LED frames are decoded on the roll threads.
class ComForThread {
 public:
  ComForThread() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComForThread() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComForThread(const ComForThread&) = delete;
  ComForThread& operator=(const ComForThread&) = delete;

 private:
  HRESULT result_;
};

HBITMAP decodeFirstFrame(IStream* stream) {
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.outVoid())) ||
      !factory.get()) {
    return nullptr;
  }
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
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

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // rows from the top, as the converter gives them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  const UINT stride = width * 4;
  const std::uint64_t bytes = std::uint64_t{stride} * height;
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bytes), static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  compositeOverBlack(static_cast<unsigned char*>(bits), std::size_t{width} * height);
  GdiFlush();
  return bitmap;
}

}  // namespace

HBITMAP decodeWithImagingComponent(HGLOBAL block) {
  ComForThread com;
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.out())) || !stream.get()) {
    GlobalFree(block);
    return nullptr;
  }
  return decodeFirstFrame(stream.get());
}

}  // namespace rovenza
