#include "sign/win32/Opening.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "layout/Layout.h"
#include "state/Faces.h"
#include "sign/FilmLook.h"
#include "sign/OpeningLook.h"
#include "sign/win32/SignLook.h"
#include "sign/win32/SignWindow.h"

namespace rovenza {

namespace {

// The picture an opening is drawn from: the pixel rows of a DIB section,
// bottom row first in memory (GetObject cannot tell a top-down DIB section
// from a bottom-up one; loadPicture makes them bottom-up).
struct OpeningPicture {
  const unsigned char* bits = nullptr;  // null: nothing to draw from
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t stride = 0;  // bytes a row
  bool plain32 = false;     // 0x00RRGGBB pixels: the look can be drawn from them
  // The header as SetDIBitsToDevice takes it, with the colour masks of a
  // BI_BITFIELDS picture right behind it.
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
};

struct Opening {
  std::mutex lock;
  OpeningPicture picture;
  FilmOpening look;  // the opening's pixels when the signs' look is on
  std::atomic<bool> publishPosted{false};  // a kOpeningDrawnMessage is on its way
};

// Made once and never destroyed: a roll thread that a stop gave up waiting
// for may still take a lock while the program ends.
Opening* const openings = new Opening[kAllSigns];

}  // namespace

OpeningLock::OpeningLock(int sign) : sign_(sign) {
  if (validAnySign(sign_)) openings[sign_].lock.lock();
}

OpeningLock::~OpeningLock() {
  if (validAnySign(sign_)) openings[sign_].lock.unlock();
}

void setOpeningPicture(int sign, HBITMAP shown) {
  if (!validAnySign(sign)) return;
  OpeningPicture& picture = openings[sign].picture;
  picture = OpeningPicture{};
  DIBSECTION dib{};
  if (!shown || GetObjectA(shown, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return;
  const BITMAPINFOHEADER& header = dib.dsBmih;
  const bool masks = header.biCompression == BI_BITFIELDS;
  // Fewer bits a pixel would need the colour table, which only a device
  // context the bitmap is selected into gives.
  if (header.biBitCount < 16 || (header.biCompression != BI_RGB && !masks)) return;
  if (header.biWidth <= 0 || header.biHeight <= 0) return;
  picture.width = header.biWidth;
  picture.height = header.biHeight;
  picture.stride = (picture.width * header.biBitCount + 31) / 32 * 4;
  picture.info.header = header;
  picture.info.header.biSize = sizeof(BITMAPINFOHEADER);
  if (masks) std::copy(dib.dsBitfields, dib.dsBitfields + 3, picture.info.masks);
  const bool standardMasks = !masks || (dib.dsBitfields[0] == 0xFF0000 && dib.dsBitfields[1] == 0xFF00 &&
                                        dib.dsBitfields[2] == 0xFF);
  picture.plain32 = header.biBitCount == 32 && standardMasks;
  picture.bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
}

namespace {

// The whole opening as the signs' look shows it, in one go from the
// opening's own pixels.
void drawLook(HDC dc, Opening& opening, const RECT& client, std::int32_t y, int blurRows) {
  const OpeningPicture& picture = opening.picture;
  // The picture's rows from the top: it is stored bottom row first.
  const FilmRows film{reinterpret_cast<const std::uint32_t*>(picture.bits + (picture.height - 1) * picture.stride),
                      -static_cast<std::ptrdiff_t>(picture.stride / 4), picture.width, picture.height};
  const std::uint32_t* pixels = opening.look.draw(film, y, client.right, client.bottom, blurRows);
  if (!pixels) return;
  const BITMAPINFO info = dib32Info(client.right, -client.bottom);
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom), 0, 0, 0,
                    static_cast<UINT>(client.bottom), pixels, &info, DIB_RGB_COLORS);
}

}  // namespace

bool drawOpening(int sign, SignKind kind, HWND clip, std::int32_t y, int blurRows) {
  if (!validAnySign(sign)) return false;
  const OpeningPicture& picture = openings[sign].picture;
  if (!picture.bits) return false;
  // Children not clipped away: the sign window's part of the opening is drawn too.
  WindowDC dc(clip, DCX_CACHE);
  if (!dc.get()) return false;
  RECT client{};
  GetClientRect(clip, &client);
  if (picture.plain32 && openingLook(kind, signLookOn()) == OpeningLook::Film) {
    drawLook(dc.get(), openings[sign], client, y, blurRows);
    return true;
  }
  const std::int64_t top = std::max<std::int64_t>(0, y);
  const std::int64_t bottom = std::min<std::int64_t>(client.bottom, std::int64_t{y} + picture.height);
  const std::int64_t right = std::min<std::int64_t>(client.right, picture.width);
  // A row of the clip window's client area.
  const auto row = [&client](std::int64_t v) {
    return static_cast<LONG>(std::clamp<std::int64_t>(v, 0, client.bottom));
  };
  const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT around[] = {{0, 0, client.right, row(top)},
                         {0, row(bottom), client.right, client.bottom},
                         {static_cast<LONG>(right), row(top), client.right, row(bottom)}};
  for (const RECT& r : around) {
    if (r.right > r.left && r.bottom > r.top) FillRect(dc.get(), &r, white);
  }
  if (bottom > top && right > 0) {
    // The picture rows in the opening, as a bottom-up picture of their own:
    // its first row in memory is the lowest of them.
    const std::int64_t firstRow = top - y;
    const std::int64_t rows = bottom - top;
    auto info = picture.info;
    info.header.biHeight = static_cast<LONG>(rows);
    info.header.biSizeImage = static_cast<DWORD>(rows * picture.stride);
    const unsigned char* lowest = picture.bits + (picture.height - firstRow - rows) * picture.stride;
    SetDIBitsToDevice(dc.get(), 0, static_cast<int>(top), static_cast<DWORD>(right), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), lowest, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
  }
  return true;
}

void publishOpening(int sign, HWND clip) {
  if (!validAnySign(sign)) return;
  std::atomic<bool>& posted = openings[sign].publishPosted;
  if (!posted.exchange(true) && !PostMessageA(clip, kOpeningDrawnMessage, 0, 0)) posted = false;
}

void openingPublished(int sign) {
  if (validAnySign(sign)) openings[sign].publishPosted = false;
}

}  // namespace rovenza
