// A device context on a surface: text colour, background mode and text
// output, drawn with one plain sans-serif font whose glyphs are rasterised
// once and kept.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace plat {

constexpr int32_t BK_TRANSPARENT = 1;
constexpr int32_t BK_OPAQUE = 2;

struct DeviceContext {
  Surface* surface = nullptr;
  uint32_t text_color = 0;  // red in bits 0-7, green 8-15, blue 16-23
  int32_t bk_mode = BK_OPAQUE;
};

// A context for drawing on the surface; null when the surface is null, is
// locked, has a depth text cannot be drawn at (8 bits without a palette), or
// no font can be opened.
DeviceContext* get_dc(Surface* surface);
void release_dc(DeviceContext* dc);

void set_text_color(DeviceContext* dc, uint32_t color);
void set_bk_mode(DeviceContext* dc, int32_t mode);

// Writes length characters with the top-left corner of the line at (x, y).
// Only the characters' own pixels are written; text past the surface's edge
// is cut. The opaque background mode is not offered: it draws like the
// transparent one.
bool text_out(DeviceContext* dc, int32_t x, int32_t y, const char* text, int32_t length);

// Height of a line of text in pixels (0 when no font can be opened).
int32_t text_line_height();

}  // namespace plat
