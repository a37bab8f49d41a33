// Sound effects: 256 slots of sounds read from RIFF WAVE files into platform
// sound buffers, played, adjusted and released by slot number.
#pragma once
#include <cstdint>

#include "platform/audio.h"

constexpr int MAX_SOUNDS = 256;
constexpr int SOUND_SLOT_EMPTY = 0;
constexpr int SOUND_SLOT_LOADED = 1;

struct pcm_sound_typ {
  plat::SoundBuffer* sound_buffer;
  int32_t state;
  int32_t sample_rate;
  int32_t data_size;
  int32_t slot_id;
};

extern pcm_sound_typ sound_fx[MAX_SOUNDS];
extern plat::SoundDevice* lpds;
extern int32_t first_time;
extern plat::WaveFormat pcmwf;
extern plat::SoundBufferDesc dsbd;

int DSound_Init();
int DSound_Shutdown();
int DSound_Load_WAV(const char* filename, int control_flags);
int DSound_Replicate_Sound(int source_id);
int DSound_Play(int id, int flags, int volume, int rate, int pan);
int DSound_Set_Volume(int id, int vol);
int DSound_Set_Freq(int id, int freq);
int DSound_Set_Pan(int id, int pan);
int DSound_Stop_Sound(int id);
int DSound_Stop_All_Sounds();
int DSound_Delete_Sound(int id);
int DSound_Delete_All_Sounds();
int DSound_Status_Sound(int id);

// Back to the state at program start (device released, table zeroed, the
// next DSound_Init creating a device again), so tests can start afresh.
void DSound_Reset_Module();
