#include "tools/compose.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "tools/midi_writer.h"

namespace {

// GM programs and drum keys.
enum Program {
  kPiano = 0,
  kTimpani = 47,
  kStrings = 48,
  kChoir = 52,
  kTrumpet = 56,
  kHorn = 60,
  kBrass = 61,
  kEnglishHorn = 69,
  kRecorder = 74,
  kCello = 42,
};
constexpr int kDrums = 9;
constexpr int kKick = 36, kSnare = 38, kLowTom = 41, kMidTom = 45, kHighTom = 48, kCrash = 49;

// "D5", "F#4", "Bb3" to a key number (C4 = 60).
int key_of(const std::string& name) {
  static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  int key = steps[std::toupper(name[0]) - 'A'];
  size_t i = 1;
  if (i < name.size() && name[i] == '#') ++key, ++i;
  if (i < name.size() && name[i] == 'b') --key, ++i;
  return key + 12 * (std::atoi(name.c_str() + i) + 1);
}

// Plays a line written as "D5:1 F5:.5 r:1 ..." (name:beats, r for a rest)
// from `beat`, each note held for `legato` of its length. Returns the end.
double line(MidiTrack* t, int ch, double beat, const std::string& text, int velocity,
            double legato = 0.95, int transpose = 0) {
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) break;
    const size_t colon = text.find(':', pos);
    const size_t end = text.find(' ', colon);
    const std::string name = text.substr(pos, colon - pos);
    const double length = std::atof(text.substr(colon + 1, end - colon - 1).c_str());
    if (name != "r") add_note(t, beat, length * legato, ch, key_of(name) + transpose, velocity);
    beat += length;
    pos = end == std::string::npos ? text.size() : end;
  }
  return beat;
}

void chord(MidiTrack* t, int ch, double beat, double length, const std::string& notes,
           int velocity) {
  size_t pos = 0;
  while (pos < notes.size()) {
    const size_t end = notes.find(' ', pos);
    add_note(t, beat, length, ch, key_of(notes.substr(pos, end - pos)), velocity);
    pos = end == std::string::npos ? notes.size() : end + 1;
  }
}

void setup(MidiTrack* t, int ch, int program, int volume, int reverb, int pan = 64) {
  add_program(t, 0, ch, program);
  add_control(t, 0, ch, 7, volume);
  add_control(t, 0, ch, 91, reverb);
  add_control(t, 0, ch, 10, pan);
}

struct Bar {
  const char* chord;   // voicing for the strings
  const char* root;    // bass note
  const char* second;  // second half of the bar: chord and root, or null
  const char* second_root;
};

// D minor, twenty bars: A (1-8), B (9-16), C (17-20) back to the top.
const Bar kBars[20] = {
    {"D3 A3 D4 F4", "D2", nullptr, nullptr},       {"D3 A3 D4 F4", "D2", nullptr, nullptr},
    {"Bb2 F3 Bb3 D4", "Bb1", nullptr, nullptr},    {"C3 G3 C4 E4", "C2", nullptr, nullptr},
    {"D3 A3 D4 F4", "D2", nullptr, nullptr},       {"F3 A3 C4 F4", "F2", nullptr, nullptr},
    {"C3 G3 C4 E4", "C2", nullptr, nullptr},       {"A2 E3 A3 C#4", "A1", nullptr, nullptr},
    {"G2 D3 G3 Bb3", "G1", nullptr, nullptr},      {"D3 A3 D4 F4", "D2", nullptr, nullptr},
    {"Bb2 F3 Bb3 D4", "Bb1", nullptr, nullptr},    {"F3 A3 C4 F4", "F2", nullptr, nullptr},
    {"G2 D3 G3 Bb3", "G1", nullptr, nullptr},      {"D3 A3 D4 F4", "D2", nullptr, nullptr},
    {"Bb2 F3 Bb3 D4", "Bb1", "C3 G3 C4 E4", "C2"}, {"A2 E3 A3 C#4", "A1", nullptr, nullptr},
    {"D3 A3 D4 F4", "D2", nullptr, nullptr},       {"C3 G3 C4 E4", "C2", nullptr, nullptr},
    {"Bb2 F3 Bb3 D4", "Bb1", nullptr, nullptr},    {"A2 E3 A3 C#4", "A1", nullptr, nullptr},
};

