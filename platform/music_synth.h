// The soundfont synthesizer behind the music service (platform layer only).
#pragma once
#include <cstdint>
#include <memory>

#include "platform/midi_file.h"

typedef struct _fluid_synth_t fluid_synth_t;

namespace plat {

struct MusicSegment {
  std::shared_ptr<const MidiSequence> sequence;
  uint64_t id = 0;  // told apart by id, never by address, once released
};

struct MusicPerformance;
bool performance_has_synth(MusicPerformance* perf);

// The process's one live synthesizer, made with its soundfont on first use;
// null when no soundfont can be loaded.
fluid_synth_t* shared_synth();
void synth_send(fluid_synth_t* synth, const MidiEvent& event);
// Silences every voice and puts controllers and programs back.
void synth_reset(fluid_synth_t* synth);
// Renders `frames` stereo frames, interleaved, into `out` (overwriting).
void synth_render(fluid_synth_t* synth, float* out, int frames);
int synth_active_voices(fluid_synth_t* synth);

}  // namespace plat
