// The sign's sounds as a user hears them: a roll's motor starts with its
// first step, runs through the pauses and stops with its last; two signs mix;
// "強" cuts; an LED sign clicks. Heard through a paced output with sounds of
// constant samples, so that every sample tells which sounds made it.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/RollPlan.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sound/Wav.h"
#include "sound/win32/SoundPlayer.h"
#include "sign_test_support.h"
#include "sound_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;

constexpr int kFrameHeight = 57;  // the clip windows' client height at start

// The test sounds: constant samples, each a power of ten, so any sum of two
// names its parts.
constexpr std::int16_t kStartLevel = 10;
constexpr std::int16_t kRunLevel = 100;
constexpr std::int16_t kStopLevel = 1000;
constexpr std::int16_t kClickLevel = 10000;
constexpr std::size_t kStartLength = 2205;  // 100 ms
constexpr std::size_t kRunLength = 441;     // 20 ms, looped
constexpr std::size_t kStopLength = 1103;   // 50 ms
constexpr std::size_t kClickLength = 221;   // 10 ms

std::vector<MixerEvent> eventsOf(int sign) {
  std::vector<MixerEvent> mine;
  for (const MixerEvent& event : soundEvents()) {
    if (event.sign == sign) mine.push_back(event);
  }
  return mine;
}

std::vector<VoiceChange> changesOf(int sign) {
  std::vector<VoiceChange> changes;
  for (const MixerEvent& event : eventsOf(sign)) changes.push_back(event.change);
  return changes;
}

bool lastChangeIs(int sign, VoiceChange change) {
  const std::vector<MixerEvent> events = eventsOf(sign);
  return !events.empty() && events.back().change == change;
}

class SoundRoll : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    panel = app.panelWindow;
    for (int sign = 0; sign < 2; ++sign) {
      app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::RollFilm);
      app.layout.signs[sign].picturePath = test::sourcePath("demo/strip.bmp");
      showStripPicture(sign);
      ASSERT_EQ(kFrameHeight, clipOf(sign).height());
    }
    test::writeConstantWav(sounds.file("start.wav"), kStartLevel, kStartLength);
    test::writeConstantWav(sounds.file("run.wav"), kRunLevel, kRunLength);
    test::writeConstantWav(sounds.file("stop.wav"), kStopLevel, kStopLength);
    test::writeConstantWav(sounds.file("click.wav"), kClickLevel, kClickLength);
    loadSounds(sounds.path());
    heard = test::listenToSound();
    ASSERT_TRUE(test::pumpUntil([] { return soundPlaying(); }));
  }
  void TearDown() override {
    for (int sign = 0; sign < 2; ++sign) stopRoll(sign);
  }

  // Clicks a key as a user would: only an enabled key on an enabled panel.
  void click(int id) {
    HWND key = GetDlgItem(panel, id);
    ASSERT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(key)) << "key " << id << " is disabled";
    SendMessageA(key, BM_CLICK, 0, 0);
  }
  void setUp(int sign, const char* frame, const char* speed, const char* interval) {
    test::setPanelText(kPanelGroups[sign].numberDisplay, frame);
    test::setPanelText(kPanelGroups[sign].speedEdit, speed);
    test::setPanelText(kPanelGroups[sign].intervalEdit, interval);
  }
  // Pumps until the sign's roll has ended and its sound has run out.
  ::testing::AssertionResult waitQuiet(int sign) {
    if (test::pumpWhileRolling([&] { return !isRollRunning(sign) && lastChangeIs(sign, VoiceChange::End); }, 30000)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "sign " << sign << " not quiet";
  }

  // The one roll of `sign` heard: start at step 1, loop, stop at the last
  // step, end; each sound whole, the loop unbroken from start to stop.
  void expectWholeRoll(int sign, std::int64_t steps) {
    const std::vector<MixerEvent> events = eventsOf(sign);
    ASSERT_EQ((std::vector<VoiceChange>{VoiceChange::Start, VoiceChange::Loop, VoiceChange::Stop, VoiceChange::End}),
              changesOf(sign));
    const MixerEvent& start = events[0];
    const MixerEvent& loop = events[1];
    const MixerEvent& stop = events[2];
    const MixerEvent& end = events[3];
    EXPECT_EQ(1, start.step);
    EXPECT_EQ(steps, stop.step);
    EXPECT_EQ(kStartLength, loop.sample - start.sample);
    EXPECT_EQ(kStopLength, end.sample - stop.sample);
    for (std::uint64_t s = start.sample; s < end.sample; ++s) {
      const std::int16_t expected = s < loop.sample ? kStartLevel : s < stop.sample ? kRunLevel : kStopLevel;
      if (heard->at(s) != expected) {
        ADD_FAILURE() << "sign " << sign << " sample " << s << ": " << heard->at(s) << ", expected " << expected;
        return;
      }
    }
  }

  ProgramSession session;
  HWND panel = nullptr;
  test::TempFolder sounds;
  std::shared_ptr<test::HeardSound> heard;
};