const char* kMelodyA =
    "D5:1 F5:.5 E5:.5 D5:1 A4:1 D5:1.5 E5:.5 F5:1 G5:1 A5:2 G5:1 F5:1 E5:1 C5:1 E5:1 G5:1 "
    "F5:1.5 E5:.5 D5:1 A4:1 C5:1 F5:1 A5:1 G5:.5 F5:.5 E5:1 G5:1 C5:1 E5:1 C#5:2 E5:1 A4:1";
const char* kMelodyB =
    "G5:2 A5:1 Bb5:1 A5:2 F5:1 D5:1 F5:1.5 G5:.5 F5:1 D5:1 C5:2 F5:2 "
    "Bb5:2 A5:1 G5:1 A5:1 F5:1 D5:2 D5:1 F5:1 E5:1 G5:1 A5:3 E5:1";
const char* kMelodyC =
    "D5:.5 D5:.5 A5:1 F5:1 D5:1 C5:.5 C5:.5 G5:1 E5:1 C5:1 "
    "Bb4:.5 D5:.5 F5:1 D5:1 Bb4:1 A4:1 C#5:1 E5:1 A5:1";

}  // namespace

std::vector<uint8_t> compose_music() {
  MidiTrack tempo, strings, horns, trumpet, bass, timpani, recorder, choir, drums;
  add_tempo(&tempo, 0, 100);
  setup(&strings, 0, kStrings, 92, 70, 56);
  setup(&horns, 1, kHorn, 100, 60, 72);
  setup(&trumpet, 2, kTrumpet, 88, 70, 60);
  setup(&bass, 3, kCello, 100, 40, 50);
  setup(&timpani, 4, kTimpani, 110, 60, 64);
  setup(&recorder, 5, kRecorder, 96, 70, 76);
  setup(&choir, 6, kChoir, 70, 90, 64);
  add_control(&drums, 0, kDrums, 7, 90);
  add_control(&drums, 0, kDrums, 91, 50);

  for (int bar = 0; bar < 20; ++bar) {
    const Bar& b = kBars[bar];
    const double at = bar * 4.0;
    const bool full = bar >= 8;  // sections B and C
    const int string_velocity = full ? 88 : 70;
    if (b.second) {
      chord(&strings, 0, at, 2, b.chord, string_velocity);
      chord(&strings, 0, at + 2, 2, b.second, string_velocity);
    } else {
      chord(&strings, 0, at, 4, b.chord, string_velocity);
    }
    if (bar >= 8 && bar < 16) chord(&choir, 6, at, 4, b.chord, 62);

    // The galloping bass: an eighth and two sixteenths to every beat.
    for (int beat = 0; beat < 4; ++beat) {
      const char* root = b.second && beat >= 2 ? b.second_root : b.root;
      const int key = key_of(root) + 12;
      const double t = at + beat;
      const int accent = beat == 0 ? 100 : 84;
      add_note(&bass, t, 0.4, 3, key, accent);
      add_note(&bass, t + 0.5, 0.2, 3, key, 72);
      add_note(&bass, t + 0.75, 0.2, 3, key, 76);
    }

    // Timpani on the strong beats; a roll into the top of the loop.
    const int drum_root = key_of(b.root) + 24;
    const int timp = drum_root > 55 ? drum_root - 12 : drum_root;
    if (bar == 19) {
      for (int i = 0; i < 16; ++i) {
        add_note(&timpani, at + i * 0.25, 0.24, 4, timp, 50 + i * 4);
      }
    } else {
      add_note(&timpani, at, 1.5, 4, timp, full ? 105 : 85);
      add_note(&timpani, at + 2, 1.5, 4, timp, full ? 90 : 70);
    }

    // A marching snare; kick on one and three; fills before each section.
    const bool fill = bar == 7 || bar == 15;
    const double snare[] = {0, 0.75, 1, 1.5, 2, 2.75, 3, 3.5};
    for (double s : snare) {
      if (fill && s >= 3) continue;
      const int v = (s == 0 || s == 2) ? 78 : 58;
      add_note(&drums, at + s, 0.1, kDrums, kSnare, full ? v + 10 : v - 8);
    }
    add_note(&drums, at, 0.2, kDrums, kKick, 96);
    add_note(&drums, at + 2, 0.2, kDrums, kKick, 84);
    if (fill) {
      const int toms[] = {kHighTom, kHighTom, kMidTom, kMidTom, kLowTom, kLowTom, kLowTom, kKick};
      for (int i = 0; i < 8; ++i)
        add_note(&drums, at + 3 + i * 0.125, 0.1, kDrums, toms[i], 80 + i * 5);
    }
    if (bar == 8 || bar == 16) add_note(&drums, at, 2, kDrums, kCrash, 96);
  }

  line(&recorder, 5, 0, kMelodyA, 92, 0.92);
  line(&horns, 1, 32, kMelodyB, 104, 0.96, -12);
  line(&trumpet, 2, 64, kMelodyC, 100, 0.85);
  // Horns answer the trumpet an octave down in section C.
  line(&horns, 1, 64, kMelodyC, 84, 0.9, -12);

  return write_midi_file({tempo, strings, horns, trumpet, bass, timpani, recorder, choir, drums});
}

