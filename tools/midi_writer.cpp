#include "tools/midi_writer.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t tick_of(double beat) {
  return static_cast<uint32_t>(std::lround(std::max(0.0, beat) * kTicksPerBeat));
}

void put_u32(std::vector<uint8_t>* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(v >> shift));
}

void put_varlen(std::vector<uint8_t>* out, uint32_t v) {
  uint8_t bytes[5];
  int n = 0;
  bytes[n++] = v & 0x7F;
  while (v >>= 7) bytes[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
  while (n) out->push_back(bytes[--n]);
}

}  // namespace

void add_note(MidiTrack* t, double beat, double length, int channel, int key, int velocity) {
  const auto ch = static_cast<uint8_t>(channel & 0x0F);
  const auto k = static_cast<uint8_t>(std::clamp(key, 0, 127));
  const auto v = static_cast<uint8_t>(std::clamp(velocity, 1, 127));
  t->events.push_back({tick_of(beat), 1, {static_cast<uint8_t>(0x90 | ch), k, v}});
  // A note-on of velocity 0 ends the note, which keeps running status going.
  t->events.push_back({tick_of(beat + length), 0, {static_cast<uint8_t>(0x90 | ch), k, 0}});
}

void add_program(MidiTrack* t, double beat, int channel, int program) {
  t->events.push_back(
      {tick_of(beat),
       -1,
       {static_cast<uint8_t>(0xC0 | (channel & 0x0F)), static_cast<uint8_t>(program & 0x7F)}});
}

void add_control(MidiTrack* t, double beat, int channel, int control, int value) {
  t->events.push_back({tick_of(beat),
                       -1,
                       {static_cast<uint8_t>(0xB0 | (channel & 0x0F)),
                        static_cast<uint8_t>(control & 0x7F), static_cast<uint8_t>(value & 0x7F)}});
}

void add_tempo(MidiTrack* t, double beat, double bpm) {
  const auto micros = static_cast<uint32_t>(std::lround(60e6 / bpm));
  t->events.push_back({tick_of(beat),
                       -2,
                       {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16),
                        static_cast<uint8_t>(micros >> 8), static_cast<uint8_t>(micros)}});
}

std::vector<uint8_t> write_midi_file(const std::vector<MidiTrack>& tracks) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
  put_u32(&out, 6);
  out.insert(out.end(), {0, 1, 0, static_cast<uint8_t>(tracks.size()), kTicksPerBeat >> 8,
                         kTicksPerBeat & 0xFF});
  for (const MidiTrack& track : tracks) {
    std::vector<MidiTrackEvent> events = track.events;
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    uint8_t running = 0;
    for (const MidiTrackEvent& e : events) {
      put_varlen(&body, e.tick - now);
      now = e.tick;
      size_t from = 0;
      if (e.bytes[0] < 0xF0 && e.bytes[0] == running) from = 1;  // running status
      running = e.bytes[0] < 0xF0 ? e.bytes[0] : running;
      body.insert(body.end(), e.bytes.begin() + static_cast<long>(from), e.bytes.end());
    }
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put_u32(&out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}
