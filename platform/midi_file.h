// Standard MIDI files (format 0 and 1): every track's channel messages merged
// into one list in time order, with tick times turned into seconds through
// the file's tempo changes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct MidiEvent {
  double seconds;  // from the start of the sequence
  uint8_t status;  // a channel message: 0x80..0xEF
  uint8_t data1;
  uint8_t data2;  // 0 for the one-byte messages (program change, channel pressure)
};

struct MidiSequence {
  int format = 0;
  int tracks = 0;
  std::vector<MidiEvent> events;
  double length_seconds = 0;  // the latest event or end of track
};

// False for anything that is not a well-formed format 0 or 1 file; `out` is
// then left empty.
bool parse_midi(const uint8_t* data, size_t size, MidiSequence* out);
bool read_midi_file(const char* path, MidiSequence* out);

}  // namespace plat
