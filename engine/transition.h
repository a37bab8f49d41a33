// Screen transitions: palette fades (8-bit displays), wipes and a dissolve
// to colour 0 in locked surface memory. Timed effects take one 12 ms frame
// of the frame clock per step and return when they are over.
#pragma once
#include <cstdint>

constexpr int SCREEN_FADE_BLACK = 0;
constexpr int SCREEN_FADE_WHITE = 1;
constexpr int SCREEN_WIPE_SIDES = 2;
constexpr int SCREEN_WIPE_TOP_BOTTOM = 3;
constexpr int SCREEN_DISSOLVE = 4;
constexpr int SCREEN_WIPE_ALL = 5;
constexpr int SCREEN_FADE_BLUE = 6;
constexpr int SCREEN_FADE_RED = 7;
constexpr int SCREEN_FADE_GREEN = 8;

// vbuffer and lpitch (bytes) are used by the wipes and the dissolve. Fades
// need the device palette and return at once without it; wipes and the
// dissolve draw nothing into a null buffer.
void Screen_Transitions(int effect, uint8_t* vbuffer, int lpitch);
