#include "engine/transition.h"

#include <algorithm>
#include <cstdlib>

#include "engine/ddraw.h"
#include "engine/frame_clock.h"
#include "engine/lines.h"
#include "engine/palette.h"

namespace {

constexpr DWORD kStepMillis = 12;

// One step's change of one colour component.
using Shift = int (*)(int);
int darken(int c) { return c > 4 ? c - 3 : 0; }
int brighten(int c) { return std::min(c + 4, 255); }
int raise(int c) { return std::min(c + 6, 255); }
int lower(int c) { return std::max(c - 4, 0); }

void fade(int steps, int first_entry, Shift red, Shift green, Shift blue) {
  if (!lpddpal) return;  // a 16-bit display has no palette to fade
  for (int step = 0; step < steps; ++step) {
    Start_Clock();
    PALETTEENTRY work[MAX_COLORS_PALETTE];
    Save_Palette(work);
    for (int i = first_entry; i < MAX_COLORS_PALETTE; ++i) {
      work[i].red = static_cast<uint8_t>(red(work[i].red));
      work[i].green = static_cast<uint8_t>(green(work[i].green));
      work[i].blue = static_cast<uint8_t>(blue(work[i].blue));
    }
    Set_Palette(work);
    Wait_Clock(kStepMillis);
  }
}

// The run and pixel routines of the running depth; none at other depths.
struct Painter {
  void (*hline)(int, int, int, int, uint8_t*, int);
  void (*vline)(int, int, int, int, uint8_t*, int);
  int (*pixel)(int, int, int, uint8_t*, int);
};

const Painter* painter(const uint8_t* vbuffer) {
  static const Painter eight{HLine, VLine, Draw_Pixel};
  static const Painter sixteen{HLine16, VLine16, Draw_Pixel16};
  if (!vbuffer) return nullptr;
  if (screen_bpp == 8) return &eight;
  if (screen_bpp == 16) return &sixteen;
  return nullptr;
}

void wait_step() {
  Start_Clock();
  Wait_Clock(kStepMillis);
}

void columns(const Painter* p, int i, uint8_t* vbuffer, int lpitch) {
  if (!p) return;
  const int bottom = screen_height - 1;
  for (int x : {screen_width - 1 - i, i, screen_width - 2 - i, i + 1})
    p->vline(0, bottom, x, 0, vbuffer, lpitch);
}

void rows(const Painter* p, int k, uint8_t* vbuffer, int lpitch) {
  if (!p) return;
  const int right = screen_width - 1;
  for (int y : {screen_height - 1 - k, k, screen_height - 2 - k, k + 1})
    p->hline(0, right, y, 0, vbuffer, lpitch);
}

}  // namespace

void Screen_Transitions(int effect, uint8_t* vbuffer, int lpitch) {
  const Painter* p = painter(vbuffer);
  switch (effect) {
    case SCREEN_FADE_BLACK:
      fade(80, 1, darken, darken, darken);  // entry 0 stays
      break;
    case SCREEN_FADE_WHITE: fade(64, 0, brighten, brighten, brighten); break;
    case SCREEN_FADE_RED: fade(64, 0, raise, lower, lower); break;
    case SCREEN_FADE_BLUE: fade(64, 0, lower, lower, raise); break;
    case SCREEN_FADE_GREEN: fade(64, 0, lower, raise, lower); break;
    case SCREEN_WIPE_SIDES:
      for (int i = 0; i < screen_width / 2; i += 2) {
        wait_step();
        columns(p, i, vbuffer, lpitch);
      }
      break;
    case SCREEN_WIPE_TOP_BOTTOM:
      for (int i = 0; i < screen_height / 2; i += 2) {
        wait_step();
        rows(p, i, vbuffer, lpitch);
      }
      break;
    case SCREEN_WIPE_ALL:
      for (int i = 0; i < screen_width / 2; i += 2) {
        wait_step();
        const int half = screen_height / 2;
        rows(p, half > 0 ? i % half : i, vbuffer, lpitch);
        columns(p, i, vbuffer, lpitch);
      }
      break;
    case SCREEN_DISSOLVE: {
      if (!p || screen_width <= 0 || screen_height <= 0) break;
      const long count = long(screen_width) * screen_height * 4 + 1;
      for (long n = 0; n < count; ++n) {
        const int x = std::rand() % screen_width;  // the column's number comes first
        const int y = std::rand() % screen_height;
        p->pixel(x, y, 0, vbuffer, lpitch);
      }
      break;
    }
    default: break;
  }
}
