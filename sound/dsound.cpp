#include "sound/dsound.h"

#include <algorithm>
#include <cstring>

#include "shell/winmain.h"
#include "sound/wav_reader.h"

pcm_sound_typ sound_fx[MAX_SOUNDS];
plat::SoundDevice* lpds = nullptr;
int32_t first_time = 1;
plat::WaveFormat pcmwf;
plat::SoundBufferDesc dsbd;

namespace {

// The table entry for an id, or null for an id outside the table (such as
// the -1 of a failed load), which then acts like a slot without a sound.
pcm_sound_typ* slot(int id) { return id >= 0 && id < MAX_SOUNDS ? &sound_fx[id] : nullptr; }

plat::SoundBuffer* buffer_of(int id) {
  pcm_sound_typ* s = slot(id);
  return s ? s->sound_buffer : nullptr;
}

int first_free_slot() {
  for (int i = 0; i < MAX_SOUNDS; ++i) {
    if (sound_fx[i].state == SOUND_SLOT_EMPTY) return i;
  }
  return -1;
}

void clear_slot(pcm_sound_typ* s) { std::memset(s, 0, sizeof *s); }

// Copies the file's samples into the locked regions; what the file lacks of
// its declared size is filled with silence.
void fill_region(uint8_t* region, uint32_t length, uint32_t from, const WAV_CONTENTS_TYP& wav) {
  const uint8_t silence = wav.format.bits_per_sample == 8 ? 0x80 : 0x00;
  const size_t have = wav.data.size();
  const size_t copy = from < have ? std::min<size_t>(length, have - from) : 0;
  if (copy) std::memcpy(region, wav.data.data() + from, copy);
  if (copy < length) std::memset(region + copy, silence, length - copy);
}

}  // namespace

int DSound_Init() {
  if (first_time) {
    std::memset(sound_fx, 0, sizeof sound_fx);
    first_time = 0;
    if (plat::sound_device_create(&lpds) < 0) return 0;
    if (plat::sound_device_set_cooperative_level(lpds, main_window_handle, plat::DSSCL_NORMAL) <
        0) {
      return 0;
    }
  }
  for (int i = 0; i < MAX_SOUNDS; ++i) {
    pcm_sound_typ* s = &sound_fx[i];
    if (s->sound_buffer) {
      plat::buffer_stop(s->sound_buffer);
      plat::buffer_release(s->sound_buffer);
    }
    clear_slot(s);
    s->state = SOUND_SLOT_EMPTY;
    s->slot_id = i;
  }
  return 1;
}

int DSound_Load_WAV(const char* filename, int control_flags) {
  const int id = first_free_slot();
  if (id < 0) return -1;
  // Without a device there is nothing to hold the samples.
  if (!lpds) return -1;

  plat::MmioFile* file = plat::mmio_open(filename, plat::MMIO_ALLOCBUF);
  if (!file) return -1;
  WAV_CONTENTS_TYP wav{};
  const int read = Read_WAV(file, &wav);
  plat::mmio_close(file, 0);
  if (!read) return -1;

  pcm_sound_typ* s = &sound_fx[id];
  s->sample_rate = static_cast<int32_t>(wav.format.samples_per_sec);
  s->data_size = static_cast<int32_t>(wav.data_size);
  s->state = SOUND_SLOT_LOADED;

  // The buffer takes the file's own PCM format, so that every rate, channel
  // count and sample size plays as it was recorded.
  std::memset(&pcmwf, 0, sizeof pcmwf);
  pcmwf.format_tag = plat::WAVE_FORMAT_PCM;
  pcmwf.channels = wav.format.channels;
  pcmwf.samples_per_sec = wav.format.samples_per_sec;
  pcmwf.bits_per_sample = wav.format.bits_per_sample;
  pcmwf.block_align = static_cast<uint16_t>(pcmwf.channels * (pcmwf.bits_per_sample / 8));
  pcmwf.avg_bytes_per_sec = pcmwf.samples_per_sec * pcmwf.block_align;
  pcmwf.extra_size = 0;

  dsbd.size = sizeof(plat::SoundBufferDesc);
  dsbd.flags =
      static_cast<uint32_t>(control_flags) | plat::DSBCAPS_STATIC | plat::DSBCAPS_LOCSOFTWARE;
  dsbd.buffer_bytes = wav.data_size;
  dsbd.format = &pcmwf;

  if (plat::sound_device_create_buffer(lpds, &dsbd, &s->sound_buffer) < 0) {
    s->sound_buffer = nullptr;
    s->state = SOUND_SLOT_EMPTY;
    return -1;
  }

  void* region1 = nullptr;
  void* region2 = nullptr;
  uint32_t length1 = 0;
  uint32_t length2 = 0;
  bool ok = plat::buffer_lock(s->sound_buffer, 0, wav.data_size, &region1, &length1, &region2,
                              &length2, plat::DSBLOCK_FROMWRITECURSOR) >= 0;
  if (ok) {
    fill_region(static_cast<uint8_t*>(region1), length1, 0, wav);
    if (region2) fill_region(static_cast<uint8_t*>(region2), length2, length1, wav);
    ok = plat::buffer_unlock(s->sound_buffer, region1, length1, region2, length2) >= 0;
  }
  if (!ok) {
    plat::buffer_release(s->sound_buffer);
    s->sound_buffer = nullptr;
    s->state = SOUND_SLOT_EMPTY;
    return -1;
  }
  return id;
}

