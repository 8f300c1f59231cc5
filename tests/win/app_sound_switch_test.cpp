// The sound's switch in the 設定 menu, kept between runs in the INI file
// beside the program, and the sounds folder beside the program.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win32/Settings.h"
#include "app/win32/SoundSwitch.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign_test_support.h"
#include "sound/win32/SoundPlayer.h"
#include "sound_test_support.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"
#include "switch_test_support.h"

namespace rovenza {
namespace {

class SoundSwitch : public test::SwitchFileTest {
 protected:
  SoundSwitch() : SwitchFileTest(soundSwitchFile(), kCmdSound, "Sound") {}
};

TEST_F(SoundSwitch, OnAtFirstAndKeptAcrossRunsWhenTurnedOff) {
  ASSERT_FALSE(file.empty());
  EXPECT_NE(std::string::npos, file.find("-sound.ini")) << file;
  const bool settingsBefore = test::fileExists(settingsPath());
  start();
  EXPECT_TRUE(itemState() & MF_CHECKED);
  EXPECT_TRUE(soundEnabled());
  EXPECT_FALSE(test::fileExists(file)) << "nothing is written until the switch is used";

  choose();
  EXPECT_FALSE(itemState() & MF_CHECKED);
  EXPECT_FALSE(soundEnabled());
  EXPECT_FALSE(soundPlaying());
  EXPECT_EQ(0, kept("Play"));
  EXPECT_EQ(settingsBefore, test::fileExists(settingsPath())) << "the settings file is another one";

  session.reset();
  start();
  EXPECT_FALSE(itemState() & MF_CHECKED) << "off again in the next run";
  EXPECT_FALSE(soundEnabled());

  choose();
  EXPECT_TRUE(itemState() & MF_CHECKED);
  EXPECT_TRUE(soundEnabled());
  EXPECT_EQ(1, kept("Play"));
  session.reset();
  start();
  EXPECT_TRUE(itemState() & MF_CHECKED);
}

// A folder "sounds" beside the program: a good file in it replaces its sound,
// a bad one leaves the built-in sound.
TEST_F(SoundSwitch, TheSoundsFolderBesideTheProgramReplacesSounds) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string folder(program);
  folder = folder.substr(0, folder.find_last_of('\\')) + "\\sounds";
  // A folder left by another run would be someone else's: this test makes its own.
  ASSERT_FALSE(test::fileExists(folder)) << folder;
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  test::writeConstantWav(folder + "\\click.wav", 1234, 300);
  test::writeText(folder + "\\stop.wav", "RIFF....WAVEfmt bad");
  start();
  DeleteFileA((folder + "\\click.wav").c_str());
  DeleteFileA((folder + "\\stop.wav").c_str());
  RemoveDirectoryA(folder.c_str());

  const std::shared_ptr<test::HeardSound> heard = test::listenToSound();
  ASSERT_TRUE(test::pumpUntil([] { return soundPlaying(); }));
  test::TempFolder frames;
  test::writeBmp(frames.file("a.bmp"), 20, 30, RGB(0, 0, 0));
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[0].picturePath = frames.path();
  rollSign(0);
  auto ended = [] {
    const std::vector<MixerEvent> events = soundEvents();
    return !events.empty() && events.back().change == VoiceChange::End;
  };
  ASSERT_TRUE(test::pumpUntil(ended));
  const std::vector<MixerEvent> events = soundEvents();
  ASSERT_EQ(2u, events.size());
  EXPECT_EQ(300u, events[1].sample - events[0].sample);
  EXPECT_EQ(std::vector<std::int16_t>(300, 1234), heard->range(events[0].sample, events[1].sample));
}

}  // namespace
}  // namespace rovenza
