// MIDI slots and the music performance, heard through the sound device's mix.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sound/dmusic.h"
#include "sound/dsound.h"

namespace {

class DMusic : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plat::set_audio_output_enabled(false);
    home_ = std::filesystem::current_path().string();
    phrase_ = home_ + "/Test_Phrase.mid";
  }
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(phrase_)) << "the sound generator writes it";
    DSound_Reset_Module();
    ASSERT_EQ(DSound_Init(), 1);
    ASSERT_EQ(DMusic_Init(), 1);
  }
  void TearDown() override {
    DMusic_Shutdown();
    DSound_Shutdown();
    std::filesystem::current_path(home_);
  }

  // Loudness of the next `seconds` of the mix.
  double rms(double seconds) {
    const int frames = static_cast<int>(seconds * plat::kMixRate);
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    plat::mix_render(lpds, out.data(), frames);
    double sum = 0;
    for (float v : out) sum += static_cast<double>(v) * v;
    return std::sqrt(sum / static_cast<double>(out.size()));
  }

  static std::string home_;
  static std::string phrase_;
};
std::string DMusic::home_;
std::string DMusic::phrase_;

TEST_F(DMusic, PlayedFileSoundsAndEndsByItself) {
  const int id = DMusic_Load_MIDI("Test_Phrase.mid");
  ASSERT_EQ(id, 0);
  EXPECT_EQ(dm_midi[id].state, MIDI_SLOT_LOADED);
  EXPECT_LT(rms(0.1), 1e-6);  // nothing plays before the play
  ASSERT_EQ(DMusic_Play(id), 1);
  EXPECT_NE(dm_midi[id].segment_state, nullptr);
  EXPECT_GT(rms(0.4), 0.005);
  EXPECT_EQ(DMusic_Status_MIDI(id), MIDI_SLOT_PLAYING);
  rms(1.2);  // the phrase lasts 1.45 seconds
  EXPECT_EQ(DMusic_Status_MIDI(id), MIDI_SLOT_STOPPED);
  EXPECT_EQ(dm_midi[id].state, MIDI_SLOT_STOPPED);
}

TEST_F(DMusic, StopSilencesAtOnce) {
  const int id = DMusic_Load_MIDI("Test_Phrase.mid");
  DMusic_Play(id);
  const double playing = rms(0.2);
  ASSERT_EQ(DMusic_Stop(id), 1);
  rms(0.01);
  EXPECT_LT(rms(0.1), playing / 20);
  EXPECT_EQ(DMusic_Status_MIDI(id), MIDI_SLOT_STOPPED);
}

TEST_F(DMusic, SlotStateMachine) {
  const int a = DMusic_Load_MIDI(phrase_.c_str());
  const int b = DMusic_Load_MIDI(phrase_.c_str());
  ASSERT_EQ(a, 0);
  ASSERT_EQ(b, 1);
  EXPECT_EQ(DMusic_Status_MIDI(a), MIDI_SLOT_STOPPED);  // loaded, never played: asked, not playing
  EXPECT_EQ(dm_midi[a].state, MIDI_SLOT_STOPPED);

  DMusic_Play(a);
  EXPECT_EQ(dm_active_id, a);
  DMusic_Play(b);  // the active slot is stopped first
  EXPECT_EQ(dm_midi[a].state, MIDI_SLOT_STOPPED);
  EXPECT_EQ(dm_midi[b].state, MIDI_SLOT_PLAYING);
  EXPECT_EQ(dm_active_id, b);

  // A stop of an empty slot changes nothing.
  EXPECT_EQ(DMusic_Stop(5), 0);
  EXPECT_EQ(dm_active_id, b);
  EXPECT_EQ(dm_midi[5].state, MIDI_SLOT_EMPTY);

  // A stop of a slot that is not the active one still clears the active id;
  // the playing slot keeps its state until the performance is asked.
  DMusic_Stop(a);
  EXPECT_EQ(dm_active_id, -1);
  EXPECT_EQ(dm_midi[b].state, MIDI_SLOT_PLAYING);
  EXPECT_EQ(DMusic_Status_MIDI(b), MIDI_SLOT_PLAYING);

  // Deleting the active slot leaves the active id naming it.
  DMusic_Play(b);
  EXPECT_EQ(DMusic_Delete_MIDI(b), 1);
  EXPECT_EQ(dm_midi[b].state, MIDI_SLOT_EMPTY);
  EXPECT_EQ(dm_active_id, b);
  EXPECT_EQ(DMusic_Status_MIDI(b), 0);
  EXPECT_EQ(DMusic_Play(a), 1);
  EXPECT_EQ(dm_active_id, a);
  EXPECT_EQ(DMusic_Load_MIDI(phrase_.c_str()), b);
}

