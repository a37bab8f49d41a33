// The music service: a loader that reads standard MIDI files into segments,
// and a performance that plays one segment at a time through a General MIDI
// soundfont synthesizer, mixed into the sound device's output.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/audio.h"
#include "platform/midi_file.h"

namespace plat {

struct MusicPerformance;
struct MusicLoader;
struct MusicSegment;
struct MusicSegmentState;

constexpr int32_t MUSIC_OK = 0;
constexpr int32_t MUSIC_FALSE = 1;  // "no" without an error (is_playing)
constexpr int32_t MUSIC_E_FAIL = -1;
constexpr int32_t MUSIC_E_NOT_FOUND = -2;
constexpr int32_t MUSIC_E_NO_SYNTH = -3;

constexpr int kMaxMusicPath = 260;  // bytes with the terminator

enum class SegmentParam { StandardMidiFile, Download, Unload };

// The General MIDI soundfont the synthesizer uses, or null when none is
// installed.
const char* soundfont_path();

// The current directory into `buffer` (NUL-terminated); false when it can't be
// read or does not fit.
bool current_directory(char* buffer, int size);

// The service's per-thread start and end.
int32_t music_initialize();
void music_uninitialize();

int32_t performance_create(MusicPerformance** out);
// Attaches the performance to the sound device's output.
int32_t performance_init(MusicPerformance* perf, SoundDevice* device, void* window);
// The synthesizer and its soundfont; loaded once per process, on first use.
int32_t performance_add_port(MusicPerformance* perf);
// Starts `segment` from its beginning, replacing whatever played before.
int32_t performance_play_segment(MusicPerformance* perf, MusicSegment* segment, uint32_t flags,
                                 int64_t start_time, MusicSegmentState** state);
// Silences `segment` at once if it is the one playing; null stops all music.
int32_t performance_stop(MusicPerformance* perf, MusicSegment* segment, MusicSegmentState* state,
                         int64_t time, uint32_t flags);
// MUSIC_OK while `segment` is playing, MUSIC_FALSE otherwise.
int32_t performance_is_playing(MusicPerformance* perf, MusicSegment* segment,
                               MusicSegmentState* state);
void performance_close_down(MusicPerformance* perf);
void performance_release(MusicPerformance* perf);

int32_t loader_create(MusicLoader** out);
// Relative file names are looked up in this directory.
int32_t loader_set_search_directory(MusicLoader* loader, const char* directory);
int32_t loader_load_segment(MusicLoader* loader, const char* filename, MusicSegment** out);
void loader_release(MusicLoader* loader);

int32_t segment_set_param(MusicSegment* segment, SegmentParam param, MusicPerformance* perf);
void segment_release(MusicSegment* segment);
double segment_length_seconds(const MusicSegment* segment);

// Offline: plays `sequence` through a synthesizer of its own with the soundfont
// for `seconds` and returns interleaved stereo float samples at `rate`.
bool render_midi_to_pcm(const MidiSequence& sequence, int rate, double seconds,
                        std::vector<float>* out);

}  // namespace plat
