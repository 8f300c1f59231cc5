#pragma once
// Pictures decoded through the system's imaging component (windowscodecs):
// PNG, TIFF and whatever other codecs the system has.
#include <windows.h>

namespace rovenza {

// Decodes the first frame (the first page of a TIFF, the default image of
// an animated PNG) of the file contents in `block`, which this call frees.
// A picture with alpha is composited over black once, here: the bitmap is
// an opaque 32-bit top-down DIB section, the caller's to delete. Null when
// the component cannot read the contents or the picture is larger than
// the ceiling (its size is read before any pixel is decoded).
HBITMAP decodeWithImagingComponent(HGLOBAL block);

}  // namespace rovenza
