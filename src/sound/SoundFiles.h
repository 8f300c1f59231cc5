#pragma once
// Which sounds the program plays: the built-in ones, each replaced by a file
// of its name in the sounds folder when there is one that reads as a sound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "layout/FileSystem.h"
#include "sound/Mixer.h"

namespace rovenza {

// The file names in the sounds folder, in SoundName order.
constexpr const char* kSoundFileNames[kSoundNameCount] = {"start.wav", "run.wav", "stop.wav", "click.wav"};

// A file larger than this is not read at all (a sound is kept for at most
// kLongestSoundSeconds, which even 192 kHz stereo fits well within).
constexpr std::uint64_t kLargestSoundFile = 64u * 1024u * 1024u;

struct SoundBytes {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

// The sounds to play: for each name, `folder`\name when it reads as a sound,
// otherwise builtIn[name]. `folder` empty: the built-in ones only. A missing
// folder, a missing file, an unreadable or bad one: the built-in sound.
SoundSet loadSoundSet(FileSystem& files, const std::string& folder, const SoundBytes (&builtIn)[kSoundNameCount]);

}  // namespace rovenza
