#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/blit_kernels.h"
#include "platform/display.h"

namespace plat {
namespace {

constexpr int32_t kRowAlign = 32;

bool empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

Rect intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

Rect whole(const Surface* s) { return {0, 0, s->width, s->height}; }

// Calls visit(piece) for every part of r inside the surface and its clipper.
template <typename Visit>
void for_each_clipped(const Surface* dst, const Rect& r, Visit visit) {
  Rect inside = intersect(r, whole(dst));
  if (empty(inside)) return;
  if (!dst->clipper) {
    visit(inside);
    return;
  }
  for (const Rect& c : dst->clipper->rects) {
    Rect piece = intersect(inside, c);
    if (!empty(piece)) visit(piece);
  }
}

// Drawing on a primary surface is drawing on the screen: its rectangles are
// in screen coordinates and the display shows what changed.
Rect to_surface_coords(const Surface* s, Rect r) {
  if (!s->display) return r;
  int32_t x0 = 0, y0 = 0;
  display_origin(s->display, &x0, &y0);
  return {r.left - x0, r.top - y0, r.right - x0, r.bottom - y0};
}

void shown(Surface* s, const Rect& r) {
  if (s->display) display_show(s->display, intersect(r, whole(s)));
}

template <typename Pixel>
void fill_rect(Surface* s, const Rect& r, Pixel value) {
  for (int32_t y = r.top; y < r.bottom; ++y) {
    Pixel* row = reinterpret_cast<Pixel*>(s->memory + y * s->pitch) + r.left;
    if constexpr (sizeof(Pixel) == 1)
      std::memset(row, value, r.right - r.left);
    else
      fill_row16(row, r.right - r.left, value);
  }
}

template <typename Pixel>
void copy_rect(Surface* dst, const Rect& piece, const Surface* src, int32_t sx, int32_t sy,
               bool keyed) {
  const int32_t w = piece.right - piece.left;
  const Pixel key = static_cast<Pixel>(src->color_key);
  if constexpr (sizeof(Pixel) == 2) {
    if (keyed && dst != src) {
      keyed_rect16(dst->memory + piece.top * dst->pitch + piece.left * 2, dst->pitch,
                   src->memory + sy * src->pitch + sx * 2, src->pitch, w, piece.bottom - piece.top,
                   key);
      return;
    }
  }
  for (int32_t y = piece.top; y < piece.bottom; ++y) {
    Pixel* d = reinterpret_cast<Pixel*>(dst->memory + y * dst->pitch) + piece.left;
    const Pixel* s =
        reinterpret_cast<const Pixel*>(src->memory + (sy + y - piece.top) * src->pitch) + sx;
    if (!keyed)
      std::memmove(d, s, w * sizeof(Pixel));
    else if constexpr (sizeof(Pixel) == 1)
      keyed_row8(d, s, w, key);
    else
      keyed_row16(d, s, w, key);
  }
}

// Nearest-pixel stretch: destination pixel (x, y) of the unclipped target
// rectangle takes source pixel sr.left + (x - dr.left) * sw / dw.
template <typename Pixel>
void stretch_rect(Surface* dst, const Rect& piece, const Rect& dr, const Surface* src,
                  const Rect& sr, bool keyed) {
  const int64_t sw = sr.right - sr.left, sh = sr.bottom - sr.top;
  const int64_t dw = dr.right - dr.left, dh = dr.bottom - dr.top;
  const Pixel key = static_cast<Pixel>(src->color_key);
  std::vector<int32_t> column(piece.right - piece.left);
  for (int32_t x = piece.left; x < piece.right; ++x)
    column[x - piece.left] = static_cast<int32_t>(sr.left + (x - dr.left) * sw / dw);
  for (int32_t y = piece.top; y < piece.bottom; ++y) {
    int32_t row = static_cast<int32_t>(sr.top + (y - dr.top) * sh / dh);
    const Pixel* s = reinterpret_cast<const Pixel*>(src->memory + row * src->pitch);
    Pixel* d = reinterpret_cast<Pixel*>(dst->memory + y * dst->pitch) + piece.left;
    for (size_t i = 0; i < column.size(); ++i) {
      Pixel p = s[column[i]];
      if (!keyed || p != key) d[i] = p;
    }
  }
}

}  // namespace

Surface* create_surface(int32_t width, int32_t height, int32_t bpp) {
  if (width <= 0 || height <= 0 || (bpp != 8 && bpp != 16)) return nullptr;
  if (int64_t(width) * height > (int64_t(1) << 28)) return nullptr;
  auto* s = new Surface;
  s->width = width;
  s->height = height;
  s->bpp = bpp;
  s->pitch = (width * (bpp / 8) + kRowAlign - 1) / kRowAlign * kRowAlign;
  size_t bytes = size_t(s->pitch) * height;
  s->memory = static_cast<uint8_t*>(std::aligned_alloc(64, (bytes + 63) / 64 * 64));
  if (!s->memory) {
    delete s;
    return nullptr;
  }
  std::memset(s->memory, 0, bytes);
  return s;
}

void release_surface(Surface* surface) {
  if (!surface) return;
  if (surface->palette && surface->palette->shown_on == surface)
    surface->palette->shown_on = nullptr;
  std::free(surface->memory);
  delete surface;
}

void set_color_key(Surface* surface, uint32_t key) {
  if (!surface) return;
  surface->has_color_key = true;
  surface->color_key = key;
}

Clipper* create_clipper() { return new Clipper; }

void set_clip_list(Clipper* clipper, const Rect* rects, int32_t count) {
  if (!clipper) return;
  clipper->rects.assign(rects, rects + std::max(count, 0));
}

void release_clipper(Clipper* clipper) { delete clipper; }

void set_clipper(Surface* surface, Clipper* clipper) {
  if (surface) surface->clipper = clipper;
}

Palette* create_palette(const PaletteEntry* entries) {
  auto* p = new Palette;
  std::memcpy(p->entries, entries, sizeof p->entries);
  return p;
}

void set_palette_entries(Palette* palette, int32_t first, int32_t count,
                         const PaletteEntry* entries) {
  if (!palette || first < 0 || count <= 0 || first + count > 256) return;
  std::memcpy(palette->entries + first, entries, count * sizeof(PaletteEntry));
  if (palette->shown_on) shown(palette->shown_on, whole(palette->shown_on));
}

void get_palette_entries(const Palette* palette, int32_t first, int32_t count,
                         PaletteEntry* entries) {
  if (!palette || first < 0 || count <= 0 || first + count > 256) return;
  std::memcpy(entries, palette->entries + first, count * sizeof(PaletteEntry));
}

void release_palette(Palette* palette) {
  if (!palette) return;
  if (palette->shown_on) palette->shown_on->palette = nullptr;
  delete palette;
}

uint8_t* lock(Surface* surface, int32_t* pitch) {
  if (!surface) return nullptr;
  ++surface->lock_count;
  if (pitch) *pitch = surface->pitch;
  return surface->memory;
}

void unlock(Surface* surface) {
  if (!surface || surface->lock_count == 0) return;
  if (--surface->lock_count == 0) shown(surface, whole(surface));
}

bool fill(Surface* dst, const Rect* dst_rect, uint32_t color) {
  if (!dst) return false;
  Rect r = dst_rect ? to_surface_coords(dst, *dst_rect) : whole(dst);
  for_each_clipped(dst, r, [&](const Rect& piece) {
    if (dst->bpp == 8)
      fill_rect<uint8_t>(dst, piece, static_cast<uint8_t>(color));
    else
      fill_rect<uint16_t>(dst, piece, static_cast<uint16_t>(color));
  });
  shown(dst, r);
  return true;
}

bool blit(Surface* dst, const Rect* dst_rect, Surface* src, const Rect* src_rect, bool keyed) {
  if (!dst || !src || dst->bpp != src->bpp) return false;
  Rect sr = src_rect ? *src_rect : whole(src);
  Rect dr = dst_rect ? to_surface_coords(dst, *dst_rect) : Rect{0, 0, dst->width, dst->height};
  if (empty(sr) || empty(dr)) return false;
  if (sr.left < 0 || sr.top < 0 || sr.right > src->width || sr.bottom > src->height) return false;
  keyed = keyed && src->has_color_key;
  const bool same_size =
      sr.right - sr.left == dr.right - dr.left && sr.bottom - sr.top == dr.bottom - dr.top;
  for_each_clipped(dst, dr, [&](const Rect& piece) {
    if (same_size) {
      int32_t sx = sr.left + piece.left - dr.left, sy = sr.top + piece.top - dr.top;
      if (dst->bpp == 8)
        copy_rect<uint8_t>(dst, piece, src, sx, sy, keyed);
      else
        copy_rect<uint16_t>(dst, piece, src, sx, sy, keyed);
    } else if (dst->bpp == 8) {
      stretch_rect<uint8_t>(dst, piece, dr, src, sr, keyed);
    } else {
      stretch_rect<uint16_t>(dst, piece, dr, src, sr, keyed);
    }
  });
  shown(dst, dr);
  return true;
}

}  // namespace plat
