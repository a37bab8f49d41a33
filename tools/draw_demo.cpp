// Draws the engine's primitives into an 800x600 16-bit surface and writes it
// as a PNG: a fan of lines, lines cut to a clip rectangle, filled triangles,
// filled and outlined polygons, 8-bit fixed-point triangles shown through a
// palette, and snapshots of a wipe in progress.
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/ddraw.h"
#include "engine/lines.h"
#include "engine/math2d.h"
#include "engine/polygon.h"
#include "engine/transition.h"
#include "engine/triangle.h"
#include "platform/clock.h"
#include "tools/png_writer.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

uint8_t* memory = nullptr;
int pitch = 0;

void clip_to(int x0, int y0, int x1, int y1) {
  min_clip_x = x0, min_clip_y = y0, max_clip_x = x1, max_clip_y = y1;
}

void frame(int x0, int y0, int x1, int y1, int color) {
  HLine16(x0, x1, y0, color, memory, pitch);
  HLine16(x0, x1, y1, color, memory, pitch);
  VLine16(y0, y1, x0, color, memory, pitch);
  VLine16(y0, y1, x1, color, memory, pitch);
}

USHORT hue(int i, int n) {
  const float t = 6.2831853f * float(i) / float(n);
  return RGB16Bit565(int(127 + 127 * std::cos(t)), int(127 + 127 * std::cos(t - 2.094f)),
                     int(127 + 127 * std::cos(t + 2.094f)));
}

void line_fan() {
  for (int i = 0; i < 48; ++i) {
    const float a = 6.2831853f * float(i) / 48;
    Draw_Line16(133, 150, 133 + int(110 * std::cos(a)), 150 + int(110 * std::sin(a)), hue(i, 48),
                memory, pitch);
  }
}

void clipped_lines() {
  const int x0 = 300, y0 = 50, x1 = 500, y1 = 250;
  clip_to(0, 0, kWidth - 1, kHeight - 1);
  frame(x0 - 1, y0 - 1, x1 + 1, y1 + 1, RGB16Bit565(255, 255, 255));
  unsigned seed = 7;
  auto next = [&seed](int range) {
    return int((seed = seed * 1103515245u + 12345u) >> 16) % range;
  };
  for (int i = 0; i < 40; ++i) {
    const int ax = 270 + next(260), ay = 10 + next(280), bx = 270 + next(260), by = 10 + next(280);
    clip_to(0, 0, kWidth - 1, kHeight - 1);
    Draw_Clip_Line16(ax, ay, bx, by, RGB16Bit565(70, 70, 90), memory, pitch);  // whole line, dim
    clip_to(x0, y0, x1, y1);
    Draw_Clip_Line16(ax, ay, bx, by, hue(i, 40), memory, pitch);  // the part inside, bright
  }
}

void triangles() {
  clip_to(533, 0, 799, 299);
  Draw_Triangle_2D16(560, 30, 700, 60, 590, 160, RGB16Bit565(255, 80, 40), memory, pitch);
  Draw_Triangle_2D16(700, 90, 790, 280, 620, 250, RGB16Bit565(40, 200, 90), memory, pitch);
  // Partly outside the panel: cut at its clip rectangle.
  Draw_Triangle_2D16(740, -40, 900, 120, 720, 200, RGB16Bit565(60, 120, 255), memory, pitch);
  Draw_Triangle_2D16(500, 200, 600, 290, 560, 330, RGB16Bit565(240, 220, 40), memory, pitch);
}

void polygons() {
  clip_to(0, 300, 265, 599);
  std::vector<VERTEX2DF> hexagon;
  for (int i = 0; i < 6; ++i)
    hexagon.push_back({60 * std::cos(float(i) * 1.0471976f), 60 * std::sin(float(i) * 1.0471976f)});
  POLYGON2D_TYP poly{};
  poly.state = 1;
  poly.vertex_count = 6;
  poly.pos_x = 90;
  poly.pos_y = 400;
  poly.color = RGB16Bit565(200, 60, 220);
  poly.vertices = hexagon.data();
  Draw_Filled_Polygon2D16(&poly, memory, pitch);

  std::vector<VERTEX2DF> square = {{-40, -40}, {40, -40}, {40, 40}, {-40, 40}};
  POLYGON2D_TYP outline = poly;
  outline.vertex_count = 4;
  outline.vertices = square.data();
  outline.pos_x = 180;
  outline.pos_y = 510;
  for (int i = 0; i < 6; ++i) {
    outline.color = hue(i, 6);
    Draw_Polygon2D16(&outline, memory, pitch);
    Rotate_Polygon2D(&outline, 15);
    Scale_Polygon2D(&outline, 0.85f, 0.85f);
  }
  Translate_Polygon2D(&poly, 0, 130);
  poly.color = RGB16Bit565(255, 255, 255);
  Draw_Polygon2D16(&poly, memory, pitch);
}

