// The loader: MIDI files read into segments, relative names looked up in the
// search directory.
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>

#include "platform/music.h"
#include "platform/music_synth.h"

namespace plat {

struct MusicLoader {
  std::string directory;
};

namespace {
std::atomic<uint64_t> next_segment_id{1};
}  // namespace

bool current_directory(char* buffer, int size) {
  return buffer && size > 0 && getcwd(buffer, static_cast<size_t>(size)) != nullptr;
}

int32_t loader_create(MusicLoader** out) {
  if (!out) return MUSIC_E_FAIL;
  *out = new MusicLoader;
  return MUSIC_OK;
}

int32_t loader_set_search_directory(MusicLoader* loader, const char* directory) {
  if (!loader || !directory) return MUSIC_E_FAIL;
  if (std::strlen(directory) >= static_cast<size_t>(kMaxMusicPath)) return MUSIC_E_FAIL;
  loader->directory = directory;
  return MUSIC_OK;
}

int32_t loader_load_segment(MusicLoader* loader, const char* filename, MusicSegment** out) {
  if (!loader || !filename || !out) return MUSIC_E_FAIL;
  if (std::strlen(filename) >= static_cast<size_t>(kMaxMusicPath)) return MUSIC_E_NOT_FOUND;
  std::string path = filename;
  if (filename[0] != '/' && !loader->directory.empty()) path = loader->directory + "/" + filename;
  auto sequence = std::make_shared<MidiSequence>();
  if (!read_midi_file(path.c_str(), sequence.get())) return MUSIC_E_NOT_FOUND;
  auto* segment = new MusicSegment;
  segment->sequence = std::move(sequence);
  segment->id = next_segment_id++;
  *out = segment;
  return MUSIC_OK;
}

void loader_release(MusicLoader* loader) { delete loader; }

int32_t segment_set_param(MusicSegment* segment, SegmentParam param, MusicPerformance* perf) {
  if (!segment) return MUSIC_E_FAIL;
  switch (param) {
    case SegmentParam::StandardMidiFile:
    case SegmentParam::Unload: return MUSIC_OK;
    case SegmentParam::Download:
      // The instruments live in the performance's soundfont, loaded when its
      // port was added; a performance without one can't take them.
      return perf && performance_has_synth(perf) ? MUSIC_OK : MUSIC_E_NO_SYNTH;
  }
  return MUSIC_E_FAIL;
}

void segment_release(MusicSegment* segment) { delete segment; }

double segment_length_seconds(const MusicSegment* segment) {
  return segment && segment->sequence ? segment->sequence->length_seconds : 0;
}

}  // namespace plat
