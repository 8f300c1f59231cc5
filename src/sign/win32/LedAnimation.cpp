#include "sign/win32/LedAnimation.h"

#include <algorithm>
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
// starts; the file, the animation and the pixels are the thread's from then
// on (it lets the file go once it has read it).
struct LedAnimationJob {
  int sign = 0;
  HWND clipWindow = nullptr;
  ScopedHandle file;                 // the file, mapped: the decoder reads it
  ScopedHandle mapping;
  ScopedFileView view;
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  GifAnimation animation;            // the pictures decoded so far
  bool firstShown = false;            // the pixels hold the first picture already
  std::vector<std::uint32_t> firstPixels;  // that picture as decoded, before the look, until it is told
  int width = 0;                      // the GIF's screen, the DIB section's size
  int height = 0;
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
    if (IsWindowVisible(job_.clipWindow) && drawOpening(job_.sign, SignKind::Led, job_.clipWindow, 0)) {
      publishOpening(job_.sign, job_.clipWindow);
    }
    return true;
  }

 private:
  LedAnimationJob& job_;
};

// Takes the file into memory and lets it go, decodes the pictures its
// survey keeps (the first shown here when the user-interface thread could
// not show it at once) and plays them.
void decodeAndPlay(LedAnimationJob& job, LedScreen& screen, RollClock& clock) {
  const std::vector<unsigned char> bytes(job.data, job.data + job.size);
  job.view.reset();
  job.mapping.reset();
  job.file.reset();
  const GifSurvey survey = surveyGif(bytes.data(), bytes.size(), {}, kMaxAnimationPictures, &job.cancelled);
  GifDecoder decoder(bytes.data(), bytes.size(), job.animation);
  job.animation.restoresPrevious = survey.restoresPrevious;
  GifCanvas canvas(job.animation);
  if (job.cancelled || !decoder.next(&job.cancelled)) return;
  canvas.compose(0);
  if (!job.firstShown) {
    if (!screen.showPicture(canvas.pixels())) return;
    job.shownAt = clock.now();
  }
  while (job.animation.pictures.size() < survey.kept && decoder.next(&job.cancelled)) {
  }
  const std::vector<GifPicture>& pictures = job.animation.pictures;
  if (job.cancelled || pictures.size() < 2) return;
  // Deadlines count from the first picture's time; when decoding outlasted
  // the first picture's delay, the second picture is due now.
  const std::int64_t start = std::max(job.shownAt, clock.now() - pictureMicros(pictures.front()));
  playAnimation(job.animation, canvas, start, screen, clock);
}

DWORD WINAPI animationThread(LPVOID parameter) {
  // The thread keeps the job alive for as long as it runs.
  const std::unique_ptr<std::shared_ptr<LedAnimationJob>> held(static_cast<std::shared_ptr<LedAnimationJob>*>(parameter));
  LedAnimationJob& job = **held;
  TimerResolution resolution;
  RollClock clock(job.cancelEvent.get());
  LedScreen screen(job);
  try {
    decodeAndPlay(job, screen, clock);
  } catch (const std::bad_alloc&) {
    // No room for the pictures after those shown: the last shown stays.
  }
  return 0;
}

// Maps the file when its first bytes are a GIF's; false for anything else.
bool mapGifFile(const std::string& path, LedAnimationJob& job) {
  job.file.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!job.file.valid()) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(job.file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size < 6 || size > kMaxDecodedBytes) return false;
  job.mapping.reset(CreateFileMappingA(job.file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!job.mapping.valid()) return false;
  job.view.reset(MapViewOfFile(job.mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!job.view.valid()) return false;
  job.data = static_cast<const unsigned char*>(job.view.get());
  job.size = size;
  return std::memcmp(job.data, "GIF", 3) == 0;
}

// Whether the mapped file is an animated GIF; when it is, a new DIB section
// of its screen (`picture`) holds its first picture if that decodes at
// once, black otherwise. True with `picture` null when the pictures cannot
// be held.
bool prepareAnimation(LedAnimationJob& job, HBITMAP& picture) {
  // Two pictures make an animation: the rest is surveyed by its thread.
  const GifSurvey survey = surveyGif(job.data, job.size, {}, 2);
  if (!isLedAnimation(job.data, job.size, survey)) return false;
  void* bits = nullptr;
  ScopedBitmap section(newDibSection(dib32Info(survey.width, survey.height), bits));
  if (!section) return true;
  if (survey.firstDecodePixels <= kGifAtOncePixels) {
    GifAnimation first;
    GifDecoder decoder(job.data, job.size, first);
    // The first picture on black needs nothing kept of what it covers.
    GifCanvas canvas(first);
    if (decoder.next()) {
      canvas.compose(0);
      writeLedPicture(bits, survey.width, survey.height, canvas.pixels().data());
      job.firstPixels = canvas.pixels();
      job.firstShown = true;
    }
  }
  job.bits = bits;
  job.width = survey.width;
  job.height = survey.height;
  picture = section.release();
  return true;
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

bool loadLedAnimation(const std::string& path, HBITMAP& picture, std::shared_ptr<LedAnimationJob>& job) {
  picture = nullptr;
  job = std::make_shared<LedAnimationJob>();
  try {
    if (!mapGifFile(path, *job) || !prepareAnimation(*job, picture)) {
      job.reset();
      return false;
    }
  } catch (const std::bad_alloc&) {
    // Too large for this process's memory: a bad file (the section, made
    // last, never stands here).
  }
  if (!picture) job.reset();
  return true;
}

void startLedAnimation(int sign, std::shared_ptr<LedAnimationJob> job) {
  if (!validAnySign(sign) || !job) return;
  stopLedAnimation(sign);
  job->sign = sign;
  job->clipWindow = clipOf(sign).handle();
  if (job->firstShown) {
    tellLedPicture(sign, job->firstPixels.data(), job->width, job->height);
    std::vector<std::uint32_t>().swap(job->firstPixels);
  }
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
  if (!validAnySign(sign)) return;
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

std::int64_t ledAnimationStart(int sign) {
  if (!validAnySign(sign)) return 0;
  const LedAnimationJob* job = app.signStates[sign].animation.get();
  return job ? job->shownAt : 0;
}

bool isLedAnimationPlaying(int sign) {
  if (!validAnySign(sign)) return false;
  const LedAnimationJob* job = app.signStates[sign].animation.get();
  return job && WaitForSingleObject(job->thread.get(), 0) == WAIT_TIMEOUT;
}

bool paintLedAnimation(int sign, HWND window) {
  if (!validAnySign(sign) || !app.signStates[sign].animation) return false;
  OpeningLock lock(sign);
  if (!drawOpening(sign, SignKind::Led, clipOf(sign).handle(), 0)) return false;
  ValidateRect(window, nullptr);
  return true;
}

}  // namespace rovenza
