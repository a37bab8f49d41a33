// The 8-bit palette: single entries and whole palettes, palette files,
// colour rotation and blinking lights. The device palette (lpddpal) exists
// only when the display runs at 8 bits per pixel; without it the device
// writes are skipped and the operations that live on the device refuse.
#pragma once
#include <cstdint>

#include "platform/surface.h"

using PALETTEENTRY = plat::PaletteEntry;
using LPPALETTEENTRY = plat::PaletteEntry*;

constexpr int MAX_COLORS_PALETTE = 256;

// One blinking light: a palette entry that switches between two colours.
struct BLINKER_TYP {
  int palette_index;
  PALETTEENTRY on_entry;
  PALETTEENTRY off_entry;
  int on_frames;
  int off_frames;
  int tick;
  int phase;  // 0 free, 1 on, -1 off
};

constexpr int BLINKER_ADD = 0;
constexpr int BLINKER_DELETE = 1;
constexpr int BLINKER_UPDATE = 2;
constexpr int BLINKER_RUN = 3;

// Entry color_index (0..255) to the device and the engine palette; 0 for an
// index outside the palette or a null entry.
int Set_Palette_Entry(int color_index, LPPALETTEENTRY color);
// The engine palette's entry; 0 for an index outside the palette or a null
// entry.
int Get_Palette_Entry(int color_index, LPPALETTEENTRY color);
int Save_Palette(LPPALETTEENTRY sav_palette);
int Set_Palette(LPPALETTEENTRY set_palette);
// Text files of 256 lines "r g b flags"; numbers keep their low 8 bits.
int Load_Palette_From_File(const char* filename, LPPALETTEENTRY palette);
int Save_Palette_To_File(const char* filename, LPPALETTEENTRY palette);
// Moves every device colour of start_index..end_index one index up, the last
// wrapping to the first, and reads the device back into the engine palette.
// 0 without a device palette or for a range outside 0..255 or backwards.
int Rotate_Colors(int start_index, int end_index);
// command 0 add (returns the id), 1 delete, 2 update (return id), 3 run;
// -1 when the light is not in use, the table is full or the record is bad.
int Blink_Colors(int command, BLINKER_TYP* new_light, int id);
