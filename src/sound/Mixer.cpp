#include "sound/Mixer.h"

#include <utility>

namespace rovenza {

namespace {
bool validVoice(int sign) { return sign >= 0 && sign < kVoiceCount; }
}  // namespace

Mixer::Mixer(SoundSet sounds) : sounds_(std::move(sounds)) {}

void Mixer::setSounds(SoundSet sounds) {
  sounds_ = std::move(sounds);
  for (Voice& voice : voices_) voice = Voice{};
}

void Mixer::log(const MixerEvent& event) {
  if (events_.size() >= kEventsKept) events_.erase(events_.begin(), events_.begin() + kEventsKept / 2);
  events_.push_back(event);
}

void Mixer::begin(int sign, Phase phase, VoiceChange change, std::int64_t step, std::int64_t askedAt) {
  voices_[sign] = Voice{phase, 0};
  log(MixerEvent{sign, change, clock_, step, askedAt});
}

void Mixer::rollStepped(int sign, std::int64_t step, std::int64_t steps, std::int64_t askedAt) {
  if (!validVoice(sign) || step < 1 || step > steps) return;
  if (step == 1) begin(sign, Phase::Starting, VoiceChange::Start, step, askedAt);
  if (step == steps) begin(sign, Phase::Stopping, VoiceChange::Stop, step, askedAt);
}

void Mixer::cut(int sign, std::int64_t askedAt) {
  if (!validVoice(sign) || voices_[sign].phase == Phase::Idle) return;
  voices_[sign] = Voice{};
  log(MixerEvent{sign, VoiceChange::Cut, clock_, 0, askedAt});
}

void Mixer::click(int sign, std::int64_t askedAt) {
  if (validVoice(sign)) begin(sign, Phase::Clicking, VoiceChange::Click, 0, askedAt);
}

bool Mixer::silent() const {
  for (const Voice& voice : voices_) {
    if (voice.phase != Phase::Idle) return false;
  }
  return true;
}

// The voice's next sample, `sample` being the clock of that sample.
std::int32_t Mixer::next(int sign, std::uint64_t sample) {
  Voice& voice = voices_[sign];
  switch (voice.phase) {
    case Phase::Idle:
      return 0;
    case Phase::Starting: {
      const std::vector<std::int16_t>& start = sounds_[SoundName::Start].samples;
      if (voice.position < start.size()) return start[voice.position++];
      voice = Voice{Phase::Running, 0};
      log(MixerEvent{sign, VoiceChange::Loop, sample, 0, 0});
      return next(sign, sample);
    }
    case Phase::Running: {
      const std::vector<std::int16_t>& run = sounds_[SoundName::Run].samples;
      if (run.empty()) return 0;
      if (voice.position >= run.size()) voice.position = 0;
      return run[voice.position++];
    }
    case Phase::Stopping:
    case Phase::Clicking: {
      const SoundName name = voice.phase == Phase::Stopping ? SoundName::Stop : SoundName::Click;
      const std::vector<std::int16_t>& clip = sounds_[name].samples;
      if (voice.position < clip.size()) return clip[voice.position++];
      voice = Voice{};
      log(MixerEvent{sign, VoiceChange::End, sample, 0, 0});
      return 0;
    }
  }
  return 0;
}

void Mixer::mix(std::int16_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t sample = clock_ + i;
    std::int32_t sum = 0;
    for (int sign = 0; sign < kVoiceCount; ++sign) sum += next(sign, sample);
    out[i] = clipSample(sum);
  }
  clock_ += count;
}

}  // namespace rovenza
