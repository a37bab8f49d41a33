// Sound slots: loading WAVE files, playing, adjusting and releasing them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sound/dsound.h"
#include "tests/wav_bytes.h"

namespace {

class DSound : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plat::set_audio_output_enabled(false);
    char pattern[] = "/tmp/thalryn_dsound_XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  static void TearDownTestSuite() {
    DSound_Reset_Module();
    std::filesystem::remove_all(dir_);
  }
  void SetUp() override {
    DSound_Reset_Module();
    ASSERT_EQ(DSound_Init(), 1);
  }

  static std::string file(const std::string& name, const WavLayout& layout) {
    const std::string path = dir_ + "/" + name;
    EXPECT_TRUE(write_file(path, wav_bytes(layout)));
    return path;
  }
  static std::string plain(const std::string& name = "plain.wav") {
    WavLayout layout;
    layout.samples.assign(64, 200);
    return file(name, layout);
  }

  std::vector<float> render(int frames) {
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    plat::mix_render(lpds, out.data(), frames);
    return out;
  }

  static std::string dir_;
};
std::string DSound::dir_;

TEST_F(DSound, LoadsTakeSlotsInOrderAndFailuresTakeNone) {
  const std::string good = plain();
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 224), 0);
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 224), 1);
  EXPECT_EQ(DSound_Load_WAV((dir_ + "/missing.wav").c_str(), 224), -1);
  EXPECT_EQ(sound_fx[2].state, SOUND_SLOT_EMPTY);
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 224), 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sound_fx[i].state, SOUND_SLOT_LOADED);
    EXPECT_EQ(sound_fx[i].slot_id, i);
    EXPECT_EQ(sound_fx[i].sample_rate, 11025);
    EXPECT_EQ(sound_fx[i].data_size, 64);
  }
  // The fixed capability bits join the caller's.
  EXPECT_EQ(plat::buffer_info(sound_fx[0].sound_buffer).caps, 0xEAu);
}

TEST_F(DSound, LoadRefusesWhatIsNotPlainPcmWave) {
  struct Case {
    const char* what;
    WavLayout layout;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, auto change) {
    WavLayout s;
    s.samples.assign(64, 128);
    change(s);
    cases.push_back({what, s});
  };
  add("another form type", [](WavLayout& s) { s.form = "AVI "; });
  add("no format chunk", [](WavLayout& s) { s.fmt_chunk = false; });
  add("compressed format", [](WavLayout& s) { s.tag = 2; });
  add("no data chunk", [](WavLayout& s) { s.data_chunk = false; });
  add("format chunk past the end", [](WavLayout& s) {
    s.data_chunk = false;
    s.fmt_declared = 4000;
  });
  add("no channels", [](WavLayout& s) { s.channels = 0; });
  add("24-bit samples", [](WavLayout& s) { s.bits = 24; });
  add("empty data", [](WavLayout& s) { s.samples.clear(); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DSound_Load_WAV(file("bad.wav", c.layout).c_str(), 224), -1);
    EXPECT_EQ(sound_fx[0].state, SOUND_SLOT_EMPTY);
    EXPECT_EQ(sound_fx[0].sound_buffer, nullptr);
  }
  // Too short for the 18 format bytes, and not a RIFF file at all.
  const std::string tiny = dir_ + "/tiny.wav";
  write_file(tiny, {'R', 'I', 'F', 'F', 16, 0, 0, 0, 'W', 'A', 'V', 'E',
                    'f', 'm', 't', ' ', 4,  0, 0, 0, 1,   0,   1,   0});
  EXPECT_EQ(DSound_Load_WAV(tiny.c_str(), 224), -1);
  const std::string text = dir_ + "/text.wav";
  write_file(text, {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(DSound_Load_WAV(text.c_str(), 224), -1);
  EXPECT_EQ(DSound_Load_WAV(dir_.c_str(), 224), -1);
  EXPECT_EQ(DSound_Load_WAV(nullptr, 224), -1);
}

TEST_F(DSound, FormatChunkOfSixteenOrEighteenBytesAndOneAfterAnotherChunk) {
  for (uint32_t size : {16u, 18u}) {
    WavLayout s;
    s.fmt_size = size;
    s.samples.assign(10, 128);
    EXPECT_GE(DSound_Load_WAV(file("fmt.wav", s).c_str(), 0), 0) << size;
  }
  WavLayout s;
  s.chunk_before_fmt = "LIST";
  s.samples.assign(10, 128);
  EXPECT_GE(DSound_Load_WAV(file("list.wav", s).c_str(), 0), 0);
}

// Each file plays in its own format: a 22,050 Hz 16-bit stereo ramp comes out
// at half a sample per output frame with its channels apart, and an
// 11,025 Hz 8-bit mono file at a quarter.
TEST_F(DSound, BuffersKeepTheFilesOwnFormat) {
  WavLayout s;
  s.rate = 22050;
  s.bits = 16;
  s.channels = 2;
  for (int i = 0; i < 100; ++i) {
    put_le(&s.samples, static_cast<uint16_t>(i * 100), 2);
    put_le(&s.samples, static_cast<uint16_t>(-i * 100), 2);
  }
  const int stereo = DSound_Load_WAV(file("stereo.wav", s).c_str(), 224);
  ASSERT_GE(stereo, 0);
  EXPECT_EQ(sound_fx[stereo].sample_rate, 22050);
  DSound_Play(stereo, 0, 0, 0, 0);
  std::vector<float> out = render(100);
  for (size_t i = 0; i < 100; ++i) {
    ASSERT_NEAR(out[2 * i], i * 50 / 32768.0, 1e-6);
    ASSERT_NEAR(out[2 * i + 1], -(i * 50.0) / 32768.0, 1e-6);
  }
  DSound_Stop_Sound(stereo);

  WavLayout m;
  for (int i = 0; i < 50; ++i) m.samples.push_back(static_cast<uint8_t>(128 + i));
  const int mono = DSound_Load_WAV(file("mono.wav", m).c_str(), 224);
  DSound_Play(mono, 0, 0, 0, 0);
  out = render(100);
  for (size_t i = 0; i < 100; ++i) ASSERT_NEAR(out[2 * i], (i / 4.0) / 128.0, 1e-6);
}

TEST_F(DSound, FileShorterThanItsDataChunkPlaysSilenceForTheMissingPart) {
  WavLayout s;
  s.samples.assign(100, 255);
  s.declared_data = 4000;
  const int id = DSound_Load_WAV(file("short.wav", s).c_str(), 224);
  ASSERT_GE(id, 0);
  EXPECT_EQ(sound_fx[id].data_size, 4000);
  ASSERT_EQ(DSound_Set_Freq(id, plat::kMixRate), 1);
  DSound_Play(id, 0, 0, 0, 0);
  const std::vector<float> out = render(300);
  EXPECT_NEAR(out[2 * 50], 127 / 128.0, 1e-6);
  for (size_t i = 101; i < 300; ++i) ASSERT_EQ(out[2 * i], 0.0f) << i;
}

TEST_F(DSound, DeleteFreesTheBufferButKeepsTheSlot) {
  const std::string good = plain();
  for (int i = 0; i < 4; ++i) DSound_Load_WAV(good.c_str(), 224);
  EXPECT_EQ(DSound_Delete_Sound(3), 1);
  EXPECT_EQ(sound_fx[3].state, SOUND_SLOT_LOADED);
  EXPECT_EQ(sound_fx[3].sound_buffer, nullptr);
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 224), 4);
  EXPECT_EQ(DSound_Play(3, 0, 0, 0, 0), 1);
  EXPECT_EQ(DSound_Status_Sound(3), -1);
  EXPECT_EQ(DSound_Replicate_Sound(3), -1);
  EXPECT_EQ(sound_fx[5].state, SOUND_SLOT_EMPTY);
  // Only a new start of the module frees the slot.
  EXPECT_EQ(DSound_Init(), 1);
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 224), 0);
}

