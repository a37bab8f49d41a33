#include "platform/text.h"

#include <SDL_ttf.h>

#include <vector>

namespace plat {
namespace {

// Big enough to read, small enough that lines 15 pixels apart keep clear of
// each other (the line is 14 pixels high).
constexpr int kFontPixels = 12;
const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
};

// One row of set pixels of a glyph, relative to the pen position and the
// top of the line.
struct Span {
  int16_t dx, dy, length;
};

struct Glyph {
  bool ready = false;
  int32_t advance = 0;
  std::vector<Span> spans;
};

struct FontCache {
  bool tried = false;
  TTF_Font* font = nullptr;
  Glyph glyphs[256];
};

FontCache cache;

TTF_Font* font() {
  if (cache.tried) return cache.font;
  cache.tried = true;
  if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
  for (const char* file : kFontFiles) {
    cache.font = TTF_OpenFont(file, kFontPixels);
    if (cache.font) break;
  }
  // Plain one-bit glyphs: each pixel is either the text colour or untouched.
  if (cache.font) TTF_SetFontHinting(cache.font, TTF_HINTING_MONO);
  return cache.font;
}

// Rasterises a character once into spans of set pixels.
const Glyph& glyph(uint8_t ch) {
  Glyph& g = cache.glyphs[ch];
  if (g.ready) return g;
  g.ready = true;
  TTF_Font* f = font();
  // Control characters and glyphs the font lacks draw nothing.
  if (!f || ch < 32 || !TTF_GlyphIsProvided(f, ch)) return g;
  int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
  if (TTF_GlyphMetrics(f, ch, &minx, &maxx, &miny, &maxy, &advance) != 0) return g;
  g.advance = advance;
  SDL_Surface* s = TTF_RenderGlyph_Solid(f, ch, SDL_Color{255, 255, 255, 255});
  if (!s) return g;
  // The rendered cell starts at the glyph's left bearing when that reaches
  // left of the pen, and at the pen otherwise.
  const int x0 = minx < 0 ? minx : 0;
  if (SDL_LockSurface(s) == 0) {
    for (int row = 0; row < s->h; ++row) {
      const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + row * s->pitch;
      for (int col = 0; col < s->w;) {
        if (!p[col]) {
          ++col;
          continue;
        }
        int start = col;
        while (col < s->w && p[col]) ++col;
        g.spans.push_back(Span{static_cast<int16_t>(x0 + start), static_cast<int16_t>(row),
                               static_cast<int16_t>(col - start)});
      }
    }
    SDL_UnlockSurface(s);
  }
  SDL_FreeSurface(s);
  return g;
}

uint16_t to_565(uint32_t color) {
  uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

uint8_t nearest_index(const Palette& pal, uint32_t color) {
  int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  int best = 0, best_distance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const PaletteEntry& e = pal.entries[i];
    int dr = e.red - r, dg = e.green - g, db = e.blue - b;
    int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) best_distance = distance, best = i;
  }
  return static_cast<uint8_t>(best);
}

template <typename Pixel>
void draw_glyph(Surface* s, const Glyph& g, int32_t pen_x, int32_t y, Pixel value) {
  for (const Span& span : g.spans) {
    int32_t row = y + span.dy;
    if (row < 0 || row >= s->height) continue;
    int32_t left = pen_x + span.dx, right = left + span.length;
    if (left < 0) left = 0;
    if (right > s->width) right = s->width;
    Pixel* p = reinterpret_cast<Pixel*>(s->memory + row * s->pitch);
    for (int32_t col = left; col < right; ++col) p[col] = value;
  }
}

template <typename Pixel>
void draw_line(Surface* s, int32_t x, int32_t y, const char* text, int32_t length, Pixel value) {
  int32_t pen = x;
  for (int32_t i = 0; i < length && pen < s->width; ++i) {
    const Glyph& g = glyph(static_cast<uint8_t>(text[i]));
    draw_glyph(s, g, pen, y, value);
    pen += g.advance;
  }
}

}  // namespace

DeviceContext* get_dc(Surface* surface) {
  if (!surface || !surface->memory || surface->lock_count > 0) return nullptr;
  if (surface->bpp != 16 && !(surface->bpp == 8 && surface->palette)) return nullptr;
  if (!font()) return nullptr;
  auto* dc = new DeviceContext;
  dc->surface = surface;
  return dc;
}

void release_dc(DeviceContext* dc) { delete dc; }

void set_text_color(DeviceContext* dc, uint32_t color) {
  if (dc) dc->text_color = color & 0xFFFFFF;
}

void set_bk_mode(DeviceContext* dc, int32_t mode) {
  if (dc) dc->bk_mode = mode;
}

bool text_out(DeviceContext* dc, int32_t x, int32_t y, const char* text, int32_t length) {
  if (!dc || !dc->surface || !text || length < 0) return false;
  Surface* s = dc->surface;
  if (s->bpp == 16)
    draw_line<uint16_t>(s, x, y, text, length, to_565(dc->text_color));
  else
    draw_line<uint8_t>(s, x, y, text, length, nearest_index(*s->palette, dc->text_color));
  return true;
}

int32_t text_line_height() {
  TTF_Font* f = font();
  return f ? TTF_FontHeight(f) : 0;
}

}  // namespace plat
