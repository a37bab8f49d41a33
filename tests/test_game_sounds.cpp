// The game's six sounds: their start-up and release, the generated files,
// and the music really reaching the output of the running game.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "game/game_sounds.h"
#include "sound/dmusic.h"
#include "sound/dsound.h"

extern char** environ;

namespace {

struct Wav {
  bool ok = false;
  uint16_t tag = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  std::vector<int16_t> samples;  // interleaved
  double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

std::vector<uint8_t> slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Reads the simple layout the game's files must have: RIFF, WAVE, the format
// chunk first, then the data chunk.
Wav read_wav(const std::string& path) {
  const std::vector<uint8_t> b = slurp(path);
  Wav w;
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt ") {
    return w;
  }
  const size_t fmt_size = le(b, 16, 4);
  w.tag = static_cast<uint16_t>(le(b, 20, 2));
  w.channels = static_cast<uint16_t>(le(b, 22, 2));
  w.rate = le(b, 24, 4);
  w.bits = static_cast<uint16_t>(le(b, 34, 2));
  const size_t data = 20 + fmt_size;
  if (std::string(b.begin() + static_cast<long>(data), b.begin() + static_cast<long>(data) + 4) !=
      "data") {
    return w;
  }
  const size_t bytes = std::min<size_t>(le(b, data + 4, 4), b.size() - data - 8);
  w.samples.resize(bytes / 2);
  for (size_t i = 0; i < w.samples.size(); ++i) {
    w.samples[i] = static_cast<int16_t>(le(b, data + 8 + 2 * i, 2));
  }
  w.ok = true;
  return w;
}

const char* const kFiles[] = {"Combat_Skirmish.wav",   "Combat_BattleWon.wav",
                              "Combat_BattleLost.wav", "Unit_ArmyMove.wav",
                              "Unit_ArmySelected.wav", "CROSS_OR_CROWN.wav"};

class GameSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::set_audio_output_enabled(false);
    DSound_Reset_Module();
  }
  void TearDown() override { DSound_Reset_Module(); }
};

TEST_F(GameSounds, StartUpLoadsTheSixSoundsInOrder) {
  Game_Sounds_Init();
  const int ids[] = {battle_sound, victory_sound, defeat_sound, move_sound, defend_sound, music};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(kFiles[i]);
    EXPECT_EQ(ids[i], i);
    ASSERT_NE(sound_fx[i].sound_buffer, nullptr);
    const plat::SoundBufferInfo info = plat::buffer_info(sound_fx[i].sound_buffer);
    EXPECT_EQ(info.caps, 224u | plat::DSBCAPS_STATIC | plat::DSBCAPS_LOCSOFTWARE);
    const Wav wav = read_wav(kFiles[i]);
    EXPECT_EQ(info.format.samples_per_sec, wav.rate);
    EXPECT_EQ(info.format.channels, wav.channels);
  }
  EXPECT_NE(dm_perf, nullptr);
  EXPECT_NE(dm_loader, nullptr);
  EXPECT_EQ(DSound_Play(music, 1, 0, 0, 0), 1);
  EXPECT_EQ(DSound_Status_Sound(music), 5);

  Game_Sounds_Shutdown();
  EXPECT_EQ(lpds, nullptr);
  EXPECT_EQ(dm_perf, nullptr);
  EXPECT_EQ(dm_loader, nullptr);
  for (const pcm_sound_typ& s : sound_fx) ASSERT_EQ(s.sound_buffer, nullptr);
}

TEST_F(GameSounds, MissingFilesLeaveMinusOneAndStaySilent) {
  const auto home = std::filesystem::current_path();
  char pattern[] = "/tmp/thalryn_nosounds_XXXXXX";
  std::filesystem::current_path(mkdtemp(pattern));
  Game_Sounds_Init();
  for (int id : {battle_sound, victory_sound, defeat_sound, move_sound, defend_sound, music}) {
    EXPECT_EQ(id, -1);
  }
  EXPECT_EQ(DSound_Play(music, 1, 0, 0, 0), 1);
  EXPECT_EQ(DSound_Stop_Sound(music), 1);
  Game_Sounds_Shutdown();
  const auto empty = std::filesystem::current_path();
  std::filesystem::current_path(home);
  std::filesystem::remove_all(empty);
}