TEST_F(DSound, SecondInitKeepsTheDeviceAndForgetsEverySound) {
  const std::string good = plain();
  DSound_Load_WAV(good.c_str(), 224);
  DSound_Load_WAV(good.c_str(), 224);
  DSound_Play(0, 1, 0, 0, 0);
  plat::SoundDevice* device = lpds;
  EXPECT_EQ(DSound_Init(), 1);
  EXPECT_EQ(lpds, device);
  for (int i = 0; i < MAX_SOUNDS; ++i) {
    ASSERT_EQ(sound_fx[i].state, SOUND_SLOT_EMPTY);
    ASSERT_EQ(sound_fx[i].sound_buffer, nullptr);
    ASSERT_EQ(sound_fx[i].slot_id, i);
  }
  const std::vector<float> out = render(64);
  for (float v : out) ASSERT_EQ(v, 0.0f);
}

TEST_F(DSound, SettersPassTheirValuesAndReportRefusals) {
  const int id = DSound_Load_WAV(plain().c_str(), 224);
  const std::pair<int, int32_t> volumes[] = {
      {100, 0}, {75, -750}, {50, -1500}, {25, -2250}, {0, -3000}};
  for (auto [percent, attenuation] : volumes) {
    EXPECT_EQ(DSound_Set_Volume(id, percent), 1);
    EXPECT_EQ(plat::buffer_info(sound_fx[id].sound_buffer).volume, attenuation) << percent;
  }
  EXPECT_EQ(DSound_Set_Volume(id, 101), 0);
  EXPECT_EQ(DSound_Set_Freq(id, 22050), 1);
  EXPECT_EQ(plat::buffer_info(sound_fx[id].sound_buffer).frequency, 22050u);
  EXPECT_EQ(DSound_Set_Freq(id, 50), 0);
  EXPECT_EQ(DSound_Set_Pan(id, -10000), 1);
  EXPECT_EQ(plat::buffer_info(sound_fx[id].sound_buffer).pan, -10000);
  EXPECT_EQ(DSound_Set_Pan(id, 10001), 0);
  // Without the control capabilities every setter is refused.
  const int plain_id = DSound_Load_WAV(plain().c_str(), 0);
  EXPECT_EQ(DSound_Set_Volume(plain_id, 50), 0);
  EXPECT_EQ(DSound_Set_Freq(plain_id, 22050), 0);
  EXPECT_EQ(DSound_Set_Pan(plain_id, 0), 0);
}

