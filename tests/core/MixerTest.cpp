#include "sound/Mixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace rovenza {
namespace {

using Samples = std::vector<std::int16_t>;

Sound sound(Samples samples) { return Sound{std::move(samples)}; }

// Sounds whose samples tell them apart at a glance.
SoundSet plainSounds() {
  SoundSet set;
  set[SoundName::Start] = sound({10, 11, 12});
  set[SoundName::Run] = sound({20, 21});
  set[SoundName::Stop] = sound({30, 31, 32, 33});
  set[SoundName::Click] = sound({40, 41});
  return set;
}

Samples mixed(Mixer& mixer, std::size_t count) {
  Samples out(count, -1);
  mixer.mix(out.data(), count);
  return out;
}

TEST(Mixer, SilentUntilAskedAndTheClockCountsSamples) {
  Mixer mixer(plainSounds());
  EXPECT_EQ(Samples(5, 0), mixed(mixer, 5));
  EXPECT_EQ(5u, mixer.clock());
  EXPECT_TRUE(mixer.silent());
  EXPECT_TRUE(mixer.events().empty());
}

TEST(Mixer, ARollStartsLoopsAndStopsAtTheLandingSample) {
  Mixer mixer(plainSounds());
  mixed(mixer, 2);
  mixer.rollStepped(0, 1, 100);
  EXPECT_EQ((Samples{10, 11, 12, 20, 21, 20, 21}), mixed(mixer, 7));
  for (std::int64_t step = 2; step < 100; ++step) mixer.rollStepped(0, step, 100);  // nothing changes
  EXPECT_EQ((Samples{20}), mixed(mixer, 1));
  mixer.rollStepped(0, 100, 100);  // lands: the loop is cut where it stands
  EXPECT_EQ((Samples{30, 31, 32, 33, 0, 0}), mixed(mixer, 6));
  EXPECT_TRUE(mixer.silent());

  const std::vector<MixerEvent>& events = mixer.events();
  ASSERT_EQ(4u, events.size());
  EXPECT_EQ(VoiceChange::Start, events[0].change);
  EXPECT_EQ(2u, events[0].sample);
  EXPECT_EQ(1, events[0].step);
  EXPECT_EQ(VoiceChange::Loop, events[1].change);
  EXPECT_EQ(5u, events[1].sample);
  EXPECT_EQ(VoiceChange::Stop, events[2].change);
  EXPECT_EQ(10u, events[2].sample);
  EXPECT_EQ(100, events[2].step);
  EXPECT_EQ(VoiceChange::End, events[3].change);
  EXPECT_EQ(14u, events[3].sample);
}

TEST(Mixer, ALandingDuringTheStartCutsItShort) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(1, 1, 2);
  EXPECT_EQ((Samples{10}), mixed(mixer, 1));
  mixer.rollStepped(1, 2, 2);
  EXPECT_EQ((Samples{30, 31, 32, 33, 0}), mixed(mixer, 5));
}

TEST(Mixer, ARollOfOneStepPlaysOnlyTheStop) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 1);
  EXPECT_EQ((Samples{30, 31, 32, 33, 0}), mixed(mixer, 5));
}

TEST(Mixer, ACutSilencesAtOnceWithNoStopSound) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 50);
  EXPECT_EQ((Samples{10, 11, 12, 20}), mixed(mixer, 4));
  mixer.cut(0);
  EXPECT_EQ(Samples(6, 0), mixed(mixer, 6));
  EXPECT_TRUE(mixer.silent());
  ASSERT_EQ(VoiceChange::Cut, mixer.events().back().change);
  EXPECT_EQ(4u, mixer.events().back().sample);
  // A cut of a silent voice changes nothing and logs nothing.
  const std::size_t logged = mixer.events().size();
  mixer.cut(0);
  mixer.cut(1);
  EXPECT_EQ(logged, mixer.events().size());
}

TEST(Mixer, ACutAlsoEndsAStopSound) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 1);
  EXPECT_EQ((Samples{30}), mixed(mixer, 1));
  mixer.cut(0);
  EXPECT_EQ((Samples{0, 0}), mixed(mixer, 2));
}

TEST(Mixer, TwoSignsMixSampleBySample) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 10);
  EXPECT_EQ((Samples{10, 11}), mixed(mixer, 2));
  mixer.rollStepped(1, 1, 10);  // the 2nd sign starts two samples later
  EXPECT_EQ((Samples{12 + 10, 20 + 11, 21 + 12, 20 + 20, 21 + 21}), mixed(mixer, 5));
  mixer.rollStepped(0, 10, 10);
  EXPECT_EQ((Samples{30 + 20, 31 + 21, 32 + 20, 33 + 21, 0 + 20}), mixed(mixer, 5));
}

TEST(Mixer, TheSumIsClippedToSixteenBits) {
  SoundSet set;
  set[SoundName::Start] = sound({30000, -30000, 20000, 32767});
  set[SoundName::Run] = sound({0});
  Mixer mixer(set);
  mixer.rollStepped(0, 1, 9);
  mixer.rollStepped(1, 1, 9);
  EXPECT_EQ((Samples{32767, -32768, 32767, 32767, 0}), mixed(mixer, 5));
  EXPECT_EQ(32767, clipSample(40000));
  EXPECT_EQ(-32768, clipSample(-40000));
  EXPECT_EQ(-5, clipSample(-5));
}

TEST(Mixer, AClickPlaysOnceAndTheOtherSignGoesOn) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 5);
  mixer.click(1);
  EXPECT_EQ((Samples{50, 52, 12, 20, 21}), mixed(mixer, 5));
  EXPECT_EQ(VoiceChange::Click, mixer.events()[1].change);
  EXPECT_EQ(1, mixer.events()[1].sign);
}

TEST(Mixer, EmptySoundsAndBadRequestsAreHarmless) {
  Mixer mixer;  // no sounds at all
  mixer.rollStepped(0, 1, 3);
  EXPECT_EQ(Samples(3, 0), mixed(mixer, 3));
  mixer.rollStepped(0, 3, 3);
  mixer.click(1);
  EXPECT_EQ(Samples(3, 0), mixed(mixer, 3));
  EXPECT_TRUE(mixer.silent());
  const std::size_t logged = mixer.events().size();
  for (int sign : {-1, kVoiceCount, 1000}) {
    mixer.rollStepped(sign, 1, 3);
    mixer.cut(sign);
    mixer.click(sign);
  }
  mixer.rollStepped(0, 0, 3);
  mixer.rollStepped(0, 4, 3);
  EXPECT_EQ(logged, mixer.events().size());
}

TEST(Mixer, NewSoundsSilenceEveryVoice) {
  Mixer mixer(plainSounds());
  mixer.rollStepped(0, 1, 5);
  mixed(mixer, 1);
  mixer.setSounds(plainSounds());
  EXPECT_TRUE(mixer.silent());
  EXPECT_EQ(Samples(2, 0), mixed(mixer, 2));
}

TEST(Mixer, TheLogKeepsOnlyTheLatestChanges) {
  Mixer mixer(plainSounds());
  for (std::size_t i = 0; i < Mixer::kEventsKept + 10; ++i) mixer.click(0);
  EXPECT_LE(mixer.events().size(), Mixer::kEventsKept);
  EXPECT_GT(mixer.events().size(), Mixer::kEventsKept / 2);
}

}  // namespace
}  // namespace rovenza
