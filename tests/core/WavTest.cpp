#include "sound/Wav.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "WavBytes.h"

namespace rovenza {
namespace {

using test::WavShape;
using test::pcm16;
using test::wavBytes;

TEST(Wav, SixteenBitMonoAtTheMixRateIsTakenAsItIs) {
  WavShape shape;
  shape.data = pcm16({0, 1000, -1000, 32767, -32768});
  const std::vector<unsigned char> bytes = wavBytes(shape);
  Sound sound;
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ((std::vector<std::int16_t>{0, 1000, -1000, 32767, -32768}), sound.samples);
}

TEST(Wav, EightBitIsCentredAndWidened) {
  WavShape shape;
  shape.bits = 8;
  shape.data = {128, 0, 255, 192};
  const std::vector<unsigned char> bytes = wavBytes(shape);
  Sound sound;
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ((std::vector<std::int16_t>{0, -32768, 32512, 16384}), sound.samples);
}

TEST(Wav, StereoIsAveraged) {
  WavShape shape;
  shape.channels = 2;
  shape.data = pcm16({1000, 3000, -32768, -32768, 32767, -32767});
  const std::vector<unsigned char> bytes = wavBytes(shape);
  Sound sound;
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ((std::vector<std::int16_t>{2000, -32768, 0}), sound.samples);
}

TEST(Wav, OtherRatesAreConvertedToTheMixRate) {
  WavShape shape;
  shape.rate = 44100;  // twice the mix rate: every other sample
  shape.data = pcm16({0, 100, 200, 300, 400, 500, 600, 700});
  std::vector<unsigned char> bytes = wavBytes(shape);
  Sound sound;
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ((std::vector<std::int16_t>{0, 200, 400, 600}), sound.samples);

  shape.rate = 11025;  // half: a sample between each two, interpolated
  shape.data = pcm16({0, 100, 300});
  bytes = wavBytes(shape);
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ((std::vector<std::int16_t>{0, 50, 100, 200, 300, 300}), sound.samples);

  shape.rate = 8000;  // an odd ratio: the length scales with the rate
  shape.data = pcm16(std::vector<std::int16_t>(800, 7));
  bytes = wavBytes(shape);
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_EQ(2205u, sound.samples.size());
  EXPECT_EQ(std::vector<std::int16_t>(2205, 7), sound.samples);
}

TEST(Wav, OtherChunksAreSkippedAndDataMayBeEmpty) {
  WavShape shape;
  shape.data = {};
  std::vector<unsigned char> bytes = wavBytes(shape);
  // A "LIST" chunk of odd size (padded) between the header and "fmt ".
  const std::vector<unsigned char> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  bytes.insert(bytes.begin() + 12, list.begin(), list.end());
  Sound sound;
  ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound));
  EXPECT_TRUE(sound.samples.empty());
}

struct BadWavCase {
  const char* name;
  std::vector<unsigned char> bytes;
  WavResult expected;
};

// A file of four good samples with one thing about it made wrong.
struct SpecChange {
  const char* name;
  void (*change)(WavShape&);
  WavResult expected;
};

const SpecChange kSpecChanges[] = {
    {"Float", [](WavShape& s) { s.format = 3; }, WavResult::NotPcm},  // IEEE float
    {"Adpcm", [](WavShape& s) { s.format = 2; }, WavResult::NotPcm},
    {"SixChannels", [](WavShape& s) { s.channels = 6; }, WavResult::NotPcm},
    {"NoChannels", [](WavShape& s) { s.channels = 0; }, WavResult::NotPcm},
    {"TwentyFourBits", [](WavShape& s) { s.bits = 24; }, WavResult::BadFormat},
    {"RateZero", [](WavShape& s) { s.rate = 0; }, WavResult::BadFormat},
    {"RateOne", [](WavShape& s) { s.rate = 1; }, WavResult::BadFormat},
    {"RateHuge", [](WavShape& s) { s.rate = 0xFFFFFFFFu; }, WavResult::BadFormat},
    {"BlockAlignZero", [](WavShape& s) { s.blockAlign = 0; }, WavResult::BadFormat},
    {"HugeDataClaim", [](WavShape& s) { s.dataSizeClaim = 0x7FFFFFF0; }, WavResult::Truncated},
    {"AllOnesDataClaim", [](WavShape& s) { s.dataSizeClaim = 0xFFFFFFFFu; }, WavResult::Truncated},
    {"DataBeforeFormat", [](WavShape& s) { s.formatFirst = false; }, WavResult::NotWav},
    {"LongerThanKept",
     [](WavShape& s) {
       s.rate = kLowestWavRate;
       s.data = pcm16(std::vector<std::int16_t>(kLowestWavRate * (kLongestSoundSeconds + 1), 0));
     },
     WavResult::TooLong},
};

