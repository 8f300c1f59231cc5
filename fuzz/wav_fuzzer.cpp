// Any bytes read as a WAV file, alone and as a file in the sounds folder: no
// crash; a sound read is at most kLongestSoundSeconds long, a refused one
// leaves nothing, and a bad file in the folder gives the built-in sound.
#include <cstddef>
#include <cstdint>

#include "FuzzBoard.h"
#include "sound/SoundFiles.h"
#include "sound/Wav.h"

using rovenza::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rovenza::Sound sound;
  const rovenza::WavResult result = rovenza::readWav(data, size, sound);
  require(sound.samples.size() <= static_cast<std::size_t>(rovenza::kLongestSoundSeconds) * rovenza::kMixRate + 1,
          "a sound is never longer than the longest kept");
  if (result != rovenza::WavResult::Ok) require(sound.samples.empty(), "a refused file leaves no samples");

  // The same bytes as every file of the sounds folder, over a built-in sound of one sample.
  static const unsigned char kBuiltIn[] = {'R', 'I', 'F', 'F', 38, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                           16,  0,   0,   0,   1,  0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0,
                                           2,   0,   16,  0,   'd', 'a', 't', 'a', 2, 0, 0, 0, 0x39, 0x05};
  rovenza::MemoryFileSystem files;
  for (const char* name : rovenza::kSoundFileNames) rovenza::fuzz::putFile(files, std::string("s\\") + name, data, size);
  rovenza::SoundBytes builtIn[rovenza::kSoundNameCount];
  for (rovenza::SoundBytes& b : builtIn) b = rovenza::SoundBytes{kBuiltIn, sizeof kBuiltIn};
  const rovenza::SoundSet set = rovenza::loadSoundSet(files, "s", builtIn);
  for (const rovenza::Sound& chosen : set.sounds) {
    if (result == rovenza::WavResult::Ok) {
      require(chosen.samples == sound.samples, "a good file replaces the built-in sound");
    } else {
      require(chosen.samples.size() == 1 && chosen.samples[0] == 0x0539, "a bad file leaves the built-in sound");
    }
  }
  return 0;
}