// No audio device at all: the sounds load and "play" in silence.
TEST_F(GameSounds, WithoutAnAudioDeviceEverythingStillWorks) {
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  plat::set_audio_output_enabled(true);
  Game_Sounds_Init();
  EXPECT_EQ(music, 5);
  EXPECT_EQ(DSound_Play(music, 1, 0, 0, 0), 1);
  EXPECT_EQ(DSound_Play(battle_sound, 0, 0, 0, 0), 1);
  EXPECT_FALSE(plat::sound_device_has_output(lpds));
  Game_Sounds_Shutdown();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(SoundFiles, AreFinishedPcmFiles) {
  struct Expect {
    const char* name;
    double min_seconds, max_seconds;
  };
  const Expect expects[] = {
      {"Combat_Skirmish.wav", 0.5, 3},   {"Combat_BattleWon.wav", 1.5, 6},
      {"Combat_BattleLost.wav", 2, 8},   {"Unit_ArmyMove.wav", 0.5, 3},
      {"Unit_ArmySelected.wav", 0.2, 2}, {"CROSS_OR_CROWN.wav", 45, 120},
  };
  for (const Expect& e : expects) {
    SCOPED_TRACE(e.name);
    const Wav w = read_wav(e.name);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.tag, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_GE(w.seconds(), e.min_seconds);
    EXPECT_LE(w.seconds(), e.max_seconds);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    // Heard clearly, and never cut flat at full scale.
    EXPECT_GT(peak, 32768 * 0.3);
    EXPECT_LT(peak, 32768 * 0.95);
  }
}

// Played in a loop the music has no gap and no click: every quarter second,
// the seam included, is sound, and the step from the last sample to the first
// is no larger than the ordinary steps inside the piece.
TEST(SoundFiles, MusicLoopsWithoutGapOrClick) {
  const Wav w = read_wav("CROSS_OR_CROWN.wav");
  ASSERT_TRUE(w.ok);
  const size_t ch = w.channels;
  const size_t frames = w.samples.size() / ch;
  const size_t window = w.rate / 4;
  for (size_t start = 0; start < frames; start += window / 2) {
    double sum = 0;
    for (size_t i = 0; i < window; ++i) {
      const double v = w.samples[((start + i) % frames) * ch] / 32768.0;
      sum += v * v;
    }
    ASSERT_GT(std::sqrt(sum / window), 0.01) << "quiet at " << start / double(w.rate) << " s";
  }
  for (size_t c = 0; c < ch; ++c) {
    std::vector<int> steps;
    for (size_t i = 1; i < frames; ++i) {
      steps.push_back(std::abs(w.samples[i * ch + c] - w.samples[(i - 1) * ch + c]));
    }
    std::sort(steps.begin(), steps.end());
    const int seam = std::abs(w.samples[c] - w.samples[(frames - 1) * ch + c]);
    EXPECT_LE(seam, steps[steps.size() * 999 / 1000]) << "channel " << c;
  }
}

// The real game, headless, with SDL's disk audio driver: the first seconds it
// writes are the music, sample for sample.
TEST(GameAudio, FirstSecondsOfOutputAreTheMusic) {
  ASSERT_TRUE(std::filesystem::exists("thalryn"));
  char pattern[] = "/tmp/thalryn_disk_XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string raw = dir + "/out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  char program[] = "./thalryn";
  char* argv[] = {program, nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, nullptr, nullptr, argv, environ);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("SDL_DISKAUDIOFILE");
  unsetenv("SDL_DISKAUDIODELAY");
  ASSERT_EQ(spawned, 0);

  const size_t want_frames = 3 * 44100;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool exited = false;
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(raw, ec);
    if (!ec && size >= want_frames * 4 * 2) break;
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      exited = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(exited) << "the game ended by itself";
  if (!exited) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }

  std::vector<uint8_t> bytes = slurp(raw);
  std::filesystem::remove_all(dir);
  ASSERT_GE(bytes.size(), want_frames * 4) << "the game wrote too little sound";
  const Wav music = read_wav("CROSS_OR_CROWN.wav");
  ASSERT_TRUE(music.ok);
  ASSERT_EQ(music.channels, 2);
  ASSERT_EQ(music.rate, 44100u);
  for (size_t i = 0; i < want_frames * 2; ++i) {
    const auto out = static_cast<int16_t>(le(bytes, 2 * i, 2));
    ASSERT_NEAR(out, music.samples[i], 1) << "sample " << i;
  }
}

}  // namespace
