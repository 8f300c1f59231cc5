#pragma once
// Picture files into bitmaps, and the frame sets of the two sign kinds.
#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/Scoped.h"

namespace rovenza {

struct LedAnimationJob;

// Decodes a picture file into an opaque bitmap the size of the picture:
// BMP, JPEG and GIF through the system's picture object, anything else (PNG,
// TIFF) through the imaging component, chosen by the file's first bytes.
// Null for a file that is missing, empty, cut short, in use by another
// program, not a picture, or a picture of more than kMaxPicturePixels (its
// size is read before decoding). The caller owns the bitmap.
// An uncompressed BMP goes from the file straight into the bitmap; any
// other BMP, and every JPEG and GIF, to the system's picture object.
HBITMAP loadPicture(const std::string& path);

// A BMP, JPEG or GIF decoded by the system's picture object and copied into
// a bitmap of ours, however the BMP is laid out.
HBITMAP loadWithPictureObject(const std::string& path);

// Fills the sign's hidden sorted list with the file names matching `pattern`
// (a folder path, "\" and "*.*").
void listFrameFolder(int sign, const std::string& pattern);
int frameCount(int sign);                       // items in the sign's list (an error reads as 0)
std::string frameName(int sign, int position);  // empty outside the list

// Puts the picture of one file into the sign window (a null picture shows an
// empty sign), at the top of its clip window.
void showLedFrame(int sign, const std::string& path);

// Puts the sign's strip picture into the sign window at frame 0 (none when
// its layout file may not open it).
void showStripPicture(int sign);

// Shows LED frame `frame` of the sign's folder: the file at that position of
// the folder's sorted listing. An empty or missing folder, or a frame past
// the last file, leaves the sign as it is. The listing is taken again only
// when the folder has been written since the last one (or when its
// last-write time cannot be trusted). A folder its layout file may not open
// is never listed: the list stays empty and the sign as it is.
void showLedFrameNumber(int sign, int frame);

// The file of LED frame `frame` of the sign's folder, found as
// showLedFrameNumber finds it; false when that would leave the sign as it is.
bool ledFrameFile(int sign, int frame, std::string& path);

// An LED frame's file read ahead of its showing (its first picture, and its
// animation when it has one), so that several signs can change at once.
struct LedFrame {
  std::string path;
  ScopedBitmap picture;
  std::shared_ptr<LedAnimationJob> animation;
};
LedFrame loadLedFrame(const std::string& path);
// Shows a frame read ahead as showLedFrame shows a file.
void showLoadedLedFrame(int sign, LedFrame& frame);

}  // namespace rovenza