std::vector<BadWavCase> badCases() {
  WavShape shape;
  shape.data = pcm16({1, 2, 3, 4});
  std::vector<BadWavCase> cases;
  cases.push_back({"ZeroBytes", {}, WavResult::NotWav});
  cases.push_back({"NotRiff", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, WavResult::NotWav});
  cases.push_back({"HeaderOnly", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, WavResult::NotWav});
  for (const SpecChange& c : kSpecChanges) {
    WavShape changed = shape;
    c.change(changed);
    cases.push_back({c.name, wavBytes(changed), c.expected});
  }
  // Cut short inside the data: the claim is larger than what is left.
  std::vector<unsigned char> cut = wavBytes(shape);
  cut.resize(cut.size() - 3);
  cases.push_back({"CutInTheData", cut, WavResult::Truncated});
  // Cut short inside the "fmt " chunk.
  cut = wavBytes(shape);
  cut.resize(24);
  cases.push_back({"CutInTheFormat", cut, WavResult::Truncated});
  return cases;
}

class BadWav : public ::testing::TestWithParam<BadWavCase> {};

TEST_P(BadWav, IsRefusedWithNothingRead) {
  const BadWavCase& c = GetParam();
  Sound sound;
  sound.samples = {42};
  EXPECT_EQ(c.expected, readWav(c.bytes.data(), c.bytes.size(), sound));
  EXPECT_TRUE(sound.samples.empty());
  // Every shorter prefix of the file is refused too, without reading past it.
  for (std::size_t n = 0; n < c.bytes.size() && n < 64; ++n) {
    Sound prefix;
    const std::vector<unsigned char> head(c.bytes.begin(), c.bytes.begin() + static_cast<std::ptrdiff_t>(n));
    readWav(head.data(), head.size(), prefix);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadWav, ::testing::ValuesIn(badCases()),
                         [](const ::testing::TestParamInfo<BadWavCase>& info) { return std::string(info.param.name); });

TEST(Wav, ANullBufferIsNoWav) {
  Sound sound;
  EXPECT_EQ(WavResult::NotWav, readWav(nullptr, 100, sound));
}

TEST(Wav, ChoosingASoundPrefersAGoodFileAndFallsBackOnABadOne) {
  WavShape shape;
  shape.data = pcm16({5, 6});
  const std::vector<unsigned char> builtIn = wavBytes(shape);
  shape.data = pcm16({9});
  const std::vector<unsigned char> good = wavBytes(shape);
  const std::vector<unsigned char> bad = {'R', 'I', 'F', 'F'};
  EXPECT_EQ((std::vector<std::int16_t>{9}), chooseSound(&good, builtIn.data(), builtIn.size()).samples);
  EXPECT_EQ((std::vector<std::int16_t>{5, 6}), chooseSound(&bad, builtIn.data(), builtIn.size()).samples);
  EXPECT_EQ((std::vector<std::int16_t>{5, 6}), chooseSound(nullptr, builtIn.data(), builtIn.size()).samples);
}

// The built-in sounds that the program carries read as they are, short.
TEST(Wav, TheBuiltInSoundsRead) {
  for (const char* name : {"start.wav", "run.wav", "stop.wav", "click.wav"}) {
    std::ifstream in(std::string(ROVENZA_SOURCE_DIR) + "/src/resources/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Sound sound;
    ASSERT_EQ(WavResult::Ok, readWav(bytes.data(), bytes.size(), sound)) << name;
    EXPECT_GT(sound.samples.size(), 0u) << name;
    EXPECT_LT(sound.samples.size(), kMixRate) << name << ": under a second";
  }
}

}  // namespace
}  // namespace rovenza
