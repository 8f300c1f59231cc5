#include "maker/win32/MakerOutput.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <memory>

#include "common/Cp932.h"
#include "layout/win32/SystemFiles.h"
#include "maker/Saving.h"
#include "common/win32/Scoped.h"
#include "common/win32/WideText.h"

namespace rovenza {

namespace {

// Larger than any table anyone types: a file past it is not read.
constexpr std::uint64_t kMaxCsvBytes = 64ull * 1024 * 1024;


// The picture's rows, top first, as 24-bit BGR rows of `stride` bytes.
void appendBgrRows(const Picture& picture, UINT stride, std::vector<BYTE>& out) {
  const std::size_t start = out.size();
  out.resize(start + std::size_t{stride} * picture.height, 0);
  for (int y = 0; y < picture.height; ++y) {
    BYTE* row = out.data() + start + std::size_t{stride} * y;
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.at(x, y);
      row[x * 3] = static_cast<BYTE>(p);
      row[x * 3 + 1] = static_cast<BYTE>(p >> 8);
      row[x * 3 + 2] = static_cast<BYTE>(p >> 16);
    }
  }
}

// The strip encoded as PNG by the imaging component into memory, a frame's
// rows at a time, then given to the sink.
bool encodeStripPng(const StripGeometry& strip, const std::function<Picture(int)>& frameAt, const ByteSink& sink) {
  ComForThread com;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.outVoid())) ||
      !factory.get()) {
    return false;
  }
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out())) || !stream.get()) return false;
  ComRef<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) || !encoder.get()) return false;
  if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return false;
  ComRef<IWICBitmapFrameEncode> frame;
  if (FAILED(encoder->CreateNewFrame(frame.out(), nullptr)) || !frame.get()) return false;
  if (FAILED(frame->Initialize(nullptr))) return false;
  const UINT width = static_cast<UINT>(strip.frameWidth);
  const UINT height = static_cast<UINT>(strip.height);
  if (FAILED(frame->SetSize(width, height))) return false;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return false;
  const UINT stride = (width * 3 + 3) / 4 * 4;
  std::vector<BYTE> rows;
  for (int index = 0; index < strip.frames; ++index) {
    const Picture picture = frameAt(index);
    rows.clear();
    appendBgrRows(picture, stride, rows);
    if (FAILED(frame->WritePixels(static_cast<UINT>(picture.height), stride, static_cast<UINT>(rows.size()),
                                  rows.data()))) {
      return false;
    }
  }
  if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return false;

  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) || !memory) return false;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
  const void* bytes = GlobalLock(memory);
  if (!bytes) return false;
  const bool written = sink(static_cast<const unsigned char*>(bytes), static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return written;
}

std::function<Picture(int)> stripFrames(const SignDesign& design, FrameRenderer& renderer) {
  return [&design, &renderer](int frame) {
    if (frame == 0) return filledFrame(design.width, design.height, kDefaultBackgroundColour);
    return renderer.filmFrame(design.rows[static_cast<std::size_t>(frame) - 1], design.width, design.height);
  };
}

}  // namespace


bool isPngPath(const std::string& path) { return upperLastFour(path) == ".PNG"; }

SystemError writeStripFile(const SignDesign& design, const std::string& path) {
  const StripGeometry strip = stripGeometry(design.width, design.height, design.rows.size());
  if (!stripLoadable(strip)) return kErrorInvalidData;
  FrameRenderer renderer(design.lettering);
  const std::function<Picture(int)> frames = stripFrames(design, renderer);
  const bool png = isPngPath(path);
  return saveReplacing(systemFiles(), path, [&](const ByteSink& sink) {
    return png ? encodeStripPng(strip, frames, sink) : writeStripBmp(strip, frames, sink);
  });
}

FrameSetResult writeLedFolder(const SignDesign& design, const std::string& folder, const PanelOutput* panel) {
  FrameRenderer renderer(design.lettering);
  const SignRow blank;
  return writeFrameSet(systemFiles(), folder, design.rows.size() + 1, [&](std::size_t frame, const ByteSink& sink) {
    const SignRow& row = frame == 0 ? blank : design.rows[frame - 1];
    Picture picture = renderer.ledFrame(row, design.width, design.height, design.ledColour, design.dotPitch);
    if (panel) picture = panelFrame(picture, *panel);
    if (picture.pixels.empty()) return false;
    std::vector<unsigned char> bytes = bmpHeader(picture.width, static_cast<std::uint64_t>(picture.height));
    appendBmpRows(picture, bytes);
    return sink(bytes.data(), bytes.size());
  });
}

SystemError writeCsvFile(const std::vector<SignRow>& rows, const std::string& path) {
  std::vector<unsigned char> bytes;
  writeSignTableCsv(rows, bytes);
  return saveReplacing(systemFiles(), path, [&bytes](const ByteSink& sink) { return sink(bytes.data(), bytes.size()); });
}

SystemError readCsvFile(const std::string& path, CsvReadResult& result) {
  result = CsvReadResult{};
  FileSystem& files = systemFiles();
  std::unique_ptr<ByteFile> file = files.openForReading(path);
  if (!file) return files.lastError() ? files.lastError() : kErrorAccessDenied;
  if (file->size() > kMaxCsvBytes) return kErrorInvalidData;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(file->size()));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    std::uint32_t delivered = 0;
    if (!file->read(bytes.data() + filled, static_cast<std::uint32_t>(bytes.size() - filled), delivered)) {
      return file->lastError() ? file->lastError() : kErrorHandleEof;
    }
    if (delivered == 0) break;
    filled += delivered;
  }
  bytes.resize(filled);
  file->close();
  SystemTextCodec codec;
  result = readSignTableCsv(bytes.data(), bytes.size(), codec);
  return 0;
}

}  // namespace rovenza
