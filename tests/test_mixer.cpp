// The sound device's mixer, rendered into arrays without an output stream.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/audio.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::set_audio_output_enabled(false);
    ASSERT_EQ(plat::sound_device_create(&device_), plat::DS_OK);
  }
  void TearDown() override { plat::sound_device_release(device_); }

  // A buffer with every control, filled with `bytes`.
  plat::SoundBuffer* make(int rate, int channels, int bits, const std::vector<uint8_t>& bytes,
                          uint32_t caps = 0xE0) {
    plat::WaveFormat f{plat::WAVE_FORMAT_PCM,
                       static_cast<uint16_t>(channels),
                       static_cast<uint32_t>(rate),
                       0,
                       0,
                       static_cast<uint16_t>(bits),
                       0};
    plat::SoundBufferDesc d{36, caps, static_cast<uint32_t>(bytes.size()), 0, &f, {}};
    plat::SoundBuffer* b = nullptr;
    EXPECT_EQ(plat::sound_device_create_buffer(device_, &d, &b), plat::DS_OK);
    void *r1, *r2;
    uint32_t n1, n2;
    EXPECT_EQ(plat::buffer_lock(b, 0, d.buffer_bytes, &r1, &n1, &r2, &n2, 0), plat::DS_OK);
    std::memcpy(r1, bytes.data(), n1);
    plat::buffer_unlock(b, r1, n1, r2, n2);
    return b;
  }

  std::vector<float> render(int frames) {
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    plat::mix_render(device_, out.data(), frames);
    return out;
  }

  plat::SoundDevice* device_ = nullptr;
};

std::vector<uint8_t> pcm16(const std::vector<float>& samples) {
  std::vector<uint8_t> bytes;
  for (float s : samples) {
    const auto v = static_cast<uint16_t>(static_cast<int16_t>(std::lrint(s * 32767)));
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
  }
  return bytes;
}

// 441 Hz at the output rate: exactly 100 samples a period.
std::vector<float> tone(int frames, float amplitude) {
  std::vector<float> s(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i)
    s[static_cast<size_t>(i)] = amplitude * std::sin(2 * kPi * i / 100);
  return s;
}

float decoded(float s) { return static_cast<float>(std::lrint(s * 32767)) / 32768.0f; }

TEST_F(Mixer, KnownToneAtVolumeAndPan) {
  struct Case {
    int32_t volume, pan;
    double left, right;  // expected linear gains
  };
  const Case cases[] = {
      {0, 0, 1.0, 1.0},
      {-600, 0, 0.501187, 0.501187},
      {-600, 1000, 0.501187 * 0.316228, 0.501187},
      {0, -2000, 1.0, 0.1},
      {-10000, 0, 0.0, 0.0},
  };
  const std::vector<float> s = tone(1000, 0.5f);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
    plat::SoundBuffer* b = make(plat::kMixRate, 1, 16, pcm16(s));
    ASSERT_EQ(plat::buffer_set_volume(b, c.volume), plat::DS_OK);
    ASSERT_EQ(plat::buffer_set_pan(b, c.pan), plat::DS_OK);
    plat::buffer_play(b, 0, 0, 0);
    const std::vector<float> out = render(1000);
    for (size_t i = 0; i < 1000; ++i) {
      ASSERT_NEAR(out[2 * i], decoded(s[i]) * c.left, 1e-5) << i;
      ASSERT_NEAR(out[2 * i + 1], decoded(s[i]) * c.right, 1e-5) << i;
    }
    plat::buffer_release(b);
  }
}

TEST_F(Mixer, FrequencyResamplesToTheOutputRate) {
  const std::vector<float> s = tone(400, 0.5f);
  plat::SoundBuffer* b = make(plat::kMixRate, 1, 16, pcm16(s));
  // Half the rate: every output frame advances half a sample, so the tone
  // comes out an octave down and twice as long.
  ASSERT_EQ(plat::buffer_set_frequency(b, plat::kMixRate / 2), plat::DS_OK);
  plat::buffer_play(b, 0, 0, 0);
  const std::vector<float> out = render(800);
  for (size_t i = 0; i + 1 < 400; ++i) {
    ASSERT_NEAR(out[4 * i], decoded(s[i]), 1e-5);
    ASSERT_NEAR(out[4 * i + 2], 0.5f * (decoded(s[i]) + decoded(s[i + 1])), 1e-5);
  }
  // Frequency 0 puts the buffer's own rate back.
  ASSERT_EQ(plat::buffer_set_frequency(b, 0), plat::DS_OK);
  EXPECT_EQ(plat::buffer_info(b).frequency, static_cast<uint32_t>(plat::kMixRate));
}

