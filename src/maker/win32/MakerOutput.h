#pragma once
// What the sign maker writes and reads: the strip (BMP, or PNG through the
// imaging component's encoder), the LED folder, the table's CSV file.
#include <string>
#include <vector>

#include "common/win32/WideText.h"
#include "layout/FileSystem.h"
#include "maker/PanelFrame.h"
#include "maker/Saving.h"
#include "maker/SignTable.h"
#include "maker/Strip.h"
#include "maker/win32/MakerRender.h"

namespace rovenza {

// Everything a sign is made from.
struct SignDesign {
  std::vector<SignRow> rows;
  int width = 0;
  int height = 0;
  LetteringStyle lettering;
  LedColour ledColour = LedColour::Orange;
  int dotPitch = kDefaultDotPitch;  // the LED look's
};

// Whether `path` names a PNG file (by its extension, in either case).
bool isPngPath(const std::string& path);

// Writes the strip (frame 0 blank, one frame per row) to `path`, as PNG when
// the name ends in ".png" and as BMP otherwise, through a temporary file and
// a rename. Returns 0 or the system error that stopped it.
SystemError writeStripFile(const SignDesign& design, const std::string& path);

// Writes the LED frames into `folder` as one set (writeFrameSet): 00.bmp
// all unlit, as a strip's frame 0 is blank, then one BMP per row, so that
// frame n shows row n on both kinds of sign. With `panel`, each frame is
// written one pixel a dot at the panel's size (panelFrame).
FrameSetResult writeLedFolder(const SignDesign& design, const std::string& folder, const PanelOutput* panel = nullptr);

// The table's CSV file written, or read into `result`; reading returns the
// system error of a file that could not be read (0 when read, whatever its
// contents were).
SystemError writeCsvFile(const std::vector<SignRow>& rows, const std::string& path);
SystemError readCsvFile(const std::string& path, CsvReadResult& result);

}  // namespace rovenza
