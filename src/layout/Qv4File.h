#pragma once
// The ".qv4" layout file: the signature "QvApp4DataFile" as a counted string,
// the background path, the main window's size, then per sign its kind,
// place, size, speed, interval, corner rounding and picture path.
#include <string>

#include "layout/FileSystem.h"
#include "layout/LayoutSink.h"

namespace rovenza {

inline constexpr char kLayoutSignature[] = "QvApp4DataFile";

// Panel widths: both signs' groups, or the 1st sign's only.
constexpr std::int32_t kPanelWidthTwoSigns = 270;
constexpr std::int32_t kPanelWidthOneSign = 138;

enum class ReadOutcome {
  NotOpened,      // nothing changed, no message
  NotLayoutFile,  // wrong signature: nothing changed, message shown
  ReadError,      // the fields before the failing one stay applied, message shown
  Applied,        // every field read and the layout put on screen
};

class LayoutFile;

// Ends a read that failed: closes the file and reports the error it met.
ReadOutcome failRead(LayoutFile& file, LayoutSink& sink);

// Reads a ".qv4" file field by field, applying each field as soon as it was
// read (sizes and places held to the ranges of the layout form's fields),
// then puts the layout on screen with applyLayout.
ReadOutcome readLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink);

// Writes the current layout, each value taken at the moment it is written,
// to a temporary file that replaces `path` only when complete. Any failure
// keeps the old file and shows the save error. Returns whether it was saved.
bool writeLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink);

// Background, both signs by kind with their clip windows and the panel
// width, corner rounding, then both signs back to frame 0.
void applyLayout(LayoutSink& sink);

}  // namespace rovenza
