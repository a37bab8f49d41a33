// The display device: a primary surface that is the window's picture, a
// full-screen mode with a flip chain, and 8-bit surfaces shown through a
// palette. Our display runs 16-bit 5.6.5 pixels, or 8-bit palette indices
// when a caller asks for an 8-bit mode.
#pragma once
#include <cstdint>

#include "platform/surface.h"
#include "platform/window.h"

namespace plat {

Display* display_create(HWND window);
void display_release(Display* display);
// Full screen at the given size; 8 bits per pixel selects palette mode, any
// other depth 16-bit pixels.
bool display_set_mode(Display* display, int32_t width, int32_t height, int32_t bpp);
bool display_set_windowed(Display* display);
// What the primary surface reports as its RGB bit count.
int32_t display_bits_per_pixel(const Display* display);
// The surface the screen shows; with a flip chain, primary->back is the
// attached back buffer.
Surface* display_create_primary(Display* display, bool flip_chain);
// Full screen: the back buffer becomes visible.
bool display_flip(Surface* primary);
void display_set_palette(Surface* primary, Palette* palette);
void display_wait_vblank(Display* display);

// For the surface layer: where screen coordinates start on the primary
// surface, and the call that puts a changed part of it into the window.
void display_origin(const Display* display, int32_t* x, int32_t* y);
void display_show(Display* display, const Rect& changed);

}  // namespace plat

namespace plat {
// The depth the desktop runs at, which windowed displays take: 16 (5.6.5)
// unless a caller asks for an 8-bit palette desktop.
void set_desktop_bits(int32_t bpp);
int32_t desktop_bits();
}  // namespace plat
