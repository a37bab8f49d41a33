// The sound device's records, shared by the device, buffer and mixer files of
// the platform layer only.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio.h"

namespace plat {

// Sample memory, shared by a buffer and its duplicates.
struct SampleStore {
  uint8_t* bytes = nullptr;
  uint32_t size = 0;
  ~SampleStore();
};

struct SoundBuffer {
  SoundDevice* device = nullptr;
  std::shared_ptr<SampleStore> samples;
  WaveFormat format{};
  uint32_t caps = 0;
  uint32_t block = 1;   // bytes per frame
  uint32_t frames = 0;  // whole frames in the sample memory
  double position = 0;  // in frames
  bool playing = false;
  bool looping = false;
  int32_t volume = 0;
  int32_t pan = 0;
  uint32_t frequency = 0;
};

struct SoundDevice {
  std::mutex mutex;
  std::vector<SoundBuffer*> buffers;
  uint32_t output = 0;  // SDL audio device id, 0 for none
  std::atomic<bool> output_started{false};
  bool audio_subsystem = false;
  MixSource source{};
  float limiter_gain = 1.0f;
};

// Adds one playing buffer's next frames into the mix; the device lock is held.
void mix_buffer(SoundBuffer* buffer, float* mix, int frames);
// Mixes everything into `out` with the device lock held.
void mix_render_locked(SoundDevice* device, float* out, int frames);

}  // namespace plat
