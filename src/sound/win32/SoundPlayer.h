#pragma once
// The program's sound: the sounds, the mixer, and a thread of its own that
// feeds the mixer's blocks to one output stream. The signs ask for sounds
// from any thread; a request is heard within a block or two (a few ms). With
// the sound switched off, or no device to play on, nothing plays and every
// request returns at once.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound/Mixer.h"
#include "sound/win32/SoundOutput.h"

namespace rovenza {

// The stream's buffers: 128 samples (5.8 ms at kMixRate) each, three of them,
// so a sound is queued at most about 17 ms ahead of what is heard.
constexpr std::size_t kSoundBlockSamples = 128;
constexpr std::size_t kSoundBlocks = 3;

// Loads the sounds of the program `instance` (built in, each replaced by a
// file of its name in `soundsFolder`) and starts the stream when `enabled`.
// User-interface thread, as are the calls down to soundPlaying().
void startSound(HINSTANCE instance, const std::string& soundsFolder, bool enabled);
// Stops the stream and forgets the sounds and the output; at the end of the run.
void endSound();
void setSoundEnabled(bool enabled);
bool soundEnabled();
// Loads the sounds anew from `soundsFolder` (empty: the built-in ones only);
// whatever plays falls silent.
void loadSounds(const std::string& soundsFolder);
// Where the stream goes from the next start on; an empty maker means the
// system's waveOut. A running stream starts again on the new output.
using SoundOutputMaker = std::function<std::unique_ptr<SoundOutput>()>;
void setSoundOutputMaker(SoundOutputMaker maker);
// Whether the stream plays: switched on, and its output opened.
bool soundPlaying();

// What the signs ask for; any thread.
// A roll-film sign showed step `step` of `steps` (see Mixer::rollStepped).
void soundRollStepped(int sign, std::int64_t step, std::int64_t steps);
// The sign stopped at once: its sound is cut.
void soundRollCut(int sign);
// An LED sign switched its frame.
void soundLedClick(int sign);

// The mixer's changes so far (their askedAt in performance counter
// microseconds) and its clock: what the tests and the benchmark look at.
std::vector<MixerEvent> soundEvents();
std::uint64_t soundClock();

}  // namespace rovenza
