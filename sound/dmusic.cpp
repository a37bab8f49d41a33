#include "sound/dmusic.h"

#include "shell/winmain.h"
#include "sound/dsound.h"

DMUSIC_MIDI_TYP dm_midi[DM_NUM_SEGMENTS];
int32_t dm_active_id = -1;
plat::MusicPerformance* dm_perf = nullptr;
plat::MusicLoader* dm_loader = nullptr;

namespace {

// The slot for an id, or null for one outside the table.
DMUSIC_MIDI_TYP* slot(int id) { return id >= 0 && id < DM_NUM_SEGMENTS ? &dm_midi[id] : nullptr; }

DMUSIC_MIDI_TYP* loaded_slot(int id) {
  DMUSIC_MIDI_TYP* s = slot(id);
  return s && s->segment && s->state != MIDI_SLOT_EMPTY ? s : nullptr;
}

void delete_slot(DMUSIC_MIDI_TYP* s) {
  if (!s->segment) return;
  plat::segment_set_param(s->segment, plat::SegmentParam::Unload, dm_perf);
  plat::segment_release(s->segment);
  s->segment = nullptr;
  s->segment_state = nullptr;
  s->state = MIDI_SLOT_EMPTY;
}

}  // namespace

int DMusic_Init() {
  if (plat::music_initialize() < 0) return 0;
  if (plat::performance_create(&dm_perf) < 0) return 0;
  if (plat::performance_init(dm_perf, lpds, main_window_handle) < 0) return 0;
  if (plat::performance_add_port(dm_perf) < 0) return 0;
  if (plat::loader_create(&dm_loader) < 0) return 0;
  for (int i = 0; i < DM_NUM_SEGMENTS; ++i) {
    dm_midi[i].segment = nullptr;
    dm_midi[i].segment_state = nullptr;
    dm_midi[i].state = MIDI_SLOT_EMPTY;
    dm_midi[i].slot_id = i;
  }
  dm_active_id = -1;
  return 1;
}

int DMusic_Load_MIDI(const char* filename) {
  int id = -1;
  for (int i = 0; i < DM_NUM_SEGMENTS; ++i) {
    if (dm_midi[i].state == MIDI_SLOT_EMPTY) {
      id = i;
      break;
    }
  }
  if (id < 0) return -1;
  // A module that did not start has nothing to load with.
  if (!dm_loader || !dm_perf || !filename) return -1;

  char directory[plat::kMaxMusicPath];
  if (!plat::current_directory(directory, sizeof directory)) return -1;
  // Set on every load: relative names follow the current directory of the
  // moment.
  if (plat::loader_set_search_directory(dm_loader, directory) < 0) return -1;

  plat::MusicSegment* segment = nullptr;
  if (plat::loader_load_segment(dm_loader, filename, &segment) < 0) return -1;
  if (plat::segment_set_param(segment, plat::SegmentParam::StandardMidiFile, dm_perf) < 0 ||
      plat::segment_set_param(segment, plat::SegmentParam::Download, dm_perf) < 0) {
    plat::segment_release(segment);
    return -1;
  }
  dm_midi[id].segment = segment;
  dm_midi[id].segment_state = nullptr;
  dm_midi[id].state = MIDI_SLOT_LOADED;
  return id;
}

int DMusic_Play(int id) {
  DMUSIC_MIDI_TYP* s = loaded_slot(id);
  if (!s) return 0;
  if (dm_active_id != -1) DMusic_Stop(dm_active_id);
  plat::performance_play_segment(dm_perf, s->segment, 0, 0, &s->segment_state);
  s->state = MIDI_SLOT_PLAYING;
  dm_active_id = id;
  return 1;
}

int DMusic_Stop(int id) {
  DMUSIC_MIDI_TYP* s = loaded_slot(id);
  if (!s) return 0;
  plat::performance_stop(dm_perf, s->segment, nullptr, 0, 0);
  s->state = MIDI_SLOT_STOPPED;
  dm_active_id = -1;
  return 1;
}

int DMusic_Status_MIDI(int id) {
  DMUSIC_MIDI_TYP* s = loaded_slot(id);
  if (!s) return 0;
  s->state = plat::performance_is_playing(dm_perf, s->segment, nullptr) == plat::MUSIC_OK
                 ? MIDI_SLOT_PLAYING
                 : MIDI_SLOT_STOPPED;
  return s->state;
}

int DMusic_Delete_MIDI(int id) {
  if (DMUSIC_MIDI_TYP* s = slot(id)) delete_slot(s);
  return 1;
}

int DMusic_Delete_All_MIDI() {
  for (int i = 0; i < DM_NUM_SEGMENTS; ++i) delete_slot(&dm_midi[i]);
  return 1;
}

int DMusic_Shutdown() {
  if (dm_perf) plat::performance_stop(dm_perf, nullptr, nullptr, 0, 0);
  DMusic_Delete_All_MIDI();
  if (dm_perf) {
    plat::performance_close_down(dm_perf);
    plat::performance_release(dm_perf);
    dm_perf = nullptr;
  }
  if (dm_loader) {
    plat::loader_release(dm_loader);
    dm_loader = nullptr;
  }
  plat::music_uninitialize();
  return 1;
}