TEST_F(DMusic, EmptySlotsAndIdsOutsideTheTableAnswerZero) {
  for (int id : {0, 63, -1, 64, 1000}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(DMusic_Play(id), 0);
    EXPECT_EQ(DMusic_Stop(id), 0);
    EXPECT_EQ(DMusic_Status_MIDI(id), 0);
    EXPECT_EQ(DMusic_Delete_MIDI(id), 1);
  }
  EXPECT_EQ(dm_active_id, -1);
}

TEST_F(DMusic, SixtyFourSegmentsFillTheTable) {
  for (int i = 0; i < DM_NUM_SEGMENTS; ++i) ASSERT_EQ(DMusic_Load_MIDI(phrase_.c_str()), i);
  EXPECT_EQ(DMusic_Load_MIDI(phrase_.c_str()), -1);
  EXPECT_EQ(DMusic_Delete_All_MIDI(), 1);
  EXPECT_EQ(DMusic_Load_MIDI(phrase_.c_str()), 0);
}

TEST_F(DMusic, RelativeNamesFollowTheCurrentDirectory) {
  char pattern[] = "/tmp/thalryn_dmusic_XXXXXX";
  const std::string other = mkdtemp(pattern);
  std::filesystem::copy_file(phrase_, other + "/elsewhere.mid");
  EXPECT_EQ(DMusic_Load_MIDI("elsewhere.mid"), -1);
  std::filesystem::current_path(other);
  EXPECT_EQ(DMusic_Load_MIDI("elsewhere.mid"), 0);
  EXPECT_EQ(DMusic_Load_MIDI("Test_Phrase.mid"), -1);
  std::filesystem::current_path(home_);
  EXPECT_EQ(DMusic_Load_MIDI("Test_Phrase.mid"), 1);
  std::filesystem::remove_all(other);
}

TEST_F(DMusic, LoadRefusesFilesThatAreNotMidi) {
  EXPECT_EQ(DMusic_Load_MIDI("CROSS_OR_CROWN.wav"), -1);
  EXPECT_EQ(DMusic_Load_MIDI("no_such_file.mid"), -1);
  EXPECT_EQ(DMusic_Load_MIDI(std::string(300, 'x').c_str()), -1);
  EXPECT_EQ(DMusic_Load_MIDI(nullptr), -1);
  EXPECT_EQ(dm_midi[0].state, MIDI_SLOT_EMPTY);
}

TEST_F(DMusic, FailedInitReleasesOnlyWhatItMade) {
  DMusic_Shutdown();
  plat::SoundDevice* device = lpds;
  lpds = nullptr;  // no sound device to play through
  EXPECT_EQ(DMusic_Init(), 0);
  lpds = device;
  EXPECT_NE(dm_perf, nullptr);
  EXPECT_EQ(dm_loader, nullptr);
  EXPECT_EQ(DMusic_Load_MIDI(phrase_.c_str()), -1);
  EXPECT_EQ(DMusic_Shutdown(), 1);
  EXPECT_EQ(dm_perf, nullptr);
}

// The sound module may go first, as the game's shut-down has it.
TEST_F(DMusic, ShutdownAfterTheSoundDeviceIsGone) {
  DMusic_Play(DMusic_Load_MIDI(phrase_.c_str()));
  rms(0.05);
  DSound_Shutdown();
  EXPECT_EQ(DMusic_Delete_All_MIDI(), 1);
  EXPECT_EQ(DMusic_Shutdown(), 1);
}

}  // namespace
