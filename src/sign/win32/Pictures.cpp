#include "sign/win32/Pictures.h"

#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "sign/BitmapFile.h"
#include "sign/Frames.h"
#include "sign/PictureDecoding.h"
#include "sign/PictureSize.h"
#include "sign/win32/ImagingPictures.h"
#include "sign/win32/LedPictureListener.h"
#include "sign/win32/SignLook.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/SignWindow.h"
#include "sound/win32/SoundPlayer.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {


// The whole file in a movable global memory block, or none; none too for a
// file the decoder must not be given.
ScopedGlobal readWholeFile(const std::string& path, DWORD& size) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.valid()) return {};
  DWORD high = 0;
  size = GetFileSize(file.get(), &high);
  // An empty file is no picture, and one of 4 GB or more is none we can read.
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return {};
  ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  if (!block) return {};
  void* bytes = GlobalLock(block.get());
  DWORD read = 0;
  const BOOL ok = bytes ? ReadFile(file.get(), bytes, size, &read, nullptr) : FALSE;
  // The decoder makes a picture of some bitmaps whose headers are cut short,
  // and would take gigabytes and minutes over a picture of a few megabytes
  // that claims a huge size: neither reaches it.
  const bool refused =
      ok && pictureDecoderFor(static_cast<const unsigned char*>(bytes), size) != PictureDecoder::SystemPicture;
  GlobalUnlock(block.get());
  if (!ok || read != size || refused) return {};
  return block;
}

// The decoder the file's first bytes choose; None for a file that cannot be
// opened or read, or is empty.
PictureDecoder decoderOf(const std::string& path) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.valid()) return PictureDecoder::None;
  unsigned char head[kFirstBytes] = {};
  DWORD read = 0;
  if (!ReadFile(file.get(), head, sizeof head, &read, nullptr)) return PictureDecoder::None;
  return decoderByFirstBytes(head, read);
}

// The screen's pixels per inch across and down.
POINT screenResolution() {
  WindowDC screen(nullptr);
  return POINT{GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

// A copy of `source` as a bottom-up DIB section of 32 bits a pixel, `width`
// by `height` (stretched, as CopyImage would, when the source has another
// size; 0 keeps its own); null when it cannot be made. The source stays as it
// is, its owner's. A roll draws the opening straight from these pixels,
// which are the ones the sign window shows.
HBITMAP toDibSection(HBITMAP source, int width, int height) {
  BITMAP size{};
  if (!GetObjectA(source, sizeof size, &size)) return nullptr;
  if (width == 0) width = size.bmWidth;
  if (height == 0) height = size.bmHeight;
  if (width < 0 || height < 0) return nullptr;
  BITMAPINFO info = dib32Info(width, height);
  WindowDC screen(nullptr);
  void* bits = nullptr;
  ScopedBitmap copy(newDibSection(info, bits));
  if (!copy) return nullptr;
  if (size.bmWidth == width && size.bmHeight == height) {
    if (GetDIBits(screen.get(), source, 0, static_cast<UINT>(height), bits, &info, DIB_RGB_COLORS) != height) {
      return nullptr;
    }
    return copy.release();
  }
  MemoryDC from(screen.get());
  MemoryDC to(screen.get());
  SelectGuard fromSelected(from.get(), source);
  SelectGuard toSelected(to.get(), copy.get());
  SetStretchBltMode(to.get(), COLORONCOLOR);
  if (!StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY)) {
    return nullptr;
  }
  return copy.release();
}

// Sets `picture` as the sign's image, deleting the bitmap it replaces, puts
// the sign window at the top of its clip window and redraws the opening at
// once. The clip window is erased too: a bitmap static given a null bitmap
// would otherwise keep the old pixels.
void setSignPicture(int sign, HBITMAP picture) {
  HWND window = signWindowOf(sign).handle();
  // The sign window paints a strip taller than itself.
  attachSignWindow(sign);
  SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  app.signStates[sign].picture.reset(picture);
  setSignWindowOffset(sign, 0);
  RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::uint64_t fileTimeValue(const FILETIME& time) {
  return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// The last-write time of a folder; false when it is no folder or cannot be read.
bool folderWritten(const std::string& folder, std::uint64_t& time) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data)) return false;
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  time = fileTimeValue(data.ftLastWriteTime);
  return true;
}

