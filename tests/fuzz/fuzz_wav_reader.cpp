// The WAVE reader on arbitrary bytes; what it accepts is also made into a
// buffer and mixed, so the format conversion sees every layout too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/audio.h"
#include "platform/mmio.h"
#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static plat::SoundDevice* device = [] {
    plat::set_audio_output_enabled(false);
    plat::SoundDevice* d = nullptr;
    plat::sound_device_create(&d);
    return d;
  }();
  plat::MmioFile* file = plat::mmio_open_memory(data, size);
  WAV_CONTENTS_TYP wav{};
  const int ok = Read_WAV(file, &wav);
  plat::mmio_close(file, 0);
  // Buffers beyond a megabyte only slow the search down.
  if (!ok || wav.data_size > (1u << 20)) return 0;

  plat::WaveFormat format = wav.format;
  plat::SoundBufferDesc desc{36, 0xE0, wav.data_size, 0, &format, {}};
  plat::SoundBuffer* buffer = nullptr;
  if (plat::sound_device_create_buffer(device, &desc, &buffer) < 0) return 0;
  void *r1, *r2;
  uint32_t n1, n2;
  if (plat::buffer_lock(buffer, 0, wav.data_size, &r1, &n1, &r2, &n2,
                        plat::DSBLOCK_FROMWRITECURSOR) == 0) {
    const size_t n = std::min<size_t>(n1, wav.data.size());
    if (n) std::memcpy(r1, wav.data.data(), n);
    plat::buffer_unlock(buffer, r1, n1, r2, n2);
  }
  // The rate field drives the resampler: play at the file's rate and a
  // squeezed one, looping.
  plat::buffer_play(buffer, 0, 0, plat::DSBPLAY_LOOPING);
  std::vector<float> mix(512 * 2);
  plat::mix_render(device, mix.data(), 512);
  plat::buffer_set_frequency(buffer, plat::DSBFREQUENCY_MAX);
  plat::mix_render(device, mix.data(), 512);
  plat::buffer_release(buffer);
  return 0;
}
