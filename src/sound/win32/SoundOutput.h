#pragma once
// Where the mixed samples go: one stream of 16-bit mono samples, fed block by
// block from the sound thread. The program plays it through waveOut; the
// window tests and the benchmark put an output of their own in its place.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace rovenza {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Opens the stream with `blocks` buffers of `blockSamples` samples each.
  // False when there is no device to play on: the sound then stays silent.
  virtual bool open(std::uint32_t rate, std::size_t blockSamples, std::size_t blocks) = 0;
  // Waits until a buffer is free. False, at once, when `stop` is set, and
  // when the device failed.
  virtual bool waitForRoom(HANDLE stop) = 0;
  // Queues one block of `count` samples (copied) into the free buffer.
  virtual void play(const std::int16_t* samples, std::size_t count) = 0;
  // Stops playing and gives the device back.
  virtual void close() = 0;
};

// The system's waveOut stream.
std::unique_ptr<SoundOutput> makeWaveOutput();

}  // namespace rovenza
