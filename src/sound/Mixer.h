#pragma once
// The mixer: one voice per sign, summed sample by sample with clipping into
// one 16-bit mono stream at kMixRate. A roll-film sign's voice runs start ->
// run (looped) -> stop; an LED sign's voice plays a click. Requests take
// effect at the next sample mixed; the mixer's clock counts the samples mixed
// so far, and every change of a voice is logged with the sample it happened
// at. Not thread-safe: its owner serialises the calls.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sound/Wav.h"
#include "state/Faces.h"

namespace rovenza {

enum class SoundName : int { Start, Run, Stop, Click };
constexpr int kSoundNameCount = 4;
constexpr int kVoiceCount = kAllSigns;  // one per sign

struct SoundSet {
  Sound sounds[kSoundNameCount];
  const Sound& operator[](SoundName name) const { return sounds[static_cast<int>(name)]; }
  Sound& operator[](SoundName name) { return sounds[static_cast<int>(name)]; }
};

enum class VoiceChange : std::uint8_t {
  Start,  // the motor's start sound begins
  Loop,   // the start sound ran out: the run sound loops from here
  Stop,   // the film landed: the stop sound begins (the start or loop is cut)
  End,    // the stop sound or click ran out: the voice is silent
  Cut,    // stopped at once: the voice is silent from here
  Click,  // an LED sign's click begins
};

struct MixerEvent {
  int sign = 0;
  VoiceChange change = VoiceChange::Start;
  std::uint64_t sample = 0;  // the mixer's clock at the first sample of the change
  std::int64_t step = 0;     // the roll step that asked for it (0 when none did)
  std::int64_t askedAt = 0;  // when it was asked for, in the asker's time (0 for Loop and End)
};

class Mixer {
 public:
  explicit Mixer(SoundSet sounds = SoundSet{});

  // Replaces the sounds; every voice falls silent.
  void setSounds(SoundSet sounds);

  // A roll-film sign showed step `step` (counted from 1) of its `steps`: the
  // first step starts the motor, the last one lands the film. A roll of one
  // step does both.
  void rollStepped(int sign, std::int64_t step, std::int64_t steps, std::int64_t askedAt = 0);
  // The sign stopped at once ("強", exit): its voice falls silent at the next
  // sample, with no stop sound. Nothing when it is silent already.
  void cut(int sign, std::int64_t askedAt = 0);
  // An LED sign switched its frame.
  void click(int sign, std::int64_t askedAt = 0);

  // Mixes the next `count` samples into `out` and moves the clock on.
  void mix(std::int16_t* out, std::size_t count);

  std::uint64_t clock() const { return clock_; }
  bool silent() const;
  // The changes so far, oldest first; only the last kEventsKept are kept.
  const std::vector<MixerEvent>& events() const { return events_; }
  static constexpr std::size_t kEventsKept = 4096;

 private:
  enum class Phase : std::uint8_t { Idle, Starting, Running, Stopping, Clicking };
  struct Voice {
    Phase phase = Phase::Idle;
    std::size_t position = 0;
  };

  void begin(int sign, Phase phase, VoiceChange change, std::int64_t step, std::int64_t askedAt);
  void log(const MixerEvent& event);
  std::int32_t next(int sign, std::uint64_t sample);

  SoundSet sounds_;
  Voice voices_[kVoiceCount];
  std::uint64_t clock_ = 0;
  std::vector<MixerEvent> events_;
};

// Sums two samples (or more, one at a time) into the 16-bit range.
inline std::int16_t clipSample(std::int32_t sum) {
  if (sum > 32767) return 32767;
  if (sum < -32768) return -32768;
  return static_cast<std::int16_t>(sum);
}

}  // namespace rovenza
