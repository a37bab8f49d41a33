#include "engine/ddraw.h"

#include <cstring>

#include "engine/error_log.h"
#include "engine/palette.h"
#include "shell/winmain.h"

plat::Display* lpdd = nullptr;
plat::Surface* lpddsprimary = nullptr;
plat::Surface* lpddsback = nullptr;
plat::Palette* lpddpal = nullptr;
plat::Clipper* lpddclipper = nullptr;
plat::Clipper* lpddclipperwin = nullptr;
SURFACE_DESC ddsd = {};
UCHAR* primary_buffer = nullptr;
int primary_lpitch = 0;
UCHAR* back_buffer = nullptr;
int back_lpitch = 0;
int screen_width = 800;
int screen_height = 600;
int screen_bpp = 8;
int screen_windowed = 0;
int dd_pixel_format = 16;
USHORT (*RGB16Bit)(int r, int g, int b) = nullptr;
int min_clip_x = 0, max_clip_x = 799, min_clip_y = 0, max_clip_y = 599;
plat::PaletteEntry palette[256] = {};

constexpr uint8_t PC_EXPLICIT = 2;

int DDraw_Init(int width, int height, int bpp, int windowed) {
  lpdd = plat::display_create(main_window_handle);
  if (!lpdd) return 0;
  if (windowed) {
    if (!plat::display_set_windowed(lpdd)) return 0;
  } else if (!plat::display_set_mode(lpdd, width, height, bpp)) {
    return 0;
  }
  screen_height = height;
  screen_width = width;
  screen_bpp = bpp;
  screen_windowed = windowed;

  lpddsprimary = plat::display_create_primary(lpdd, !windowed);

  dd_pixel_format = plat::display_bits_per_pixel(lpdd);
  Write_Error("\npixel format = %d", dd_pixel_format);
  if (dd_pixel_format == 15) {
    RGB16Bit = RGB16Bit555;
    Write_Error("\npixel format = 5.5.5");
  } else {
    RGB16Bit = RGB16Bit565;
    Write_Error("\npixel format = 5.6.5");
  }

  if (windowed) {
    lpddsback = DDraw_Create_Surface(width, height, 0, 0);
  } else {
    lpddsback = lpddsprimary ? lpddsprimary->back : nullptr;
    if (!lpddsback) return 0;
  }

  if (screen_bpp == 8) {
    std::memset(palette, 0, sizeof palette);
    Load_Palette_From_File("PALDATA2.PAL", palette);
    if (windowed)
      for (int i = 0; i < 10; ++i) palette[i].flags = palette[255 - i].flags = PC_EXPLICIT;
    lpddpal = plat::create_palette(palette);
    if (!lpddpal || !lpddsprimary) return 0;
    plat::display_set_palette(lpddsprimary, lpddpal);
  }

  if (!windowed) DDraw_Fill_Surface(lpddsprimary, 0, nullptr);
  DDraw_Fill_Surface(lpddsback, 0, nullptr);

  min_clip_x = 0;
  max_clip_x = screen_width - 1;
  min_clip_y = 0;
  max_clip_y = screen_height - 1;

  plat::Rect screen{0, 0, screen_width, screen_height};
  lpddclipper = DDraw_Attach_Clipper(lpddsback, 1, &screen);

  if (windowed) {
    // The window clipper keeps the copy inside the window's picture.
    lpddclipperwin = plat::create_clipper();
    if (!lpddclipperwin || !lpddsprimary) return 0;
    plat::Rect visible{0, 0, lpddsprimary->width, lpddsprimary->height};
    plat::set_clip_list(lpddclipperwin, &visible, 1);
    plat::set_clipper(lpddsprimary, lpddclipperwin);
  }
  return 1;
}

int DDraw_Shutdown() {
  if (lpddclipper) plat::release_clipper(lpddclipper);
  if (lpddclipperwin) plat::release_clipper(lpddclipperwin);
  if (lpddpal) plat::release_palette(lpddpal);
  // The full-screen back buffer belongs to the flip chain.
  if (lpddsback && !(lpddsprimary && lpddsprimary->back == lpddsback))
    plat::release_surface(lpddsback);
  if (lpddsprimary) {
    plat::release_surface(lpddsprimary->back);
    plat::release_surface(lpddsprimary);
  }
  if (lpdd) plat::display_release(lpdd);
  // The objects are gone; leave no dangling handles behind for a later run.
  lpddclipper = lpddclipperwin = nullptr;
  lpddpal = nullptr;
  lpddsback = lpddsprimary = nullptr;
  lpdd = nullptr;
  primary_buffer = back_buffer = nullptr;
  primary_lpitch = back_lpitch = 0;
  return 1;
}

