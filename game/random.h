// The game's one random sequence, shared by combat, level-ups and the
// enemies' choice. Our own 15-bit generator, so a battle plays out the same
// on every machine and C library.
#pragma once

constexpr int GAME_RAND_MAX = 32767;

// Seeds the sequence; the sequence starts as if seeded with 1.
void Game_Srand(unsigned seed);
// Next value of the sequence, 0 to GAME_RAND_MAX.
int Game_Rand();
// Seeds the sequence from the calendar time in whole seconds.
void Reseed_From_Clock();
