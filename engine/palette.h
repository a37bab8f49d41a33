// The 8-bit palette: entries, whole palettes and palette files.
#pragma once
#include "platform/surface.h"

int Load_Palette_From_File(char* filename, plat::PaletteEntry* palette);
