#pragma once
// Picture files written through the system's imaging component (PNG, TIFF),
// for the window tests and the benchmarks.
#include <windows.h>
// After windows.h.
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/Scoped.h"

namespace rovenza::test {

// 32-bit pixels, B G R A, rows from the top.
using Pixels = std::vector<std::uint32_t>;

// One page of a picture to encode: its size and its B G R A pixels.
struct Page {
  UINT width;
  UINT height;
  Pixels pixels;
};

// Writes `pages` with the system's encoder of `container` (PNG, TIFF).
inline bool encodePicture(const std::string& path, const GUID& container, const std::vector<Page>& pages) {
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.outVoid()))) {
    return false;
  }
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.out()))) return false;
  std::wstring widePath(path.begin(), path.end());
  if (FAILED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE))) return false;
  ComRef<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(container, nullptr, encoder.out()))) return false;
  if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return false;
  for (const Page& page : pages) {
    ComRef<IWICBitmapFrameEncode> frame;
    if (FAILED(encoder->CreateNewFrame(frame.out(), nullptr))) return false;
    if (FAILED(frame->Initialize(nullptr))) return false;
    if (FAILED(frame->SetSize(page.width, page.height))) return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA) return false;
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(page.pixels.data()));
    if (FAILED(frame->WritePixels(page.height, page.width * 4, page.width * page.height * 4, bytes))) return false;
    if (FAILED(frame->Commit())) return false;
  }
  return SUCCEEDED(encoder->Commit());
}

constexpr std::uint32_t bgra(unsigned r, unsigned g, unsigned b, unsigned a) { return (a << 24) | (r << 16) | (g << 8) | b; }

// Writes a PNG of `width` x `height` opaque pixels, each `colour(x, y)`
// (a COLORREF).
template <typename Colour>
bool writePng(const std::string& path, UINT width, UINT height, Colour colour) {
  Page page{width, height, {}};
  page.pixels.reserve(std::size_t{width} * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      page.pixels.push_back(bgra(GetRValue(c), GetGValue(c), GetBValue(c), 255));
    }
  }
  return encodePicture(path, GUID_ContainerFormatPng, {page});
}

}  // namespace rovenza::test
