#pragma once
// The files the sign maker writes: under a temporary name beside the file,
// then put in its place, so that a save that fails leaves the old file as it
// was (as the layout files are saved).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/FileSystem.h"
#include "maker/Strip.h"

namespace rovenza {

// Writes what `produce` gives its sink to `path` through a temporary file
// and a rename. Returns 0, or the system error that stopped it (a producer
// that gives up without a system error reads as "the data is invalid").
SystemError saveReplacing(FileSystem& files, const std::string& path, const std::function<bool(const ByteSink&)>& produce);

// Whether a file name is an LED frame's as the maker writes them: digits
// only, then a picture file's extension.
bool isFrameFileName(std::string_view name);

// The frame files directly in `folder`, sorted.
std::vector<std::string> frameFilesIn(FileSystem& files, const std::string& folder);

// How writing a set of frames into a folder ended.
struct FrameSetResult {
  enum class Stage { Done, Writing, Swapping };
  Stage stage = Stage::Done;
  SystemError error = 0;
  std::string folder;                  // the folder written
  std::string staging;                 // the temporary folder inside it the set was written to first
  std::vector<std::string> oldLeft;    // old frame files still in the folder
  std::vector<std::string> newPlaced;  // new ones moved into the folder
  std::vector<std::string> newLeft;    // new ones still in the temporary folder
};

// Writes `frames` frames named by ledFrameName (what `produce` gives the sink
// for each) into a new temporary folder inside `folder`, then swaps them in:
// every old frame file removed, every new one moved into place, the
// temporary folder removed, so that the folder's frame files are exactly
// the new set. A failure while writing (Stage::Writing) leaves the folder
// as it was; a failure during the swap (Stage::Swapping) stops there and
// says which files are left where. Other files of the folder are not
// touched.
FrameSetResult writeFrameSet(FileSystem& files, const std::string& folder, std::size_t frames,
                             const std::function<bool(std::size_t frame, const ByteSink&)>& produce);

// What a swap that stopped leaves where (code page 932), for the message.
std::string frameSwapText(const FrameSetResult& result);

}  // namespace rovenza
