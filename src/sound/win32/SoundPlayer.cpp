#include "sound/win32/SoundPlayer.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "common/win32/Scoped.h"
#include "layout/win32/SystemFiles.h"
#include "resources/resource.h"
#include "sound/SoundFiles.h"

namespace rovenza {

namespace {

// How long switching the sound off waits for the thread. It ends at once;
// the limit only keeps a device that hangs from freezing the program.
constexpr DWORD kStopWaitMs = 5000;

// What the sound thread works with; it lives until the thread has ended.
struct Feed {
  std::unique_ptr<SoundOutput> output;
  ScopedHandle stop;  // manual reset: the thread ends
  ScopedHandle wake;  // auto reset: a request came while everything was silent
};

using Guard = std::lock_guard<std::mutex>;

struct SoundSystem {
  // Guards the mixer and which feed is the stream's: a request wakes the
  // feed's thread under it, and a stop takes the feed away under it before
  // its events are closed, so no request signals a closed handle.
  std::mutex lock;
  Mixer mixer;
  Feed* current = nullptr;          // the running stream's feed; null while none plays
  std::atomic<bool> playing{false};  // current is set and its output open: a fast check before the lock
  // User-interface thread only.
  HINSTANCE instance = nullptr;
  bool enabled = false;
  SoundOutputMaker maker;
  std::unique_ptr<Feed> feed;
  ScopedHandle thread;
};

SoundSystem& soundSystem() {
  static SoundSystem sound;
  return sound;
}

std::int64_t nowMicros() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  const std::int64_t perSecond = frequency.QuadPart;
  return counter.QuadPart / perSecond * 1000000 + counter.QuadPart % perSecond * 1000000 / perSecond;
}

bool mixerSilent() {
  SoundSystem& s = soundSystem();
  Guard guard(s.lock);
  return s.mixer.silent();
}

// The sound thread: opens the output, then mixes a block into each buffer
// the output frees, for as long as anything sounds; while all is silent it
// waits for a request instead of feeding the device silence.
DWORD WINAPI feedSound(LPVOID parameter) {
  Feed& feed = *static_cast<Feed*>(parameter);
  SoundSystem& s = soundSystem();
  if (!feed.output->open(kMixRate, kSoundBlockSamples, kSoundBlocks)) return 0;
  {
    // A stop may have come before the output opened: then this feed is no
    // longer the stream's and must not claim to play.
    Guard guard(s.lock);
    if (s.current == &feed) s.playing = true;
  }
  std::int16_t block[kSoundBlockSamples];
  for (;;) {
    if (mixerSilent()) {
      const HANDLE waits[] = {feed.stop.get(), feed.wake.get()};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
      continue;
    }
    if (!feed.output->waitForRoom(feed.stop.get())) break;
    {
      Guard guard(s.lock);
      s.mixer.mix(block, kSoundBlockSamples);
    }
    feed.output->play(block, kSoundBlockSamples);
  }
  {
    // A thread given up on by a stop that timed out ends here later; by then
    // another stream may play, whose flag is not this thread's to clear.
    Guard guard(s.lock);
    if (s.current == &feed) s.playing = false;
  }
  feed.output->close();
  return 0;
}

void startStream() {
  SoundSystem& s = soundSystem();
  if (s.thread.valid()) return;
  auto feed = std::make_unique<Feed>();
  feed->output = s.maker ? s.maker() : makeWaveOutput();
  feed->stop.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  feed->wake.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!feed->output || !feed->stop.valid() || !feed->wake.valid()) return;
  {
    Guard guard(s.lock);
    s.current = feed.get();
  }
  s.thread.reset(CreateThread(nullptr, 0, feedSound, feed.get(), 0, nullptr));
  if (!s.thread.valid()) {
    Guard guard(s.lock);
    s.current = nullptr;
    return;
  }
  s.feed = std::move(feed);
}

void stopStream() {
  SoundSystem& s = soundSystem();
  {
    // From here no request reaches the feed; its events may then go.
    Guard guard(s.lock);
    s.current = nullptr;
    s.playing = false;
  }
  if (s.thread.valid()) {
    SetEvent(s.feed->stop.get());
    if (WaitForSingleObject(s.thread.get(), kStopWaitMs) != WAIT_OBJECT_0) {
      // The thread is stuck in the device: it keeps what it works with.
      static_cast<void>(s.feed.release());
    }
    s.thread.reset();
  }
  s.feed.reset();
  Guard guard(s.lock);
  for (int sign = 0; sign < kVoiceCount; ++sign) s.mixer.cut(sign);
}

// Runs `request` on the mixer and wakes the sound thread; nothing while the
// stream does not play.
template <typename Request>
void ask(Request request) {
  SoundSystem& s = soundSystem();
  if (!s.playing) return;
  Guard guard(s.lock);
  if (!s.current) return;
  request(s.mixer, nowMicros());
  SetEvent(s.current->wake.get());
}

}  // namespace

void startSound(HINSTANCE instance, const std::string& soundsFolder, bool enabled) {
  soundSystem().instance = instance;
  loadSounds(soundsFolder);
  setSoundEnabled(enabled);
}

void endSound() {
  SoundSystem& s = soundSystem();
  stopStream();
  s.enabled = false;
  s.maker = nullptr;
  s.instance = nullptr;
  Guard guard(s.lock);
  s.mixer = Mixer{};
}

void setSoundEnabled(bool enabled) {
  soundSystem().enabled = enabled;
  if (enabled) {
    startStream();
  } else {
    stopStream();
  }
}

bool soundEnabled() { return soundSystem().enabled; }

void loadSounds(const std::string& soundsFolder) {
  SoundSystem& s = soundSystem();
  SoundBytes builtIn[kSoundNameCount];
  for (int i = 0; i < kSoundNameCount; ++i) {
    HRSRC found = FindResourceA(s.instance, MAKEINTRESOURCEA(IDR_SOUND_FIRST + i), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(s.instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data) builtIn[i] = SoundBytes{static_cast<const unsigned char*>(data), SizeofResource(s.instance, found)};
  }
  SoundSet sounds = loadSoundSet(systemFiles(), soundsFolder, builtIn);
  Guard guard(s.lock);
  s.mixer.setSounds(std::move(sounds));
}

void setSoundOutputMaker(SoundOutputMaker maker) {
  SoundSystem& s = soundSystem();
  const bool running = s.thread.valid();
  stopStream();
  s.maker = std::move(maker);
  if (running || s.enabled) startStream();
}

bool soundPlaying() { return soundSystem().playing; }

void soundRollStepped(int sign, std::int64_t step, std::int64_t steps) {
  // Only the first and the last step change anything.
  if (step != 1 && step != steps) return;
  ask([&](Mixer& mixer, std::int64_t now) { mixer.rollStepped(sign, step, steps, now); });
}

void soundRollCut(int sign) {
  ask([&](Mixer& mixer, std::int64_t now) { mixer.cut(sign, now); });
}

void soundLedClick(int sign) {
  ask([&](Mixer& mixer, std::int64_t now) { mixer.click(sign, now); });
}

std::vector<MixerEvent> soundEvents() {
  SoundSystem& s = soundSystem();
  Guard guard(s.lock);
  return s.mixer.events();
}

std::uint64_t soundClock() {
  SoundSystem& s = soundSystem();
  Guard guard(s.lock);
  return s.mixer.clock();
}

}  // namespace rovenza