// Whether the folder lies on a file system known to move a folder's
// last-write time whenever a name in it is added, removed or renamed. On any
// other (a FAT memory card, say) the folder is listed at every display.
// The file system is asked through the folder itself, not through its
// volume's root: that needs no access to the volume's device.
bool keepsFolderTimes(const std::string& folder) {
  ScopedHandle handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) return false;
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (!GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1)) {
    return false;
  }
  return lstrcmpiW(fileSystem, L"NTFS") == 0 || lstrcmpiW(fileSystem, L"ReFS") == 0;
}

bool fillFrameList(int sign, const std::string& pattern) {
  const FileListBox& list = fileListOf(sign);
  list.clear();
  return list.addFiles(pattern);
}

// Lists the LED folder into the sign's sorted file list, unless the list
// holds the folder's listing already and the folder has not been written
// since: the listing of a large folder takes far longer than showing a frame.
void refreshFrameList(int sign, const std::string& folder) {
  const std::string pattern = frameFolderPattern(folder);
  FrameListingStamp& stamp = app.signStates[sign].listing;
  std::uint64_t written = 0;
  const bool timeRead = folderWritten(folder, written);
  if (timeRead && stamp.pattern == pattern && frameListingCurrent(stamp.folderWritten, stamp.listedAt, written)) {
    return;
  }
  stamp = FrameListingStamp{};
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  if (!fillFrameList(sign, pattern) || !timeRead || !keepsFolderTimes(folder)) return;
  stamp = FrameListingStamp{pattern, written, fileTimeValue(now)};
}

// An uncompressed BMP's pixels converted by GDI straight from the mapped
// file into the sign's bitmap: the file is never copied and no decoder's
// bitmap stands beside ours, so a long strip costs its bitmap and, for a
// while, its file's pages. Null for a BMP that is not laid out plainly
// (the system's picture object decodes it instead) or over the ceiling.
HBITMAP loadPlainBitmap(const std::string& path) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.valid()) return nullptr;
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return nullptr;
  ScopedHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping.valid()) return nullptr;
  ScopedFileView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view.valid()) return nullptr;
  const auto* bytes = static_cast<const unsigned char*>(view.get());
  const std::optional<BitmapFileLayout> layout = readBitmapFileLayout(bytes, size);
  if (!layout || !pictureWithinCeiling(bytes, size)) return nullptr;
  const int rows = layout->height < 0 ? -layout->height : layout->height;
  WindowDC screen(nullptr);
  void* bits = nullptr;
  ScopedBitmap picture(newDibSection(dib32Info(layout->width, rows), bits));
  if (!picture) return nullptr;
  // The rows go over in bands of about 1 MiB, each a bitmap of its own whose
  // header is the file's with the band's height: the conversion to 32 bits
  // never needs a second copy of the whole picture.
  const std::size_t stride = layout->bitsBytes / static_cast<std::size_t>(rows);
  const int bandRows = static_cast<int>(std::max<std::size_t>(1, (std::size_t{1} << 20) / std::max<std::size_t>(stride, 1)));
  MemoryDC memory(screen.get());
  SelectGuard selected(memory.get(), picture.get());
  for (int first = 0; first < rows; first += bandRows) {
    const int count = std::min(bandRows, rows - first);
    const std::vector<unsigned char> band = bitmapBandHeader(bytes, size, *layout, count);
    if (band.empty()) return nullptr;
    // Stored rows count from the bottom of a bottom-up picture.
    const int top = layout->height < 0 ? first : rows - first - count;
    if (SetDIBitsToDevice(memory.get(), 0, top, static_cast<DWORD>(layout->width), static_cast<DWORD>(count), 0, 0, 0,
                          static_cast<UINT>(count), bytes + layout->bitsOffset + stride * static_cast<std::size_t>(first),
                          reinterpret_cast<const BITMAPINFO*>(band.data()), DIB_RGB_COLORS) != count) {
      return nullptr;
    }
  }
  return picture.release();
}

}  // namespace

HBITMAP loadPicture(const std::string& path) {
  switch (decoderOf(path)) {
    case PictureDecoder::None:
      return nullptr;
    case PictureDecoder::ImagingComponent:
      return decodeWithImagingComponent(path);
    case PictureDecoder::SystemPicture:
      break;
  }
  if (HBITMAP plain = loadPlainBitmap(path)) return plain;
  return loadWithPictureObject(path);
}

