// The sound device: one stereo output stream fed by a float mixer that runs in
// SDL's audio callback, and secondary buffers that hold their own PCM samples
// in their own format. Without an output stream (no audio device, or output
// switched off for tests) everything works the same and the mix can be pulled
// into a plain array with mix_render().
#pragma once
#include <cstdint>

namespace plat {

struct SoundDevice;
struct SoundBuffer;

// Buffer capability bits.
constexpr uint32_t DSBCAPS_STATIC = 0x02;
constexpr uint32_t DSBCAPS_LOCSOFTWARE = 0x08;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
// Play flags and status bits.
constexpr uint32_t DSBPLAY_LOOPING = 0x01;
constexpr uint32_t DSBSTATUS_PLAYING = 0x01;
constexpr uint32_t DSBSTATUS_LOOPING = 0x04;
// Lock flag: the locked range starts at the write cursor.
constexpr uint32_t DSBLOCK_FROMWRITECURSOR = 0x01;
// Cooperative level.
constexpr uint32_t DSSCL_NORMAL = 1;

// Result codes: 0 is success, negative values are refusals.
constexpr int32_t DS_OK = 0;
constexpr int32_t DSERR_INVALIDPARAM = -1;
constexpr int32_t DSERR_CONTROLUNAVAIL = -2;
constexpr int32_t DSERR_OUTOFMEMORY = -3;
constexpr int32_t DSERR_BADFORMAT = -4;

// Accepted ranges of the buffer controls.
constexpr int32_t DSBVOLUME_MIN = -10000;  // hundredths of a decibel
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBPAN_LEFT = -10000;
constexpr int32_t DSBPAN_RIGHT = 10000;
constexpr uint32_t DSBFREQUENCY_ORIGINAL = 0;  // back to the buffer's own rate
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 200000;
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// The wave-format record (18 bytes in a file): PCM only.
struct WaveFormat {
  uint16_t format_tag;
  uint16_t channels;
  uint32_t samples_per_sec;
  uint32_t avg_bytes_per_sec;
  uint16_t block_align;
  uint16_t bits_per_sample;
  uint16_t extra_size;
};
constexpr uint16_t WAVE_FORMAT_PCM = 1;

// What a new buffer is to be.
struct SoundBufferDesc {
  uint32_t size;  // of this record, 36
  uint32_t flags;
  uint32_t buffer_bytes;
  uint32_t reserved;
  const WaveFormat* format;
  uint8_t algorithm_3d[16];
};

// The mixer's output rate (stereo frames per second).
constexpr int kMixRate = 44100;

// Output on or off for devices created from now on; tests switch it off so
// that only mix_render() advances the mix.
void set_audio_output_enabled(bool enabled);

// Makes a device. It always exists once made; when no output stream can be
// opened its sounds are silent and the mix advances only through mix_render().
// The stream itself opens on the first play.
int32_t sound_device_create(SoundDevice** out);
int32_t sound_device_set_cooperative_level(SoundDevice* device, void* window, uint32_t level);
void sound_device_release(SoundDevice* device);
bool sound_device_has_output(const SoundDevice* device);

int32_t sound_device_create_buffer(SoundDevice* device, const SoundBufferDesc* desc,
                                   SoundBuffer** out);
// A second buffer over the same samples with its own position and controls.
int32_t sound_device_duplicate_buffer(SoundDevice* device, SoundBuffer* source, SoundBuffer** out);

int32_t buffer_lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** region1,
                    uint32_t* length1, void** region2, uint32_t* length2, uint32_t flags);
int32_t buffer_unlock(SoundBuffer* buffer, void* region1, uint32_t length1, void* region2,
                      uint32_t length2);
int32_t buffer_set_current_position(SoundBuffer* buffer, uint32_t byte_position);
int32_t buffer_play(SoundBuffer* buffer, uint32_t reserved, uint32_t priority, uint32_t flags);
int32_t buffer_stop(SoundBuffer* buffer);
int32_t buffer_set_volume(SoundBuffer* buffer, int32_t hundredths_db);
int32_t buffer_set_frequency(SoundBuffer* buffer, uint32_t samples_per_sec);
int32_t buffer_set_pan(SoundBuffer* buffer, int32_t pan);
int32_t buffer_get_status(SoundBuffer* buffer, uint32_t* status);
void buffer_release(SoundBuffer* buffer);

// Read-back of a buffer's controls and make-up.
struct SoundBufferInfo {
  uint32_t caps;
  WaveFormat format;
  uint32_t bytes;
  int32_t volume;
  int32_t pan;
  uint32_t frequency;
  uint32_t play_position;  // in bytes
};
SoundBufferInfo buffer_info(const SoundBuffer* buffer);

// Mixes the next `frames` stereo frames of every playing buffer and of the
// device's extra source into `out` (interleaved left, right), limited to
// -1..1. Used by the audio callback; tests call it on a device without output.
void mix_render(SoundDevice* device, float* out, int frames);

// A second producer mixed into the same output (the music performance).
// `render` runs with the mixer's lock held and adds `frames` stereo frames into
// `mix`; `detach` tells the producer that the device is going away.
struct MixSource {
  void (*render)(void* user, float* mix, int frames);
  void (*detach)(void* user);
  void* user;
};
// The output stream opens when something is first to be heard; the first play
// (of a buffer or of music) calls this.
void sound_device_start_output(SoundDevice* device);

// Null removes the producer.
void sound_device_set_source(SoundDevice* device, const MixSource* source);

}  // namespace plat