std::vector<uint8_t> compose_fanfare() {
  MidiTrack tempo, t1, t2, horn, strings, timp, drums;
  add_tempo(&tempo, 0, 120);
  setup(&t1, 0, kTrumpet, 112, 60, 54);
  setup(&t2, 1, kTrumpet, 100, 60, 74);
  setup(&horn, 2, kHorn, 100, 60, 64);
  setup(&strings, 3, kStrings, 90, 70, 64);
  setup(&timp, 4, kTimpani, 110, 50, 64);
  add_control(&drums, 0, kDrums, 91, 60);
  line(&t1, 0, 0, "D5:.333 D5:.333 D5:.334 A5:1 F#5:.5 A5:.5 D6:3", 110, 0.9);
  line(&t2, 1, 0, "A4:.333 A4:.333 A4:.334 F#5:1 D5:.5 F#5:.5 A5:3", 96, 0.9);
  chord(&horn, 2, 1, 5, "D4 A4", 92);
  chord(&strings, 3, 1, 1, "D3 A3 D4 F#4", 80);
  chord(&strings, 3, 3, 3, "D3 A3 D4 F#4 A4", 96);
  add_note(&timp, 1, 0.5, 4, key_of("D3"), 110);
  for (int i = 0; i < 6; ++i) add_note(&timp, 2 + i * 0.166, 0.16, 4, key_of("A2"), 70 + 6 * i);
  add_note(&timp, 3, 1.5, 4, key_of("D3"), 120);
  add_note(&drums, 3, 2, kDrums, kCrash, 100);
  return write_midi_file({tempo, t1, t2, horn, strings, timp, drums});
}

std::vector<uint8_t> compose_lament() {
  MidiTrack tempo, lead, strings, choir, timp;
  add_tempo(&tempo, 0, 72);
  setup(&lead, 0, kEnglishHorn, 108, 80, 70);
  setup(&strings, 1, kStrings, 96, 90, 58);
  setup(&choir, 2, kChoir, 70, 100, 64);
  setup(&timp, 3, kTimpani, 90, 70, 64);
  line(&lead, 0, 0, "A4:1 F4:.5 E4:.5 D4:1 C#4:.75 D4:2.25", 92, 0.98);
  chord(&strings, 1, 0, 2, "D3 F3 A3", 70);
  chord(&strings, 1, 2, 1, "Bb2 D3 G3", 66);
  chord(&strings, 1, 3, 0.75, "A2 C#3 E3", 66);
  chord(&strings, 1, 3.75, 2.25, "D2 D3 F3 A3", 60);
  chord(&choir, 2, 0, 3.75, "D4 A4", 50);
  chord(&choir, 2, 3.75, 2.25, "D4 F4", 44);
  add_note(&timp, 3, 0, 2, key_of("D2") + 12, 70);
  add_note(&timp, 3, 3.75, 2, key_of("D2") + 12, 56);
  return write_midi_file({tempo, lead, strings, choir, timp});
}

std::vector<uint8_t> compose_acknowledge() {
  MidiTrack tempo, brass, horn;
  add_tempo(&tempo, 0, 132);
  setup(&brass, 0, kTrumpet, 100, 50, 64);
  setup(&horn, 1, kHorn, 110, 50, 64);
  line(&brass, 0, 0, "A4:.33 D5:.75", 96, 0.85);
  line(&horn, 1, 0, "D4:.33 A4:.75", 100, 0.85);
  return write_midi_file({tempo, brass, horn});
}

std::vector<uint8_t> compose_test_phrase() {
  MidiTrack tempo, piano;
  add_tempo(&tempo, 0, 240);
  add_tempo(&tempo, 2, 120);
  add_program(&piano, 0, 0, kPiano);
  line(&piano, 0, 0, "C4:1 E4:1 G4:1 C5:1", 100, 0.9);
  return write_midi_file({tempo, piano});
}
