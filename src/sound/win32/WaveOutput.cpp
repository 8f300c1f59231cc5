// The interface first: it brings in windows.h, which mmsystem.h needs.
#include "sound/win32/SoundOutput.h"

#include <mmsystem.h>

#include <algorithm>

#include <vector>

#include "common/win32/Scoped.h"

namespace rovenza {

namespace {

struct CloseWaveOut {
  static bool holds(HWAVEOUT device) { return device != nullptr; }
  void operator()(HWAVEOUT device) const {
    waveOutReset(device);
    waveOutClose(device);
  }
};
using ScopedWaveOut = ScopedOwner<HWAVEOUT, CloseWaveOut>;

// waveOut with a few small buffers; the device signals an event each time it
// is done with one.
class WaveOutput final : public SoundOutput {
 public:
  ~WaveOutput() override { close(); }

  bool open(std::uint32_t rate, std::size_t blockSamples, std::size_t blocks) override {
    close();
    done_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!done_.valid() || waveOutGetNumDevs() == 0) return false;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = rate * 2;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_.get()), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
      return false;
    }
    device_.reset(device);
    buffers_.assign(blocks, std::vector<std::int16_t>(blockSamples, 0));
    headers_.assign(blocks, WAVEHDR{});
    for (std::size_t i = 0; i < blocks; ++i) {
      headers_[i].lpData = reinterpret_cast<LPSTR>(buffers_[i].data());
      headers_[i].dwBufferLength = static_cast<DWORD>(blockSamples * sizeof(std::int16_t));
      if (waveOutPrepareHeader(device_.get(), &headers_[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        close();
        return false;
      }
    }
    return true;
  }

  bool waitForRoom(HANDLE stop) override {
    if (!device_.valid()) return false;
    for (;;) {
      for (std::size_t i = 0; i < headers_.size(); ++i) {
        if (!(headers_[i].dwFlags & WHDR_INQUEUE)) {
          free_ = i;
          return true;
        }
      }
      const HANDLE waits[] = {stop, done_.get()};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return false;
    }
  }

  void play(const std::int16_t* samples, std::size_t count) override {
    if (!device_.valid() || free_ >= headers_.size()) return;
    std::vector<std::int16_t>& buffer = buffers_[free_];
    std::copy(samples, samples + std::min(count, buffer.size()), buffer.begin());
    waveOutWrite(device_.get(), &headers_[free_], sizeof(WAVEHDR));
    free_ = headers_.size();
  }

  void close() override {
    if (device_.valid()) {
      waveOutReset(device_.get());  // hands every queued buffer back
      for (WAVEHDR& header : headers_) waveOutUnprepareHeader(device_.get(), &header, sizeof(WAVEHDR));
    }
    device_.reset();
    headers_.clear();
    buffers_.clear();
  }

 private:
  ScopedWaveOut device_;
  ScopedHandle done_;
  std::vector<std::vector<std::int16_t>> buffers_;
  std::vector<WAVEHDR> headers_;
  std::size_t free_ = 0;
};

}  // namespace

std::unique_ptr<SoundOutput> makeWaveOutput() { return std::make_unique<WaveOutput>(); }

}  // namespace rovenza