TEST_F(SoundRoll, TheMotorRunsFromTheFirstStepThroughThePausesToTheLast) {
  // Two frames, a 150 ms pause at the boundary: the loop keeps running there.
  setUp(0, "2", "1", "150");
  click(kPanelStart1);
  ASSERT_TRUE(waitQuiet(0));
  expectWholeRoll(0, 2 * kFrameHeight);
  const std::vector<MixerEvent> events = eventsOf(0);
  EXPECT_LT(events[0].askedAt, events[2].askedAt) << "asked for in step order";
  EXPECT_TRUE(changesOf(1).empty()) << "the 2nd sign stays silent";
}

TEST_F(SoundRoll, TwoSignsRollingAtOnceMix) {
  // The 2nd sign lands while the 1st still runs; both loops run together
  // before that.
  setUp(0, "3", "1", "150");
  setUp(1, "2", "1", "150");
  click(kPanelStart1);
  click(kPanelStart2);
  ASSERT_TRUE(waitQuiet(1));
  ASSERT_TRUE(waitQuiet(0));
  const std::vector<MixerEvent> first = eventsOf(0);
  const std::vector<MixerEvent> second = eventsOf(1);
  ASSERT_EQ(4u, first.size());
  ASSERT_EQ(4u, second.size());
  EXPECT_EQ(1, first[0].step);
  EXPECT_EQ(1, second[0].step);
  EXPECT_EQ(3 * kFrameHeight, first[2].step);
  EXPECT_EQ(2 * kFrameHeight, second[2].step);
  // Both ran together: the heard sum holds both loops at once, and the 2nd
  // sign's stop over the 1st sign's loop.
  bool bothLooping = false;
  bool stopOverLoop = false;
  for (std::uint64_t s = first[0].sample; s < first[3].sample; ++s) {
    bothLooping = bothLooping || heard->at(s) == kRunLevel + kRunLevel;
    stopOverLoop = stopOverLoop || heard->at(s) == kStopLevel + kRunLevel;
  }
  EXPECT_TRUE(bothLooping);
  EXPECT_TRUE(stopOverLoop);
}

TEST_F(SoundRoll, ResetCutsTheMotorWithNoStopSound) {
  setUp(0, "9", "5", "300");
  click(kPanelStart1);
  ASSERT_TRUE(test::pumpWhileRolling([] { return lastChangeIs(0, VoiceChange::Loop); }));
  ASSERT_TRUE(isRollRunning(0));
  click(kPanelReset1);  // "強"
  EXPECT_EQ((std::vector<VoiceChange>{VoiceChange::Start, VoiceChange::Loop, VoiceChange::Cut}), changesOf(0));
  const MixerEvent cut = eventsOf(0).back();
  EXPECT_EQ(0, app.signStates[0].stripOffset);
  // The loop sounds up to the cut, and nothing after it (the stream stops
  // once all is silent, after at most the block it was mixing).
  ASSERT_TRUE(test::pumpUntil([&] { return heard->endClock() >= cut.sample; }));
  EXPECT_EQ(kRunLevel, heard->at(cut.sample - 1));
  const std::vector<std::int16_t> after = heard->range(cut.sample, heard->endClock());
  EXPECT_EQ(std::vector<std::int16_t>(after.size(), 0), after);
  EXPECT_LE(after.size(), kSoundBlockSamples);
  EXPECT_EQ((std::vector<VoiceChange>{VoiceChange::Start, VoiceChange::Loop, VoiceChange::Cut}), changesOf(0));
}

TEST_F(SoundRoll, AnLedSignClicksWhenItsFrameChanges) {
  test::TempFolder frames;
  for (int n = 0; n < 3; ++n) test::writeBmp(frames.file("f" + std::to_string(n) + ".bmp"), 20, 30, RGB(0, 0, 60 * n));
  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[1].picturePath = frames.path();
  test::setPanelText(kPanelGroups[1].numberDisplay, "2");
  click(kPanelStart2);
  ASSERT_TRUE(test::pumpUntil([] { return lastChangeIs(1, VoiceChange::End); }));
  const std::vector<MixerEvent> events = eventsOf(1);
  ASSERT_EQ((std::vector<VoiceChange>{VoiceChange::Click, VoiceChange::End}), changesOf(1));
  EXPECT_EQ(kClickLength, events[1].sample - events[0].sample);
  EXPECT_EQ(std::vector<std::int16_t>(kClickLength, kClickLevel), heard->range(events[0].sample, events[1].sample));
}

