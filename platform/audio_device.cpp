// The sound device and its SDL output stream.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/audio_internal.h"

namespace plat {
namespace {

std::atomic<bool> output_enabled{true};

constexpr int kCallbackFrames = 1024;

void audio_callback(void* user, Uint8* stream, int len) {
  auto* device = static_cast<SoundDevice*>(user);
  const int frames = len / static_cast<int>(2 * sizeof(int16_t));
  // The callback runs on SDL's thread; a fixed scratch avoids allocation there.
  static thread_local std::vector<float> mix;
  mix.resize(static_cast<size_t>(frames) * 2);
  {
    std::lock_guard<std::mutex> lock(device->mutex);
    mix_render_locked(device, mix.data(), frames);
  }
  auto* out = reinterpret_cast<int16_t*>(stream);
  for (int i = 0; i < frames * 2; ++i) {
    out[i] = static_cast<int16_t>(std::lrint(mix[static_cast<size_t>(i)] * 32767.0f));
  }
}

void open_output(SoundDevice* device) {
  if (!output_enabled) return;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  device->audio_subsystem = true;
  SDL_AudioSpec want{};
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kCallbackFrames;
  want.callback = audio_callback;
  want.userdata = device;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants.
  SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (id == 0) return;
  device->output = id;
  SDL_PauseAudioDevice(id, 0);
}

}  // namespace

SampleStore::~SampleStore() { std::free(bytes); }

void set_audio_output_enabled(bool enabled) { output_enabled = enabled; }

int32_t sound_device_create(SoundDevice** out) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = new SoundDevice;
  return DS_OK;
}

int32_t sound_device_set_cooperative_level(SoundDevice* device, void*, uint32_t level) {
  // Our output is shared with every other program, so only the normal level
  // is on offer.
  if (!device || level != DSSCL_NORMAL) return DSERR_INVALIDPARAM;
  return DS_OK;
}

bool sound_device_has_output(const SoundDevice* device) { return device && device->output; }

void sound_device_release(SoundDevice* device) {
  if (!device) return;
  if (device->output) SDL_CloseAudioDevice(device->output);
  if (device->audio_subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  // The output has stopped, so no render can be under way.
  if (device->source.detach) device->source.detach(device->source.user);
  // Buffers die with their device.
  for (SoundBuffer* buffer : device->buffers) delete buffer;
  delete device;
}

void sound_device_start_output(SoundDevice* device) {
  // Opened on the first play, so the stream begins with the first sound
  // instead of the silence of start-up. Outside our lock: SDL holds its own
  // device lock around our callback.
  if (!device || device->output_started.exchange(true)) return;
  open_output(device);
}

void sound_device_set_source(SoundDevice* device, const MixSource* source) {
  if (!device) return;
  std::lock_guard<std::mutex> lock(device->mutex);
  device->source = source ? *source : MixSource{};
}

void mix_render(SoundDevice* device, float* out, int frames) {
  if (!device || !out || frames <= 0) return;
  std::lock_guard<std::mutex> lock(device->mutex);
  mix_render_locked(device, out, frames);
}

void mix_render_locked(SoundDevice* device, float* out, int frames) {
  std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
  for (SoundBuffer* buffer : device->buffers) {
    if (buffer->playing) mix_buffer(buffer, out, frames);
  }
  if (device->source.render) device->source.render(device->source.user, out, frames);

  // A peak limiter: it drops the gain at once to keep a loud sum inside the
  // range and lets it recover by 30 dB a second, so many sounds at once keep
  // their shape instead of clipping. A mix inside the range passes unchanged.
  const float recover = std::pow(10.0f, 30.0f / 20.0f / kMixRate);
  float gain = device->limiter_gain;
  for (int i = 0; i < frames; ++i) {
    float& left = out[2 * i];
    float& right = out[2 * i + 1];
    const float peak = std::max(std::fabs(left), std::fabs(right));
    gain = std::min(1.0f, gain * recover);
    if (peak * gain > 1.0f) gain = 1.0f / peak;
    left = std::clamp(left * gain, -1.0f, 1.0f);
    right = std::clamp(right * gain, -1.0f, 1.0f);
  }
  device->limiter_gain = gain;
}

}  // namespace plat
