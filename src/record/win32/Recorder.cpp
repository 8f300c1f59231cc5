#include "record/win32/Recorder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "record/FrameQueue.h"
#include "record/GifWriter.h"
#include "sign/win32/Opening.h"
#include "sign/win32/RollClock.h"

namespace rovenza {

const char kRecordingFailedText[] = "録画を書き込めませんでした。";
const char kRecordingCaption[] = "録画";

namespace {

constexpr UINT_PTR kRecordTimer = 0x5245;  // 'RE'
constexpr std::size_t kFileBuffer = 64 * 1024;

// The temporary file, written in blocks; it fails, as a full disk would,
// once it would hold more than its room.
class FileOutput : public GifOutput {
 public:
  FileOutput(HANDLE file, std::uint64_t room) : file_(file), room_(room) { buffer_.reserve(kFileBuffer); }
  bool write(const unsigned char* data, std::size_t size) override {
    if (failed_) return false;
    if (room_ != 0 && size > room_ - std::min(room_, taken_)) return !(failed_ = true);
    taken_ += size;
    if (buffer_.size() + size > kFileBuffer && !flush()) return false;
    if (size >= kFileBuffer) return writeThrough(data, size);
    buffer_.insert(buffer_.end(), data, data + size);
    return true;
  }
  bool flush() {
    if (failed_) return false;
    const bool ok = writeThrough(buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
  }

 private:
  bool writeThrough(const unsigned char* data, std::size_t size) {
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_, data, chunk, &written, nullptr) || written != chunk) return !(failed_ = true);
      data += chunk;
      size -= chunk;
    }
    return true;
  }

  HANDLE file_;
  std::uint64_t room_;
  std::uint64_t taken_ = 0;
  std::vector<unsigned char> buffer_;
  bool failed_ = false;
};

// The DIB section each picture is first copied into: 32 bits a pixel, top
// row first, the recorded window's client size when the recording started.
struct CaptureSurface {
  ScopedBitmap bitmap;
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
};

struct Recording {
  HWND window = nullptr;
  std::string path;
  std::string temporaryPath;
  ScopedHandle file;
  std::unique_ptr<FileOutput> output;
  CaptureSurface surface;
  FrameQueue queue{kRecordQueueBound};
  std::thread worker;
  std::atomic<bool> failed{false};
  double stopMs = 0;        // set before the queue closes
  double lastCaptureMs = -1e9;
};

std::unique_ptr<Recording> recording;
RecordingListener* listener = nullptr;
std::uint64_t recordingRoom = 0;

double nowMs() { return static_cast<double>(performanceMicros()) / 1000.0; }

bool makeSurface(HWND window, CaptureSurface& surface) {
  RECT client{};
  GetClientRect(window, &client);
  surface.width = std::max<LONG>(1, client.right - client.left);
  surface.height = std::max<LONG>(1, client.bottom - client.top);
  void* bits = nullptr;
  surface.bitmap.reset(newDibSection(dib32Info(surface.width, -surface.height), bits));  // top row first
  surface.bits = static_cast<std::uint32_t*>(bits);
  return surface.bitmap.valid() && surface.bits;
}

// One picture of the window's client area, taken while neither sign's roll
// draws, so that no step is caught half drawn.
void capture(Recording& r) {
  const double now = nowMs();
  {
    WindowDC screen(r.window);
    MemoryDC memory(screen.get());
    SelectGuard select(memory.get(), r.surface.bitmap.get());
    OpeningLock first(0);
    OpeningLock second(1);
    BitBlt(memory.get(), 0, 0, r.surface.width, r.surface.height, screen.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  try {
    Picture picture = r.queue.spare();
    picture.width = r.surface.width;
    picture.height = r.surface.height;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    std::memcpy(picture.pixels.data(), r.surface.bits, picture.pixels.size() * sizeof(std::uint32_t));
    r.queue.push(std::move(picture), now);
  } catch (const std::bad_alloc&) {
    // No room for the picture (a window as large as the screen allows, in
    // the 32-bit program): the recording fails as a full disk makes it.
    r.failed = true;
  }
  r.lastCaptureMs = now;
}

void writeFrames(Recording& r) {
  GifWriter writer(*r.output);
  CapturedFrame frame;
  // What the writer needs for a frame (its palette, its indices) may not
  // fit in memory: the recording fails then, as a full disk makes it.
  const auto written = [&r](auto write) {
    try {
      return write();
    } catch (const std::bad_alloc&) {
      return false;
    }
  };
  while (r.queue.pop(frame)) {
    if (!r.failed && !written([&] { return writer.add(frame.picture, frame.timeMs); })) r.failed = true;
    r.queue.recycle(std::move(frame.picture));
  }
  if (!r.failed && !written([&] { return writer.finish(r.stopMs) && r.output->flush(); })) r.failed = true;
}

void CALLBACK onRecordTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!recording) return;
  if (recording->failed) {
    HWND window = recording->window;
    stopRecording();
    if (listener) listener->recordingStopped();
    showRecordingFailure(window);
    return;
  }
  // A tick that comes early waits for the next: never more than 50 frames a second.
  if (nowMs() - recording->lastCaptureMs >= kRecordIntervalMs - 0.5) capture(*recording);
}

}  // namespace

void setRecordingListener(RecordingListener* l) { listener = l; }

void setRecordingRoom(std::uint64_t bytes) { recordingRoom = bytes; }

bool isRecording() { return recording != nullptr; }

bool startRecording(HWND window, const std::string& path) {
  if (recording || !IsWindow(window) || path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  auto r = std::make_unique<Recording>();
  r->window = window;
  r->path = path;
  r->temporaryPath = path + ".recording";
  r->file.reset(CreateFileA(r->temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!r->file.valid()) return false;
  if (!makeSurface(window, r->surface)) {
    r->file.reset();
    DeleteFileA(r->temporaryPath.c_str());
    return false;
  }
  r->output = std::make_unique<FileOutput>(r->file.get(), recordingRoom);
  Recording& started = *r;
  recording = std::move(r);
  started.worker = std::thread([&started] { writeFrames(started); });
  capture(started);
  SetTimer(window, kRecordTimer, kRecordIntervalMs, onRecordTimer);
  return true;
}

bool stopRecording() {
  if (!recording) return true;
  std::unique_ptr<Recording> r = std::move(recording);
  KillTimer(r->window, kRecordTimer);
  // The board as it is at the stop is the last frame, taken no sooner than
  // the pace allows.
  if (!r->failed && IsWindow(r->window)) {
    const double wait = r->lastCaptureMs + kRecordIntervalMs - nowMs();
    if (wait > 0) Sleep(static_cast<DWORD>(wait) + 1);
    capture(*r);
  }
  r->stopMs = nowMs();
  r->queue.close();
  r->worker.join();
  r->file.reset();
  const bool written =
      !r->failed && MoveFileExA(r->temporaryPath.c_str(), r->path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  if (!written) DeleteFileA(r->temporaryPath.c_str());
  return written;
}

void showRecordingFailure(HWND owner) {
  MessageBoxA(owner, kRecordingFailedText, kRecordingCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace rovenza