TEST_F(SoundRoll, AnAnimatedLedFrameClicksWhenShownNotAtEachPicture) {
  test::TempFolder frames;
  test::GifPlan plan{20, 30, {0xFF0000, 0x00FF00}, -1, {}};  // played once, 4 pictures of 20 ms
  for (int n = 0; n < 4; ++n) plan.pictures.push_back(test::filledPicture(0, 0, 20, 30, n % 2, 2));
  test::writeFile(frames.file("f0.gif"), test::writeGif(plan));
  app.layout.signs[1].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[1].picturePath = frames.path();
  test::setPanelText(kPanelGroups[1].numberDisplay, "0");
  click(kPanelStart2);
  ASSERT_TRUE(isLedAnimationPlaying(1));
  ASSERT_TRUE(test::pumpUntil([] { return !isLedAnimationPlaying(1) && lastChangeIs(1, VoiceChange::End); }));
  EXPECT_EQ(RGB(0, 255, 0), test::clipPixel(1, 5, 5)) << "the last picture stays";
  EXPECT_EQ((std::vector<VoiceChange>{VoiceChange::Click, VoiceChange::End}), changesOf(1));
}

TEST_F(SoundRoll, SwitchedOffNothingIsAskedFor) {
  SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdSound, 0), 0);
  ASSERT_FALSE(soundEnabled());
  EXPECT_FALSE(soundPlaying());
  setUp(0, "1", "0", "0");
  click(kPanelStart1);
  ASSERT_TRUE(test::pumpWhileRolling([] { return !isRollRunning(0); }));
  EXPECT_TRUE(eventsOf(0).empty());
  SendMessageA(session.main(), WM_COMMAND, MAKEWPARAM(kCmdSound, 0), 0);  // and back on, as it was
  EXPECT_TRUE(soundEnabled());
}

// Switching the sound off and on while both signs roll: a roll thread asks
// for sounds while the stream stops and starts again. No request may signal
// an event the stop has closed (a new roll's cancel event could get its
// handle and stop that roll short), and none may crash.
TEST_F(SoundRoll, SwitchingOffAndOnWhileBothSignsRollStopsNoRoll) {
  int rolls[2] = {0, 0};
  std::int16_t next[2] = {1, 1};
  const auto keepRolling = [&](int sign) {
    if (isRollRunning(sign)) return;
    // A roll thread that has ended without its end reaching this thread was
    // stopped short: its frame is not the one it went to.
    ASSERT_EQ(app.signStates[sign].targetFrame, app.signStates[sign].currentFrame) << "sign " << sign << " roll "
                                                                                  << rolls[sign];
    startRoll(RollRequest{sign, next[sign], 1, 0});
    ASSERT_TRUE(isRollRunning(sign) || app.signStates[sign].rollThread.valid());
    next[sign] = static_cast<std::int16_t>(next[sign] == 1 ? 0 : 1);
    ++rolls[sign];
  };
  for (int i = 0; i < 200; ++i) {
    for (int sign = 0; sign < 2; ++sign) keepRolling(sign);
    setSoundEnabled(false);
    EXPECT_FALSE(soundPlaying());
    test::pumpPending();
    setSoundEnabled(true);
    test::pumpPending();
  }
  ASSERT_TRUE(test::pumpWhileRolling([] { return !isRollRunning(0) && !isRollRunning(1); }, 30000));
  for (int sign = 0; sign < 2; ++sign) {
    EXPECT_EQ(app.signStates[sign].targetFrame, app.signStates[sign].currentFrame) << "sign " << sign;
    EXPECT_GE(rolls[sign], 2) << "sign " << sign << " rolled while the switch was used";
  }
  // The stream that stands at the end plays, and a roll is heard through it.
  ASSERT_TRUE(test::pumpUntil([] { return soundPlaying(); }));
  // (The last roll's stop may still be sounding: its end can come after this.)
  const std::size_t heardBefore = eventsOf(0).size();
  const auto heardWholeRoll = [&] {
    const std::vector<VoiceChange> changes = changesOf(0);
    const auto from = changes.begin() + static_cast<std::ptrdiff_t>(std::min(heardBefore, changes.size()));
    const auto start = std::find(from, changes.end(), VoiceChange::Start);
    return start != changes.end() && std::find(start, changes.end(), VoiceChange::End) != changes.end();
  };
  setUp(0, app.signStates[0].currentFrame == 1 ? "0" : "1", "0", "0");
  click(kPanelStart1);
  EXPECT_TRUE(test::pumpWhileRolling([&] { return !isRollRunning(0) && heardWholeRoll(); }, 30000));
}

}  // namespace
}  // namespace rovenza
