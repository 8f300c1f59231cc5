#pragma once
// Run-time state of one sign.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/win32/Scoped.h"

namespace rovenza {

struct RollJob;
struct LedAnimationJob;

// What an LED sign's sorted file list was last filled from.
struct FrameListingStamp {
  std::string pattern;              // empty: nothing the list can be reused for
  std::uint64_t folderWritten = 0;  // the folder's last-write time read before the listing
  std::uint64_t listedAt = 0;       // system time when the listing began
};

struct SignState {
  std::int16_t currentFrame = 0;  // frame the strip stands at
  std::int32_t targetFrame = 0;   // frame the last start went to
  std::int32_t stripOffset = 0;   // y of the strip's top inside its clip window
  std::int32_t windowFirstRow = 0;  // strip row at the sign window's top (0 unless the strip is taller than a window)
  std::string entry;              // digits typed on the sign's keypad
  ScopedBitmap picture;           // bitmap shown by the sign window
  ScopedHandle rollThread;        // latest roll thread, kept until the next roll
  DWORD rollExitCode = 0;         // last status read from rollThread (259 = running)
  std::shared_ptr<RollJob> roll;  // the latest roll, shared with its thread
  FrameListingStamp listing;      // LED signs: what the sorted file list holds
  std::string ledFile;            // LED signs: the file of the frame shown (empty: none)
  std::shared_ptr<LedAnimationJob> animation;  // LED signs: the animated frame playing, shared with its thread
  bool pathRefused = false;  // the picture path came from a layout file that may not open it (as backgroundRefused)
};

}  // namespace rovenza
