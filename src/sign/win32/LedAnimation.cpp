#include "sign/win32/LedAnimation.h"

#include <atomic>
#include <cstring>
#include <new>
#include <vector>

#include "common/win32/Dib.h"
#include "common/win32/Scoped.h"
#include "sign/AnimationPacer.h"
#include "sign/GifAnimation.h"
#include "sign/PictureDecoding.h"
#include "sign/win32/LedPictureListener.h"
#include "sign/win32/Opening.h"
#include "sign/win32/RollClock.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"

namespace rovenza {

// One animation of one sign, shared by the user-interface thread and the
// animation's thread. Everything but `cancelled` is set before the thread
// starts; the canvas and the pixels are the thread's from then on.
struct LedAnimationJob {
  int sign = 0;
  HWND clipWindow = nullptr;
  GifAnimation animation;
  std::unique_ptr<GifCanvas> canvas;  // holds the first picture when the thread starts
  void* bits = nullptr;               // the DIB section the sign window shows
  std::int64_t shownAt = 0;           // performance counter microseconds of the first picture
  ScopedHandle cancelEvent;           // manual reset; wakes the thread's waits
  ScopedHandle thread;
  // Set under the sign's opening lock when the animation is stopped: no
  // picture of it is drawn after that.
  std::atomic<bool> cancelled{false};
};

namespace {

// How long a stop waits for the thread, which ends at once once woken (it
// sends nothing to this thread); the limit only keeps a fault elsewhere from
// freezing the program. A stopped animation draws nothing either way.
constexpr DWORD kStopWaitMs = 5000;

// The pictures of an animation go to its sign's opening.
class LedScreen : public AnimationScreen {
 public:
  explicit LedScreen(LedAnimationJob& job) : job_(job) {}
  bool showPicture(const std::vector<std::uint32_t>& pixels) override {
    OpeningLock lock(job_.sign);
    if (job_.cancelled) return false;
    tellLedPicture(job_.sign, pixels.data(), job_.animation.width, job_.animation.height);
    writeLedPicture(job_.bits, job_.animation.width, job_.animation.height, pixels.data());
    if (IsWindowVisible(job_.clipWindow)) drawOpening(job_.sign, job_.clipWindow, 0);
    return true;
  }

 private:
  LedAnimationJob& job_;
};

DWORD WINAPI animationThread(LPVOID parameter) {
  // The thread keeps the job alive for as long as it runs.
  const std::unique_ptr<std::shared_ptr<LedAnimationJob>> held(static_cast<std::shared_ptr<LedAnimationJob>*>(parameter));
  LedAnimationJob& job = **held;
  TimerResolution resolution;
  RollClock clock(job.cancelEvent.get());
  LedScreen screen(job);
  playAnimation(job.animation, *job.canvas, job.shownAt, screen, clock);
  return 0;
}

// The whole file when its first bytes are a GIF's; false for anything else.
bool readGifFile(const std::string& path, std::vector<unsigned char>& bytes) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file.valid()) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size < 6 || size > kMaxDecodedBytes) return false;
  unsigned char signature[3] = {};
  DWORD read = 0;
  if (!ReadFile(file.get(), signature, sizeof signature, &read, nullptr) || read != sizeof signature ||
      std::memcmp(signature, "GIF", 3) != 0) {
    return false;
  }
  bytes.resize(size);
  std::memcpy(bytes.data(), signature, sizeof signature);
  const DWORD rest = size - sizeof signature;
  return ReadFile(file.get(), bytes.data() + sizeof signature, rest, &read, nullptr) && read == rest;
}

std::shared_ptr<LedAnimationJob> readAnimation(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!readGifFile(path, bytes)) return nullptr;
  auto job = std::make_shared<LedAnimationJob>();
  if (!readLedAnimation(bytes.data(), bytes.size(), job->animation)) return nullptr;
  job->canvas = std::make_unique<GifCanvas>(job->animation);
  job->canvas->compose(0);
  return job;
}

}  // namespace

void writeLedPicture(void* bits, int width, int height, const std::uint32_t* pixels) {
  auto* rows = static_cast<unsigned char*>(bits);
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    std::memcpy(rows + static_cast<std::size_t>(height - 1 - y) * stride, pixels + static_cast<std::size_t>(y) * width,
                stride);
  }
  applyLedLook(bits, width, height);
}

std::shared_ptr<LedAnimationJob> loadLedAnimation(const std::string& path, HBITMAP& picture) {
  picture = nullptr;
  std::shared_ptr<LedAnimationJob> job;
  try {
    job = readAnimation(path);
  } catch (const std::bad_alloc&) {
    // Too large for this process's memory: shown as a still, as before.
    return nullptr;
  }
  if (!job) return nullptr;
  void* bits = nullptr;
  ScopedBitmap section(newDibSection(dib32Info(job->animation.width, job->animation.height), bits));
  if (!section) return nullptr;
  writeLedPicture(bits, job->animation.width, job->animation.height, job->canvas->pixels().data());
  job->bits = bits;
  picture = section.release();
  return job;
}

void startLedAnimation(int sign, std::shared_ptr<LedAnimationJob> job) {
  if (!validSign(sign) || !job) return;
  stopLedAnimation(sign);
  job->sign = sign;
  job->clipWindow = clipOf(sign).handle();
  tellLedPicture(sign, job->canvas->pixels().data(), job->animation.width, job->animation.height);
  job->shownAt = performanceMicros();
  job->cancelEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!job->cancelEvent.valid()) return;
  auto* held = new std::shared_ptr<LedAnimationJob>(job);
  job->thread.reset(CreateThread(nullptr, 0, animationThread, held, 0, nullptr));
  if (!job->thread.valid()) {
    delete held;
    return;
  }
  app.signStates[sign].animation = std::move(job);
}

void stopLedAnimation(int sign) {
  if (!validSign(sign)) return;
  const std::shared_ptr<LedAnimationJob> job = std::move(app.signStates[sign].animation);
  app.signStates[sign].animation.reset();
  if (!job) return;
  {
    OpeningLock lock(sign);
    job->cancelled = true;
  }
  SetEvent(job->cancelEvent.get());
  WaitForSingleObject(job->thread.get(), kStopWaitMs);
}

bool isLedAnimationPlaying(int sign) {
  if (!validSign(sign)) return false;
  const LedAnimationJob* job = app.signStates[sign].animation.get();
  return job && WaitForSingleObject(job->thread.get(), 0) == WAIT_TIMEOUT;
}

bool paintLedAnimation(int sign, HWND window) {
  if (!validSign(sign) || !app.signStates[sign].animation) return false;
  OpeningLock lock(sign);
  if (!drawOpening(sign, clipOf(sign).handle(), 0)) return false;
  ValidateRect(window, nullptr);
  return true;
}

}  // namespace rovenza
