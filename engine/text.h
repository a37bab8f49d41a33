// One line of text on a surface, in one colour over a transparent
// background.
#pragma once
#include <cstdint>

#include "platform/surface.h"

// Red in bits 0-7, green in 8-15, blue in 16-23.
using COLORREF = uint32_t;

// Colour given as a colour value. Returns 1, or 0 when the surface gives no
// device context (or the text is null).
int Draw_Text_GDI(const char* text, int x, int y, COLORREF color, plat::Surface* lpdds);
// Colour given as an index into the engine's palette; an index outside 0 to
// 255 draws nothing and returns 0.
int Draw_Text_GDI(const char* text, int x, int y, int color, plat::Surface* lpdds);