// 8-bit fixed-point triangles in their own surface, shown through a palette.
void palette_triangles() {
  plat::Surface* eight = plat::create_surface(266, 300, 8);
  if (!eight) return;
  clip_to(0, 0, 265, 299);
  for (int i = 0; i < 12; ++i) {
    const int x = 20 + (i % 4) * 60, y = 20 + (i / 4) * 90;
    Draw_TriangleFP_2D(x, y, x + 50, y + 10, x + 10 + i * 3, y + 70, 1 + i, eight->memory,
                       eight->pitch);
  }
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 266; ++x) {
      const int index = eight->memory[y * eight->pitch + x];
      if (index) reinterpret_cast<USHORT*>(memory + (300 + y) * pitch)[267 + x] = hue(index, 12);
    }
  plat::release_surface(eight);
}

// A wipe from all sides on a small panel, with snapshots taken from the
// clock's sleep, which every step of the wipe passes through once before it
// draws.
constexpr int kPanelW = 120, kPanelH = 90;
USHORT panel[kPanelH][kPanelW];
int steps_seen = 0;
uint32_t virtual_now = 0;

void snapshot(int slot) {
  const int x0 = 548 + (slot % 2) * 125, y0 = 330 + (slot / 2) * 130;
  for (int y = 0; y < kPanelH; ++y)
    for (int x = 0; x < kPanelW; ++x)
      reinterpret_cast<USHORT*>(memory + (y0 + y) * pitch)[x0 + x] = panel[y][x];
}

uint32_t virtual_ticks() { return virtual_now++; }
void virtual_sleep(uint32_t ms) {
  static const int kSnapshotSteps[] = {0, 6, 12, 20};
  for (int slot = 0; slot < 4; ++slot)
    if (steps_seen == kSnapshotSteps[slot]) snapshot(slot);
  ++steps_seen;
  virtual_now += ms;
}

void wipe() {
  for (int y = 0; y < kPanelH; ++y)
    for (int x = 0; x < kPanelW; ++x) panel[y][x] = hue((x / 10 + y / 10) % 12, 12);
  const plat::ClockSource clock{virtual_ticks, virtual_sleep, nullptr};
  plat::set_clock_source(&clock);
  screen_width = kPanelW, screen_height = kPanelH, screen_bpp = 16;
  clip_to(0, 0, kPanelW - 1, kPanelH - 1);
  Screen_Transitions(SCREEN_WIPE_ALL, reinterpret_cast<uint8_t*>(panel), kPanelW * 2);
  plat::set_clock_source(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "draw_demo.png";
  plat::Surface* surface = plat::create_surface(kWidth, kHeight, 16);
  if (!surface) return 1;
  Build_Sin_Cos_Tables();
  DDraw_Fill_Surface(surface, RGB16Bit565(24, 24, 32), nullptr);
  memory = DDraw_Lock_Surface(surface, &pitch);
  line_fan();
  clipped_lines();
  triangles();
  polygons();
  palette_triangles();
  wipe();
  clip_to(0, 0, kWidth - 1, kHeight - 1);
  VLine16(0, kHeight - 1, 266, RGB16Bit565(90, 90, 90), memory, pitch);
  VLine16(0, kHeight - 1, 532, RGB16Bit565(90, 90, 90), memory, pitch);
  HLine16(0, kWidth - 1, 299, RGB16Bit565(90, 90, 90), memory, pitch);

  std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const USHORT p = reinterpret_cast<USHORT*>(memory + y * pitch)[x];
      uint8_t* o = &rgb[(size_t(y) * kWidth + x) * 3];
      o[0] = uint8_t((p >> 11) << 3 | (p >> 13));
      o[1] = uint8_t(((p >> 5) & 63) << 2 | ((p >> 9) & 3));
      o[2] = uint8_t((p & 31) << 3 | ((p >> 2) & 7));
    }
  DDraw_Unlock_Surface(surface);
  plat::release_surface(surface);
  if (!testpng::write_rgb(out, kWidth, kHeight, rgb)) {
    std::fprintf(stderr, "draw_demo: cannot write %s\n", out);
    return 1;
  }
  std::printf("draw_demo: wrote %s\n", out);
  return 0;
}