HBITMAP loadWithPictureObject(const std::string& path) {
  DWORD size = 0;
  ScopedGlobal block = readWholeFile(path, size);
  if (!block) return nullptr;

  ComRef<IPicture> picture;
  {
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.out())) || !stream.get()) return nullptr;
    // The stream frees the block when it goes.
    static_cast<void>(block.release());
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), TRUE, IID_IPicture, picture.outVoid()))) {
      return nullptr;
    }
  }
  if (!picture.get()) return nullptr;

  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP) return nullptr;
  if (FAILED(picture->get_Handle(&handle)) || handle == 0) return nullptr;
  picture->get_Width(&width);
  picture->get_Height(&height);

  const POINT dpi = screenResolution();
  const int pixelsWide = hiMetricToPixels(width, dpi.x);
  const int pixelsHigh = hiMetricToPixels(height, dpi.y);
  // The decoder's bitmap is copied at the picture's pixel size while the
  // picture lives; the copy is ours.
  const auto decoded = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  HBITMAP copy = toDibSection(decoded, pixelsWide, pixelsHigh);
  // Whether a picture loaded this way owns its bitmap is not documented:
  // Wine's leaves it to the caller. Once the picture is released, a bitmap
  // still standing was not its to delete, and is ours. (A freed GDI handle
  // comes back with new uniqueness bits, so the old value names nothing else.)
  picture.reset();
  ScopedBitmap leftOver(GetObjectType(decoded) == OBJ_BITMAP ? decoded : nullptr);
  return copy;
}

void listFrameFolder(int sign, const std::string& pattern) {
  if (!validAnySign(sign)) return;
  app.signStates[sign].listing = FrameListingStamp{};
  fillFrameList(sign, pattern);
}

int frameCount(int sign) { return validAnySign(sign) ? fileListOf(sign).count() : 0; }

std::string frameName(int sign, int position) { return validAnySign(sign) ? fileListOf(sign).item(position) : std::string(); }

LedFrame loadLedFrame(const std::string& path) {
  LedFrame frame;
  frame.path = path;
  HBITMAP first = nullptr;
  if (loadLedAnimation(path, first, frame.animation)) {
    frame.picture.reset(first);
  } else {
    frame.animation.reset();
    frame.picture.reset(loadPicture(path));
  }
  return frame;
}

void showLoadedLedFrame(int sign, LedFrame& frame) {
  if (!validAnySign(sign)) return;
  stopLedAnimation(sign);
  app.signStates[sign].ledFile = frame.path;
  if (!frame.animation) {
    HBITMAP picture = frame.picture.release();
    tellLedPicture(sign, picture);
    applyLedLook(picture);
    setSignPicture(sign, picture);
    return;
  }
  // Its pictures, the first among them, take the look as they are written.
  setSignPicture(sign, frame.picture.release());
  startLedAnimation(sign, std::move(frame.animation));
}

void showLedFrame(int sign, const std::string& path) {
  if (!validAnySign(sign)) return;
  // The animation playing stops before the next file is read.
  stopLedAnimation(sign);
  LedFrame frame = loadLedFrame(path);
  showLoadedLedFrame(sign, frame);
}

void showStripPicture(int sign) {
  if (!validAnySign(sign)) return;
  app.signStates[sign].ledFile.clear();
  // No LED picture any more: a panel fed from the sign goes dark.
  tellLedPicture(sign, nullptr);
  const bool refused = app.signStates[sign].pathRefused;
  setSignPicture(sign, refused ? nullptr : loadPicture(signSpecOf(sign).picturePath));
}

bool ledFrameFile(int sign, int frame, std::string& path) {
  if (!validAnySign(sign)) return false;
  const std::string& folder = signSpecOf(sign).picturePath;
  if (app.signStates[sign].pathRefused) {
    // A folder the layout file may not reach is never listed: it stays empty.
    app.signStates[sign].listing = FrameListingStamp{};
    fileListOf(sign).clear();
    return false;
  }
  refreshFrameList(sign, folder);
  const int position = ledFramePosition(frame, frameCount(sign));
  if (position < 0) return false;
  path = frameFilePath(folder, frameName(sign, position));
  return true;
}

void showLedFrameNumber(int sign, int frame) {
  std::string path;
  if (!ledFrameFile(sign, frame, path)) return;
  soundLedClick(sign);  // the sign's relay switches to the frame
  showLedFrame(sign, path);
}

}  // namespace rovenza