plat::Surface* DDraw_Create_Surface(int width, int height, int, USHORT color_key_value) {
  int bpp = lpdd ? plat::display_bits_per_pixel(lpdd) : plat::desktop_bits();
  plat::Surface* surface = plat::create_surface(width, height, bpp);
  if (!surface) return nullptr;
  plat::set_color_key(surface, color_key_value);
  return surface;
}

plat::Rect DDraw_Clip_Bound(int num_rects, const plat::Rect* clip_list) {
  plat::Rect bound{64000, 64000, -64000, -64000};
  for (int i = 0; i < num_rects; ++i) {
    const plat::Rect& r = clip_list[i];
    if (r.left < bound.left) bound.left = r.left;
    if (r.right > bound.right) bound.right = r.right;
    if (r.top < bound.top) bound.top = r.top;
    if (r.bottom > bound.bottom) bound.bottom = r.bottom;
  }
  return bound;
}

plat::Clipper* DDraw_Attach_Clipper(plat::Surface* lpdds, int num_rects,
                                    const plat::Rect* clip_list) {
  if (!lpdds || num_rects < 0 || (num_rects > 0 && !clip_list)) return nullptr;
  plat::Clipper* clipper = plat::create_clipper();
  if (!clipper) return nullptr;
  plat::set_clip_list(clipper, clip_list, num_rects);
  plat::set_clipper(lpdds, clipper);
  return clipper;
}

int DDraw_Fill_Surface(plat::Surface* lpdds, USHORT color, const plat::Rect* client) {
  plat::fill(lpdds, client, color);
  return 1;
}

int DDraw_Flip() {
  if (primary_buffer || back_buffer) return 0;
  if (!screen_windowed) {
    // A flip chain of our own cannot be lost, so a failure is final.
    return plat::display_flip(lpddsprimary) ? 1 : 0;
  }
  plat::WindowRect frame = plat::get_window_rect(main_window_handle);
  plat::Rect dest{frame.left + window_client_x0, frame.top + window_client_y0, 0, 0};
  dest.right = dest.left + screen_width;
  dest.bottom = dest.top + screen_height;
  return plat::blit(lpddsprimary, &dest, lpddsback, nullptr, false) ? 1 : 0;
}

int DDraw_Wait_For_Vsync() {
  plat::display_wait_vblank(lpdd);
  return 1;
}

UCHAR* DDraw_Lock_Surface(plat::Surface* lpdds, int* lpitch) {
  if (!lpdds) return nullptr;
  ddsd = SURFACE_DESC{};
  ddsd.dwSize = sizeof ddsd;
  int32_t pitch = 0;
  ddsd.lpSurface = plat::lock(lpdds, &pitch);
  ddsd.lPitch = pitch;
  ddsd.dwWidth = lpdds->width;
  ddsd.dwHeight = lpdds->height;
  if (lpitch) *lpitch = ddsd.lPitch;
  return static_cast<UCHAR*>(ddsd.lpSurface);
}

int DDraw_Unlock_Surface(plat::Surface* lpdds) {
  if (!lpdds) return 0;
  plat::unlock(lpdds);
  return 1;
}

UCHAR* DDraw_Lock_Primary_Surface() {
  if (primary_buffer) return primary_buffer;
  primary_buffer = DDraw_Lock_Surface(lpddsprimary, &primary_lpitch);
  return primary_buffer;
}

int DDraw_Unlock_Primary_Surface() {
  if (!primary_buffer) return 0;
  plat::unlock(lpddsprimary);
  primary_buffer = nullptr;
  primary_lpitch = 0;
  return 1;
}

UCHAR* DDraw_Lock_Back_Surface() {
  if (back_buffer) return back_buffer;
  back_buffer = DDraw_Lock_Surface(lpddsback, &back_lpitch);
  return back_buffer;
}

int DDraw_Unlock_Back_Surface() {
  if (!back_buffer) return 0;
  plat::unlock(lpddsback);
  back_buffer = nullptr;
  back_lpitch = 0;
  return 1;
}

USHORT RGB16Bit565(int r, int g, int b) {
  r >>= 3;
  g >>= 2;
  b >>= 3;
  return static_cast<USHORT>((b & 31) + ((g & 63) << 5) + ((r & 31) << 11));
}

USHORT RGB16Bit555(int r, int g, int b) {
  r >>= 3;
  g >>= 3;
  b >>= 3;
  return static_cast<USHORT>((b & 31) + ((g & 31) << 5) + ((r & 31) << 10));
}