int DSound_Replicate_Sound(int source_id) {
  pcm_sound_typ* source = slot(source_id);
  if (!source) return -1;
  const int id = first_free_slot();
  if (id < 0) return -1;
  pcm_sound_typ* s = &sound_fx[id];
  *s = *source;
  s->sound_buffer = nullptr;
  if (!source->sound_buffer ||
      plat::sound_device_duplicate_buffer(lpds, source->sound_buffer, &s->sound_buffer) < 0) {
    s->sound_buffer = nullptr;
    s->state = SOUND_SLOT_EMPTY;
    return -1;
  }
  s->slot_id = id;
  return id;
}

int DSound_Play(int id, int flags, int, int, int) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (!buffer) return 1;
  if (plat::buffer_set_current_position(buffer, 0) < 0) return 0;
  if (plat::buffer_play(buffer, 0, 0, static_cast<uint32_t>(flags)) < 0) return 0;
  return 1;
}

int DSound_Set_Volume(int id, int vol) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (!buffer) return 0;
  return plat::buffer_set_volume(buffer, (100 - vol) * -30) == 0 ? 1 : 0;
}

int DSound_Set_Freq(int id, int freq) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (!buffer) return 0;
  return plat::buffer_set_frequency(buffer, static_cast<uint32_t>(freq)) == 0 ? 1 : 0;
}

int DSound_Set_Pan(int id, int pan) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (!buffer) return 0;
  return plat::buffer_set_pan(buffer, pan) == 0 ? 1 : 0;
}

int DSound_Stop_Sound(int id) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (buffer) {
    plat::buffer_stop(buffer);
    plat::buffer_set_current_position(buffer, 0);
  }
  return 1;
}

int DSound_Stop_All_Sounds() {
  for (int i = 0; i < MAX_SOUNDS; ++i) DSound_Stop_Sound(i);
  return 1;
}

int DSound_Delete_Sound(int id) {
  if (!DSound_Stop_Sound(id)) return 0;
  pcm_sound_typ* s = slot(id);
  if (s && s->sound_buffer) {
    plat::buffer_release(s->sound_buffer);
    s->sound_buffer = nullptr;
  }
  return 1;
}

int DSound_Delete_All_Sounds() {
  for (int i = 0; i < MAX_SOUNDS; ++i) DSound_Delete_Sound(i);
  return 1;
}

int DSound_Status_Sound(int id) {
  plat::SoundBuffer* buffer = buffer_of(id);
  if (!buffer) return -1;
  uint32_t status = 0;
  plat::buffer_get_status(buffer, &status);
  return static_cast<int>(status);
}

int DSound_Shutdown() {
  DSound_Stop_All_Sounds();
  for (int i = 0; i < MAX_SOUNDS; ++i) {
    if (sound_fx[i].sound_buffer) {
      plat::buffer_release(sound_fx[i].sound_buffer);
      sound_fx[i].sound_buffer = nullptr;
    }
  }
  // Cleared, so no later call can reach a released device.
  if (lpds) {
    plat::sound_device_release(lpds);
    lpds = nullptr;
  }
  return 1;
}

void DSound_Reset_Module() {
  DSound_Shutdown();
  std::memset(sound_fx, 0, sizeof sound_fx);
  first_time = 1;
}
