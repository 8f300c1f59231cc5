#pragma once
// Recording a window's client area to an animated GIF file.
//
// While a recording runs, a 20 ms timer on the recorded window takes a
// picture of its client area on the user-interface thread: one BitBlt into
// a DIB section, while neither sign's roll draws. A worker thread takes the
// pictures from a bounded queue (kRecordQueueBound frames; a full queue
// merges, see record/FrameQueue.h), drops those like the frame before,
// quantises and writes the rest. The file is written under a temporary name
// beside the chosen one and renamed when the recording stops, so that a
// recording that could not be written leaves no file behind.
#include <windows.h>

#include <cstdint>
#include <string>

namespace rovenza {

constexpr std::size_t kRecordQueueBound = 8;
constexpr UINT kRecordIntervalMs = 20;  // at most 50 frames a second

// Told when a recording stops by itself because its file could not be
// written, just before the recorder says so. Called on the user-interface
// thread.
class RecordingListener {
 public:
  virtual void recordingStopped() = 0;

 protected:
  ~RecordingListener() = default;
};

// The one listener (the main window's commands); null for none.
void setRecordingListener(RecordingListener* listener);

// Starts recording `window`'s client area into `path`, with the picture on
// screen now as the first frame. False, with nothing started, when the file
// cannot be made (a name that is a folder, a folder that cannot be written).
bool startRecording(HWND window, const std::string& path);
// Ends the recording and its file; false when the file could not be written
// (then no file is left). True when no recording ran.
bool stopRecording();
bool isRecording();

// Says, in a message box owned by `owner`, that the recording could not be
// written.
void showRecordingFailure(HWND owner);

// Stands in for a disk with only `bytes` free for the recordings started from
// now on (0: as much as the disk has).
void setRecordingRoom(std::uint64_t bytes);

}  // namespace rovenza
