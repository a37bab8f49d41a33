// Composing helper: notes and controls placed in beats, written out as a
// standard MIDI file (format 1, running status).
#pragma once
#include <cstdint>
#include <vector>

struct MidiTrackEvent {
  uint32_t tick;
  int order;  // keeps note-offs before note-ons at the same tick
  std::vector<uint8_t> bytes;
};

struct MidiTrack {
  std::vector<MidiTrackEvent> events;
};

constexpr int kTicksPerBeat = 480;

void add_note(MidiTrack* track, double beat, double length, int channel, int key, int velocity);
void add_program(MidiTrack* track, double beat, int channel, int program);
void add_control(MidiTrack* track, double beat, int channel, int control, int value);
void add_tempo(MidiTrack* track, double beat, double beats_per_minute);

// The whole file; tracks[0] usually carries the tempo.
std::vector<uint8_t> write_midi_file(const std::vector<MidiTrack>& tracks);