TEST_F(Mixer, EachPcmFormatDecodes) {
  struct Case {
    int channels, bits;
    std::vector<uint8_t> frame;
    float left, right;
  };
  const Case cases[] = {
      {1, 8, {192}, 0.5f, 0.5f},
      {2, 8, {192, 96}, 0.5f, -0.25f},
      {1, 16, {0x00, 0x40}, 0.5f, 0.5f},
      {2, 16, {0x00, 0x40, 0x00, 0xE0}, 0.5f, -0.25f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.bits << " bits");
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 64; ++i) bytes.insert(bytes.end(), c.frame.begin(), c.frame.end());
    plat::SoundBuffer* b = make(plat::kMixRate, c.channels, c.bits, bytes);
    plat::buffer_play(b, 0, 0, 0);
    const std::vector<float> out = render(64);
    for (size_t i = 0; i < 64; ++i) {
      ASSERT_FLOAT_EQ(out[2 * i], c.left);
      ASSERT_FLOAT_EQ(out[2 * i + 1], c.right);
    }
    plat::buffer_release(b);
  }
}

TEST_F(Mixer, LoopRepeatsAndSinglePlayEnds) {
  const std::vector<float> s = tone(100, 0.5f);
  plat::SoundBuffer* looped = make(plat::kMixRate, 1, 16, pcm16(s));
  plat::buffer_play(looped, 0, 0, plat::DSBPLAY_LOOPING);
  std::vector<float> out = render(250);
  for (size_t i = 0; i < 250; ++i) ASSERT_NEAR(out[2 * i], decoded(s[i % 100]), 1e-6);
  uint32_t status = 0;
  plat::buffer_get_status(looped, &status);
  EXPECT_EQ(status, plat::DSBSTATUS_PLAYING | plat::DSBSTATUS_LOOPING);
  plat::buffer_release(looped);

  plat::SoundBuffer* once = make(plat::kMixRate, 1, 16, pcm16(s));
  plat::buffer_play(once, 0, 0, 0);
  out = render(250);
  for (size_t i = 100; i < 250; ++i) ASSERT_EQ(out[2 * i], 0.0f);
  plat::buffer_get_status(once, &status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(plat::buffer_info(once).play_position, 0u);
}

TEST_F(Mixer, DuplicatesShareSamplesButPlayApart) {
  const std::vector<float> s = tone(300, 0.25f);
  plat::SoundBuffer* original = make(plat::kMixRate, 1, 16, pcm16(s));
  plat::SoundBuffer* copy = nullptr;
  ASSERT_EQ(plat::sound_device_duplicate_buffer(device_, original, &copy), plat::DS_OK);
  plat::buffer_play(original, 0, 0, 0);
  render(50);
  plat::buffer_play(copy, 0, 0, 0);
  plat::buffer_set_volume(copy, -600);
  const std::vector<float> out = render(100);
  for (size_t i = 0; i < 100; ++i) {
    ASSERT_NEAR(out[2 * i], decoded(s[i + 50]) + 0.501187f * decoded(s[i]), 1e-5);
  }
  // The samples outlive the buffer they were loaded into.
  plat::buffer_release(original);
  plat::buffer_set_volume(copy, 0);
  const std::vector<float> rest = render(100);
  for (size_t i = 0; i < 100; ++i) ASSERT_NEAR(rest[2 * i], decoded(s[i + 100]), 1e-5);
}

TEST_F(Mixer, ManyLoudSoundsAreLimitedNotClipped) {
  const std::vector<float> s = tone(1000, 0.9f);
  std::vector<plat::SoundBuffer*> buffers;
  for (int i = 0; i < 24; ++i) {
    buffers.push_back(make(plat::kMixRate, 1, 16, pcm16(s)));
    plat::buffer_play(buffers.back(), 0, 0, plat::DSBPLAY_LOOPING);
  }
  const std::vector<float> out = render(4000);
  float peak = 0;
  for (float v : out) peak = std::max(peak, std::fabs(v));
  EXPECT_LE(peak, 1.0f);
  EXPECT_GT(peak, 0.9f);
  // Past the first attack the waveform keeps its shape: the output is the sum
  // scaled down, not a sum cut flat at full scale.
  const float gain = out[2 * 3025] / (24 * decoded(s[25]));
  for (size_t i = 3000; i < 4000; ++i) {
    ASSERT_NEAR(out[2 * i], 24 * decoded(s[i % 1000]) * gain, 0.02) << i;
  }
}

TEST_F(Mixer, ControlsRefuseValuesOutOfRangeOrWithoutTheirCapability) {
  plat::SoundBuffer* b = make(22050, 1, 8, std::vector<uint8_t>(64, 128));
  struct Case {
    const char* what;
    int32_t result, expected;
  };
  const Case cases[] = {
      {"volume 0", plat::buffer_set_volume(b, 0), plat::DS_OK},
      {"volume -10000", plat::buffer_set_volume(b, -10000), plat::DS_OK},
      {"volume 30", plat::buffer_set_volume(b, 30), plat::DSERR_INVALIDPARAM},
      {"volume -10001", plat::buffer_set_volume(b, -10001), plat::DSERR_INVALIDPARAM},
      {"pan 10000", plat::buffer_set_pan(b, 10000), plat::DS_OK},
      {"pan -10001", plat::buffer_set_pan(b, -10001), plat::DSERR_INVALIDPARAM},
      {"frequency 100", plat::buffer_set_frequency(b, 100), plat::DS_OK},
      {"frequency 99", plat::buffer_set_frequency(b, 99), plat::DSERR_INVALIDPARAM},
      {"frequency 200001", plat::buffer_set_frequency(b, 200001), plat::DSERR_INVALIDPARAM},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;

  plat::SoundBuffer* plain = make(22050, 1, 8, std::vector<uint8_t>(64, 128), 0);
  EXPECT_EQ(plat::buffer_set_volume(plain, 0), plat::DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plat::buffer_set_pan(plain, 0), plat::DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plat::buffer_set_frequency(plain, 22050), plat::DSERR_CONTROLUNAVAIL);
}

TEST_F(Mixer, BufferCreationRefusesWhatItCannotPlay) {
  struct Case {
    const char* what;
    uint16_t tag, channels, bits;
    uint32_t rate, bytes;
  };
  const Case cases[] = {
      {"compressed", 2, 1, 8, 11025, 64},
      {"no channels", 1, 0, 8, 11025, 64},
      {"three channels", 1, 3, 8, 11025, 64},
      {"24 bits", 1, 1, 24, 11025, 64},
      {"rate 50", 1, 1, 8, 50, 64},
      {"two bytes", 1, 1, 8, 11025, 2},
      {"too large", 1, 1, 8, 11025, plat::DSBSIZE_MAX + 1},
  };
  for (const Case& c : cases) {
    plat::WaveFormat f{c.tag, c.channels, c.rate, 0, 0, c.bits, 0};
    plat::SoundBufferDesc d{36, 0, c.bytes, 0, &f, {}};
    plat::SoundBuffer* b = nullptr;
    EXPECT_LT(plat::sound_device_create_buffer(device_, &d, &b), 0) << c.what;
    EXPECT_EQ(b, nullptr) << c.what;
  }
}

TEST_F(Mixer, LockFromTheWriteCursorWrapsRound) {
  plat::SoundBuffer* b = make(plat::kMixRate, 1, 16, std::vector<uint8_t>(200, 0));
  ASSERT_EQ(plat::buffer_set_current_position(b, 120), plat::DS_OK);
  void *r1, *r2;
  uint32_t n1, n2;
  ASSERT_EQ(plat::buffer_lock(b, 0, 200, &r1, &n1, &r2, &n2, plat::DSBLOCK_FROMWRITECURSOR),
            plat::DS_OK);
  EXPECT_EQ(n1, 80u);
  EXPECT_EQ(n2, 120u);
  EXPECT_EQ(static_cast<uint8_t*>(r1) - static_cast<uint8_t*>(r2), 120);
  EXPECT_EQ(plat::buffer_unlock(b, r1, n1, r2, n2), plat::DS_OK);
  EXPECT_LT(plat::buffer_lock(b, 0, 201, &r1, &n1, &r2, &n2, 0), 0);
}

}  // namespace
