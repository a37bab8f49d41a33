// The standard MIDI file reader on arbitrary bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::MidiSequence seq;
  if (!plat::parse_midi(data, size, &seq)) {
    if (!seq.events.empty()) std::abort();
    return 0;
  }
  // Times come out in order and finite, none past the end.
  double last = 0;
  for (const plat::MidiEvent& e : seq.events) {
    if (!std::isfinite(e.seconds) || e.seconds < last || e.seconds > seq.length_seconds) {
      std::abort();
    }
    if (e.status < 0x80 || e.status >= 0xF0 || e.data1 > 0x7F || e.data2 > 0x7F) std::abort();
    last = e.seconds;
  }
  return 0;
}
