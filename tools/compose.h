// The game's music and its brass-and-strings effects, composed as MIDI.
#pragma once
#include <cstdint>
#include <vector>

// Battle music in D minor, 100 beats a minute, 80 beats: exactly 48 seconds,
// every note ended by its last beat so the piece loops.
constexpr double kMusicSeconds = 48.0;
std::vector<uint8_t> compose_music();
// A short victory fanfare in D major.
std::vector<uint8_t> compose_fanfare();
// A short mournful phrase in D minor.
std::vector<uint8_t> compose_lament();
// Two brass notes: an order acknowledged.
std::vector<uint8_t> compose_acknowledge();
// Four piano notes, a tempo change half-way: the MIDI module's test file.
std::vector<uint8_t> compose_test_phrase();
