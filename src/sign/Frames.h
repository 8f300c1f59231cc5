#pragma once
// Frame sets of the two sign kinds and the picture size rule.
#include <cstdint>
#include <string>
#include <string_view>

namespace rovenza {

// A picture length in hundredths of a millimetre as pixels at `dpi` pixels per
// inch, rounded to the nearest pixel (halves away from zero); 0 for a dpi of 0
// or less.
std::int32_t hiMetricToPixels(std::int32_t hiMetric, std::int32_t dpi);

// Listing pattern of an LED frame folder: the folder, "\" and "*.*".
std::string frameFolderPattern(std::string_view folder);
// Path of one file of an LED frame folder.
std::string frameFilePath(std::string_view folder, std::string_view name);

// Whether picture file contents are a BMP cut short inside its headers: the
// "BM" signature with fewer bytes than its file header or than the offset of
// its pixels. Such a file is no picture, whatever a decoder makes of it.
// Contents without the signature are not judged here.
bool bitmapHeadersCutShort(const unsigned char* data, std::uint32_t size);

// A folder written less than this long (in 100 ns units) before it was
// listed may be written again within the same tick of its file system's clock
// without its last-write time moving.
constexpr std::uint64_t kFolderClockSlack = 2 * 10000000ull;

// Whether the listing of an LED frame folder still holds: the folder's
// last-write time read just before the listing (`writtenBefore`) reads the
// same now (`writtenNow`), and lay at least kFolderClockSlack before the
// listing began (`listedAt`). Times in 100 ns units of the system clock.
bool frameListingCurrent(std::uint64_t writtenBefore, std::uint64_t listedAt, std::uint64_t writtenNow);

// Position in the sorted folder listing of the LED frame to show, or -1 when
// the sign keeps its picture: an empty folder, a frame past the last file or
// a frame number below 0.
std::int32_t ledFramePosition(std::int32_t targetFrame, std::int32_t fileCount);

}  // namespace rovenza
