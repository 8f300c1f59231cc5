#pragma once
// Pictures decoded through the system's imaging component (windowscodecs):
// PNG, TIFF and whatever other codecs the system has.
#include <windows.h>

#include <string>

namespace rovenza {

// Decodes the first frame (the first page of a TIFF, the default image of
// an animated PNG) of the picture file at `path`, read straight from the
// file (no copy of its bytes is held), its pixels copied in bands.
// A picture with alpha is composited over black once, here: the bitmap is
// an opaque 32-bit top-down DIB section, the caller's to delete. Null when
// the component cannot read the contents or the picture is larger than
// the ceiling (its size is read before any pixel is decoded).
HBITMAP decodeWithImagingComponent(const std::string& path);

}  // namespace rovenza
