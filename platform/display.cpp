#include "platform/display.h"

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/blit_kernels.h"

namespace plat {

struct Display {
  HWND window = nullptr;
  bool fullscreen = false;
  int32_t bpp = 16;
  Surface* primary = nullptr;
  std::vector<uint32_t> scratch;  // one converted row for odd window formats
};

Display* display_create(HWND window) {
  if (!native_window(window)) return nullptr;
  auto* d = new Display;
  d->window = window;
  return d;
}

void display_release(Display* display) {
  if (!display) return;
  if (display->primary) display->primary->display = nullptr;
  if (display->fullscreen && native_window(display->window))
    SDL_SetWindowFullscreen(static_cast<SDL_Window*>(native_window(display->window)), 0);
  delete display;
}

bool display_set_mode(Display* display, int32_t width, int32_t height, int32_t bpp) {
  if (!display || width <= 0 || height <= 0) return false;
  auto* sdl = static_cast<SDL_Window*>(native_window(display->window));
  if (!sdl) return false;
  SDL_SetWindowSize(sdl, width, height);
  if (SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) != 0) return false;
  display->fullscreen = true;
  display->bpp = bpp == 8 ? 8 : 16;
  return true;
}

namespace {
int32_t desktop_depth = 16;
}

void set_desktop_bits(int32_t bpp) { desktop_depth = bpp == 8 ? 8 : 16; }
int32_t desktop_bits() { return desktop_depth; }

bool display_set_windowed(Display* display) {
  if (!display) return false;
  display->fullscreen = false;
  display->bpp = desktop_depth;
  return true;
}

int32_t display_bits_per_pixel(const Display* display) { return display ? display->bpp : 16; }

Surface* display_create_primary(Display* display, bool flip_chain) {
  if (!display || display->primary) return nullptr;
  auto* sdl = static_cast<SDL_Window*>(native_window(display->window));
  if (!sdl) return nullptr;
  int w = 0, h = 0;
  SDL_GetWindowSize(sdl, &w, &h);
  Surface* primary = create_surface(w, h, display->bpp);
  if (!primary) return nullptr;
  primary->display = display;
  if (flip_chain) primary->back = create_surface(w, h, display->bpp);
  display->primary = primary;
  return primary;
}

bool display_flip(Surface* primary) {
  if (!primary || !primary->display || !primary->back) return false;
  std::swap(primary->memory, primary->back->memory);
  display_show(primary->display, {0, 0, primary->width, primary->height});
  return true;
}

void display_set_palette(Surface* primary, Palette* palette) {
  if (!primary) return;
  if (primary->palette) primary->palette->shown_on = nullptr;
  primary->palette = palette;
  if (palette) palette->shown_on = primary;
  if (primary->display) display_show(primary->display, {0, 0, primary->width, primary->height});
}

void display_wait_vblank(Display*) {}

void display_origin(const Display* display, int32_t* x, int32_t* y) {
  *x = 0;
  *y = 0;
  if (!display || display->fullscreen) return;
  WindowRect r = get_window_rect(display->window);
  *x = r.left;
  *y = r.top;
}

void display_show(Display* display, const Rect& changed) {
  if (!display || !display->primary) return;
  auto* sdl = static_cast<SDL_Window*>(native_window(display->window));
  if (!sdl) return;
  SDL_Surface* target = SDL_GetWindowSurface(sdl);
  if (!target) return;
  const Surface* p = display->primary;
  Rect r{std::max(changed.left, 0), std::max(changed.top, 0),
         std::min({changed.right, p->width, target->w}),
         std::min({changed.bottom, p->height, target->h})};
  if (r.right <= r.left || r.bottom <= r.top) return;
  const int32_t w = r.right - r.left;
  const bool xrgb = target->format->format == SDL_PIXELFORMAT_XRGB8888 ||
                    target->format->format == SDL_PIXELFORMAT_ARGB8888;
  if (static_cast<int32_t>(display->scratch.size()) < w) display->scratch.resize(w);
  if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    auto* out =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(target->pixels) + y * target->pitch) +
        r.left;
    uint32_t* row = xrgb ? out : display->scratch.data();
    if (p->bpp == 16) {
      rgb565_to_xrgb(row, reinterpret_cast<const uint16_t*>(p->memory + y * p->pitch) + r.left, w);
    } else {
      const uint8_t* in = p->memory + y * p->pitch + r.left;
      for (int32_t x = 0; x < w; ++x) {
        PaletteEntry e = p->palette ? p->palette->entries[in[x]] : PaletteEntry{0, 0, 0, 0};
        row[x] = (uint32_t(e.red) << 16) | (uint32_t(e.green) << 8) | e.blue;
      }
    }
    if (!xrgb)
      SDL_ConvertPixels(w, 1, SDL_PIXELFORMAT_XRGB8888, row, w * 4, target->format->format,
                        static_cast<uint8_t*>(target->pixels) + y * target->pitch +
                            r.left * target->format->BytesPerPixel,
                        target->pitch);
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  SDL_Rect area{r.left, r.top, w, r.bottom - r.top};
  SDL_UpdateWindowSurfaceRects(sdl, &area, 1);
}

}  // namespace plat
