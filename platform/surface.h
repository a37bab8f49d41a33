// Surfaces in memory and the blits between them: our own software stand-in
// for the display device's surfaces, clippers and palettes.
#pragma once
#include <cstdint>
#include <vector>

namespace plat {

// Left and top inclusive, right and bottom exclusive.
struct Rect {
  int32_t left, top, right, bottom;
};

struct PaletteEntry {
  uint8_t red, green, blue, flags;
};

struct Palette {
  PaletteEntry entries[256];
  struct Surface* shown_on = nullptr;  // the primary surface it colours, if any
};

struct Clipper {
  std::vector<Rect> rects;  // the region: the union of these
};

struct Display;

struct Surface {
  int32_t width = 0, height = 0;
  int32_t bpp = 16;   // 8 or 16
  int32_t pitch = 0;  // bytes per row
  uint8_t* memory = nullptr;
  bool has_color_key = false;
  uint32_t color_key = 0;
  Clipper* clipper = nullptr;  // not owned
  int32_t lock_count = 0;
  Display* display = nullptr;  // set on primary surfaces: drawing on them shows it
  Palette* palette = nullptr;  // primary at 8 bits: the colours it is shown in
  Surface* back = nullptr;     // full screen: the attached back buffer
};

// A zeroed surface of 8 or 16 bits per pixel; null for other depths or sizes
// that are not positive.
Surface* create_surface(int32_t width, int32_t height, int32_t bpp);
void release_surface(Surface* surface);
void set_color_key(Surface* surface, uint32_t key);

Clipper* create_clipper();
void set_clip_list(Clipper* clipper, const Rect* rects, int32_t count);
void release_clipper(Clipper* clipper);
// Later blits into the surface are cut to the clipper's region (null: only
// to the surface itself).
void set_clipper(Surface* surface, Clipper* clipper);

Palette* create_palette(const PaletteEntry* entries);
void set_palette_entries(Palette* palette, int32_t first, int32_t count,
                         const PaletteEntry* entries);
void get_palette_entries(const Palette* palette, int32_t first, int32_t count,
                         PaletteEntry* entries);
void release_palette(Palette* palette);

uint8_t* lock(Surface* surface, int32_t* pitch);
void unlock(Surface* surface);

// Fills the rectangle (null: the whole surface) with a pixel value, cut by
// the surface's clipper.
bool fill(Surface* dst, const Rect* dst_rect, uint32_t color);

// Copies src_rect of src (null: all of it) onto dst_rect of dst (null: all of
// dst), stretched when the sizes differ; with keyed, source pixels equal to
// the source's colour key are left out. Cut by the destination's clipper.
// Fails when the surfaces differ in depth or a rectangle is empty or
// reaches outside its source.
bool blit(Surface* dst, const Rect* dst_rect, Surface* src, const Rect* src_rect, bool keyed);

}  // namespace plat
