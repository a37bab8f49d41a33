// Mixing one buffer into the float output: its own format converted to
// stereo float, resampled from its playback frequency to the output rate by
// linear interpolation, with volume and pan applied.
#include <cmath>

#include "platform/audio_internal.h"

namespace plat {
namespace {

// Hundredths of a decibel of attenuation to a linear gain.
float attenuation_gain(int32_t hundredths_db) {
  if (hundredths_db <= DSBVOLUME_MIN) return 0.0f;
  return static_cast<float>(std::pow(10.0, hundredths_db / 2000.0));
}

template <int Bits>
float sample_at(const uint8_t* data, uint32_t index) {
  if constexpr (Bits == 8) {
    return (static_cast<int>(data[index]) - 128) * (1.0f / 128.0f);
  } else {
    const auto lo = static_cast<uint16_t>(data[2 * index]);
    const auto hi = static_cast<uint16_t>(data[2 * index + 1]);
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8))) * (1.0f / 32768.0f);
  }
}

template <int Bits, int Channels>
void mix_run(SoundBuffer* b, float* mix, int frames, float gain_left, float gain_right) {
  const uint8_t* data = b->samples->bytes;
  const uint32_t count = b->frames;
  const double step = static_cast<double>(b->frequency) / kMixRate;
  double pos = b->position;
  for (int i = 0; i < frames; ++i) {
    const auto index = static_cast<uint32_t>(pos);
    const auto frac = static_cast<float>(pos - index);
    uint32_t next = index + 1;
    // A loop interpolates across its seam; a single play fades into silence.
    const bool has_next = next < count || b->looping;
    if (next >= count) next = 0;
    float left = sample_at<Bits>(data, index * Channels);
    float right = Channels == 2 ? sample_at<Bits>(data, index * Channels + 1) : left;
    if (frac != 0.0f) {
      float next_left = 0.0f;
      float next_right = 0.0f;
      if (has_next) {
        next_left = sample_at<Bits>(data, next * Channels);
        next_right = Channels == 2 ? sample_at<Bits>(data, next * Channels + 1) : next_left;
      }
      left += (next_left - left) * frac;
      right += (next_right - right) * frac;
    }
    mix[2 * i] += left * gain_left;
    mix[2 * i + 1] += right * gain_right;
    pos += step;
    if (pos >= count) {
      if (!b->looping) {
        // Played to its end: stopped and back at the start.
        b->playing = false;
        pos = 0;
        break;
      }
      pos = std::fmod(pos, static_cast<double>(count));
    }
  }
  b->position = pos;
}

}  // namespace

void mix_buffer(SoundBuffer* b, float* mix, int frames) {
  if (b->frames == 0) return;
  const float gain = attenuation_gain(b->volume);
  // Pan attenuates the far side only, so the centre is at full volume.
  const float left = gain * (b->pan > 0 ? attenuation_gain(-b->pan) : 1.0f);
  const float right = gain * (b->pan < 0 ? attenuation_gain(b->pan) : 1.0f);
  const bool wide = b->format.bits_per_sample == 16;
  if (b->format.channels == 2) {
    wide ? mix_run<16, 2>(b, mix, frames, left, right) : mix_run<8, 2>(b, mix, frames, left, right);
  } else {
    wide ? mix_run<16, 1>(b, mix, frames, left, right) : mix_run<8, 1>(b, mix, frames, left, right);
  }
}

}  // namespace plat