TEST_F(DSound, ReplicasPlayAtTheSameTime) {
  WavLayout s;
  s.rate = plat::kMixRate;
  for (int i = 0; i < 200; ++i) s.samples.push_back(static_cast<uint8_t>(128 + (i % 50)));
  const int id = DSound_Load_WAV(file("ramp.wav", s).c_str(), 224);
  const int twin = DSound_Replicate_Sound(id);
  ASSERT_EQ(twin, 1);
  EXPECT_EQ(sound_fx[twin].slot_id, 1);
  EXPECT_EQ(sound_fx[twin].state, SOUND_SLOT_LOADED);
  EXPECT_EQ(sound_fx[twin].data_size, 200);
  EXPECT_NE(sound_fx[twin].sound_buffer, sound_fx[id].sound_buffer);
  DSound_Play(id, 0, 0, 0, 0);
  render(10);
  DSound_Play(twin, 0, 0, 0, 0);
  EXPECT_EQ(DSound_Status_Sound(id), 1);
  EXPECT_EQ(DSound_Status_Sound(twin), 1);
  const std::vector<float> out = render(20);
  for (size_t i = 0; i < 20; ++i) {
    ASSERT_NEAR(out[2 * i], ((i + 10) % 50 + i % 50) / 128.0, 1e-6);
  }
  EXPECT_EQ(DSound_Replicate_Sound(-1), -1);
}

TEST_F(DSound, LoopPlaysOnUntilStopWhichRewinds) {
  WavLayout s;
  s.rate = plat::kMixRate;
  for (int i = 0; i < 100; ++i) s.samples.push_back(static_cast<uint8_t>(130 + i));
  const int id = DSound_Load_WAV(file("loop.wav", s).c_str(), 224);
  ASSERT_EQ(DSound_Play(id, 1, -500, 9999, 77), 1);
  render(250);
  EXPECT_EQ(DSound_Status_Sound(id), 5);
  EXPECT_EQ(DSound_Stop_Sound(id), 1);
  EXPECT_EQ(DSound_Status_Sound(id), 0);
  EXPECT_EQ(plat::buffer_info(sound_fx[id].sound_buffer).play_position, 0u);
  // Played once, it starts from the beginning and ends by itself; a play
  // while it sounds starts it over.
  DSound_Play(id, 0, 0, 0, 0);
  render(60);
  DSound_Play(id, 0, 0, 0, 0);
  std::vector<float> out = render(1);
  EXPECT_NEAR(out[0], 2 / 128.0, 1e-6);
  render(150);
  EXPECT_EQ(DSound_Status_Sound(id), 0);
}

TEST_F(DSound, IdsOutsideTheTableTouchNothing) {
  DSound_Load_WAV(plain().c_str(), 224);
  for (int id : {-1, MAX_SOUNDS, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(DSound_Play(id, 1, 0, 0, 0), 1);
    EXPECT_EQ(DSound_Status_Sound(id), -1);
    EXPECT_EQ(DSound_Stop_Sound(id), 1);
    EXPECT_EQ(DSound_Delete_Sound(id), 1);
    EXPECT_EQ(DSound_Set_Volume(id, 50), 0);
    EXPECT_EQ(DSound_Set_Freq(id, 22050), 0);
    EXPECT_EQ(DSound_Set_Pan(id, 0), 0);
    EXPECT_EQ(DSound_Replicate_Sound(id), -1);
  }
  EXPECT_EQ(DSound_Status_Sound(0), 0);
}

TEST_F(DSound, FullTableRefusesLoadsAndReplicas) {
  const std::string good = plain();
  for (int i = 0; i < MAX_SOUNDS; ++i) ASSERT_EQ(DSound_Load_WAV(good.c_str(), 0), i);
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 0), -1);
  EXPECT_EQ(DSound_Replicate_Sound(0), -1);
  DSound_Delete_All_Sounds();
  EXPECT_EQ(DSound_Load_WAV(good.c_str(), 0), -1);
}

TEST_F(DSound, ShutdownReleasesTheDeviceForGood) {
  DSound_Load_WAV(plain().c_str(), 224);
  DSound_Play(0, 1, 0, 0, 0);
  EXPECT_EQ(DSound_Shutdown(), 1);
  EXPECT_EQ(lpds, nullptr);
  EXPECT_EQ(sound_fx[0].sound_buffer, nullptr);
  EXPECT_EQ(DSound_Play(0, 1, 0, 0, 0), 1);
  // A later start makes no new device, so nothing can be loaded.
  EXPECT_EQ(DSound_Init(), 1);
  EXPECT_EQ(lpds, nullptr);
  EXPECT_EQ(DSound_Load_WAV(plain().c_str(), 224), -1);
}

}  // namespace
