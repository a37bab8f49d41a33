// MIDI music: up to 64 standard MIDI files held as segments in numbered slots,
// played one at a time through the music performance.
#pragma once
#include <cstdint>

#include "platform/music.h"

constexpr int DM_NUM_SEGMENTS = 64;
constexpr int MIDI_SLOT_EMPTY = 0;
constexpr int MIDI_SLOT_LOADED = 1;
constexpr int MIDI_SLOT_PLAYING = 2;
constexpr int MIDI_SLOT_STOPPED = 3;

struct DMUSIC_MIDI_TYP {
  plat::MusicSegment* segment;
  plat::MusicSegmentState* segment_state;
  int32_t slot_id;
  int32_t state;
};

extern DMUSIC_MIDI_TYP dm_midi[DM_NUM_SEGMENTS];
extern int32_t dm_active_id;
extern plat::MusicPerformance* dm_perf;
extern plat::MusicLoader* dm_loader;

int DMusic_Init();
int DMusic_Shutdown();
int DMusic_Load_MIDI(const char* filename);
int DMusic_Play(int id);
int DMusic_Stop(int id);
int DMusic_Status_MIDI(int id);
int DMusic_Delete_MIDI(int id);
int DMusic_Delete_All_MIDI();
