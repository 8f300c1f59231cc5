#include "sound/SoundFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WavBytes.h"
#include "layout/MemoryFileSystem.h"

namespace rovenza {
namespace {

using Samples = std::vector<std::int16_t>;

std::vector<unsigned char> wavOf(Samples samples) {
  test::WavShape shape;
  shape.data = test::pcm16(samples);
  return test::wavBytes(shape);
}

class SoundFiles : public ::testing::Test {
 protected:
  SoundFiles() {
    for (int i = 0; i < kSoundNameCount; ++i) {
      builtInFiles.push_back(wavOf(Samples{static_cast<std::int16_t>(i + 1)}));
      builtIn[i] = SoundBytes{builtInFiles[i].data(), builtInFiles[i].size()};
    }
  }
  Samples samplesOf(const SoundSet& set, SoundName name) const { return set[name].samples; }

  MemoryFileSystem files;
  std::vector<std::vector<unsigned char>> builtInFiles;
  SoundBytes builtIn[kSoundNameCount];
};

TEST_F(SoundFiles, WithoutAFolderTheBuiltInSoundsPlay) {
  for (const std::string folder : {"", "C:\\Rovenza\\sounds"}) {
    const SoundSet set = loadSoundSet(files, folder, builtIn);
    for (int i = 0; i < kSoundNameCount; ++i) {
      EXPECT_EQ((Samples{static_cast<std::int16_t>(i + 1)}), set.sounds[i].samples) << folder << " " << i;
    }
  }
}

TEST_F(SoundFiles, EachGoodFileReplacesItsOwnSoundOnly) {
  files.files["C:\\sounds\\run.wav"] = wavOf({70, 71});
  files.files["C:\\sounds\\click.wav"] = wavOf({90});
  const SoundSet set = loadSoundSet(files, "C:\\sounds", builtIn);
  EXPECT_EQ((Samples{1}), samplesOf(set, SoundName::Start));
  EXPECT_EQ((Samples{70, 71}), samplesOf(set, SoundName::Run));
  EXPECT_EQ((Samples{3}), samplesOf(set, SoundName::Stop));
  EXPECT_EQ((Samples{90}), samplesOf(set, SoundName::Click));
}

TEST_F(SoundFiles, BadFilesLeaveTheBuiltInSound) {
  test::WavShape huge;
  huge.data = test::pcm16({1, 2});
  huge.dataSizeClaim = 0x7FFFFFFF;
  std::vector<unsigned char> cut = wavOf({5, 6, 7});
  cut.resize(cut.size() - 1);
  files.files["D:\\s\\start.wav"] = {};                    // 0 bytes
  files.files["D:\\s\\run.wav"] = test::wavBytes(huge);    // claims a huge data size
  files.files["D:\\s\\stop.wav"] = cut;                    // truncated
  files.files["D:\\s\\click.wav"] = {'M', 'Z', 0x90, 0};   // not a WAV at all
  const SoundSet set = loadSoundSet(files, "D:\\s", builtIn);
  for (int i = 0; i < kSoundNameCount; ++i) {
    EXPECT_EQ((Samples{static_cast<std::int16_t>(i + 1)}), set.sounds[i].samples) << i;
  }
}

TEST_F(SoundFiles, AFileThatFailsToReadLeavesTheBuiltInSound) {
  files.files["E:\\s\\stop.wav"] = wavOf({40, 41, 42});
  files.readFailAt = 10;
  const SoundSet set = loadSoundSet(files, "E:\\s", builtIn);
  EXPECT_EQ((Samples{3}), samplesOf(set, SoundName::Stop));
}

}  // namespace
}  // namespace rovenza
