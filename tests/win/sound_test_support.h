#pragma once
// An output for the sound that plays nowhere, at the pace a device plays:
// it takes a block only when no more than the stream's buffers are waiting
// to be heard, and keeps every sample it was given with the time its block
// would start to sound. The window tests and the benchmark hear the mixer
// through it.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sound/Wav.h"
#include "sound/win32/SoundOutput.h"
#include "sound/win32/SoundPlayer.h"

namespace rovenza::test {

inline std::int64_t microsNow() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return counter.QuadPart / frequency.QuadPart * 1000000 +
         counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

// What the output heard, shared between the sound thread and the test.
class HeardSound {
 public:
  HeardSound() = default;
  HeardSound(const HeardSound&) = delete;
  HeardSound& operator=(const HeardSound&) = delete;

  struct Block {
    std::uint64_t firstSample;  // the mixer's clock at the block's first sample
    std::int64_t soundsAt;      // microsNow() when the block starts to sound
  };

  void opened(std::uint64_t clock) {
    Enter enter(lock_);
    if (!opened_) firstClock_ = clock;
    opened_ = true;
  }
  void add(const std::int16_t* samples, std::size_t count, std::int64_t soundsAt) {
    Enter enter(lock_);
    blocks_.push_back(Block{firstClock_ + samples_.size(), soundsAt});
    samples_.insert(samples_.end(), samples, samples + count);
  }
  // The sample the mixer made at its clock `sample`; 0 for one not heard.
  std::int16_t at(std::uint64_t sample) const {
    Enter enter(lock_);
    if (sample < firstClock_ || sample - firstClock_ >= samples_.size()) return 0;
    return samples_[static_cast<std::size_t>(sample - firstClock_)];
  }
  // The samples from clock `from` (inclusive) to `to` (exclusive).
  std::vector<std::int16_t> range(std::uint64_t from, std::uint64_t to) const {
    std::vector<std::int16_t> out;
    for (std::uint64_t s = from; s < to; ++s) out.push_back(at(s));
    return out;
  }
  std::uint64_t endClock() const {
    Enter enter(lock_);
    return firstClock_ + samples_.size();
  }
  // When the sample at clock `sample` sounds (microsNow() time); -1 if never.
  std::int64_t soundsAt(std::uint64_t sample, std::uint32_t rate) const {
    Enter enter(lock_);
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
      if (block->firstSample <= sample) {
        return block->soundsAt + static_cast<std::int64_t>((sample - block->firstSample) * 1000000 / rate);
      }
    }
    return -1;
  }

 private:
  using Enter = std::lock_guard<std::mutex>;
  mutable std::mutex lock_;
  bool opened_ = false;
  std::uint64_t firstClock_ = 0;
  std::vector<std::int16_t> samples_;
  std::vector<Block> blocks_;
};

class PacedOutput final : public SoundOutput {
 public:
  explicit PacedOutput(std::shared_ptr<HeardSound> heard) : heard_(std::move(heard)) {}

  bool open(std::uint32_t rate, std::size_t blockSamples, std::size_t blocks) override {
    rate_ = rate;
    blockMicros_ = static_cast<std::int64_t>(blockSamples) * 1000000 / rate;
    blocks_ = static_cast<std::int64_t>(blocks);
    playedUntil_ = microsNow();
    heard_->opened(soundClock());
    return true;
  }
  bool waitForRoom(HANDLE stop) override {
    for (;;) {
      // Room when fewer than all the buffers are still waiting to be heard.
      const std::int64_t roomAt = playedUntil_ - (blocks_ - 1) * blockMicros_;
      const std::int64_t now = microsNow();
      if (now >= roomAt) return WaitForSingleObject(stop, 0) != WAIT_OBJECT_0;
      const DWORD ms = static_cast<DWORD>((roomAt - now + 999) / 1000);
      if (WaitForSingleObject(stop, ms) == WAIT_OBJECT_0) return false;
    }
  }
  void play(const std::int16_t* samples, std::size_t count) override {
    // A device left without a block stops; the next one sounds at once.
    const std::int64_t start = std::max(microsNow(), playedUntil_);
    heard_->add(samples, count, start);
    playedUntil_ = start + static_cast<std::int64_t>(count) * 1000000 / rate_;
  }
  void close() override {}

 private:
  std::shared_ptr<HeardSound> heard_;
  std::uint32_t rate_ = 1;
  std::int64_t blockMicros_ = 0;
  std::int64_t blocks_ = 1;
  std::int64_t playedUntil_ = 0;
};

// Writes a WAV file of `count` samples, all `level`, at the mixing rate.
inline void writeConstantWav(const std::string& path, std::int16_t level, std::size_t count) {
  const DWORD dataBytes = static_cast<DWORD>(count * 2);
  struct Header {
    char riff[4];
    DWORD riffSize;
    char wave[4];
    char fmt[4];
    DWORD fmtSize;
    WORD format, channels;
    DWORD rate, byteRate;
    WORD blockAlign, bits;
    char data[4];
    DWORD dataSize;
  } header = {{'R', 'I', 'F', 'F'}, 36 + dataBytes, {'W', 'A', 'V', 'E'}, {'f', 'm', 't', ' '}, 16, 1, 1,
              kMixRate, kMixRate * 2, 2, 16, {'d', 'a', 't', 'a'}, dataBytes};
  std::vector<std::int16_t> samples(count, level);
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, &header, sizeof header, &written, nullptr);
  WriteFile(out, samples.data(), dataBytes, &written, nullptr);
  CloseHandle(out);
}

// Puts a paced output in the stream's place and switches the sound on;
// returns what it will hear.
inline std::shared_ptr<HeardSound> listenToSound() {
  auto heard = std::make_shared<HeardSound>();
  setSoundOutputMaker([heard] { return std::make_unique<PacedOutput>(heard); });
  setSoundEnabled(true);
  return heard;
}

}  // namespace rovenza::test
