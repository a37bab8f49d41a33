// Terrain tiles and the cursor. Every texture repeats with a period of 64 so
// that neighbouring tiles of the same kind meet without a seam.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures_art.h"

namespace pictures {
namespace {

constexpr int kTile = 64;

uint32_t hash3(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h;
}

double unit_hash(uint32_t x, uint32_t y, uint32_t seed) {
  return (hash3(x, y, seed) & 0xFFFF) / 65535.0;
}

// Value noise on a lattice that wraps at the tile's edge.
double value_noise(double x, double y, int cell_w, int cell_h, uint32_t seed) {
  const int px = kTile / cell_w, py = kTile / cell_h;
  const double fx = x / cell_w, fy = y / cell_h;
  const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
  double tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto at = [&](int i, int j) {
    return unit_hash(uint32_t(((i % px) + px) % px), uint32_t(((j % py) + py) % py), seed);
  };
  const double a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fbm(int x, int y, uint32_t seed, double stretch_y = 1) {
  double sum = 0, weight = 0.5, total = 0;
  for (int cell = 32; cell >= 2; cell /= 2) {
    const int ch = std::max(1, int(cell / stretch_y));
    sum += weight * value_noise(x, y, cell, ch, seed + uint32_t(cell));
    total += weight;
    weight *= 0.55;
  }
  return sum / total;
}

int wrap(int v) { return ((v % kTile) + kTile) % kTile; }

void wput(Canvas& t, int x, int y, Rgb c) { t.put(wrap(x), wrap(y), c); }

// Fills the tile from a colour function of the position.
template <typename F>
void paint(Canvas& t, F color) {
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) t.put(x, y, color(x, y));
}

void void_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({14, 14, 26}, {30, 26, 48}, fbm(x, y, 7)); });
  for (int i = 0; i < 6; ++i)
    t.put(int(hash3(i, 1, 70) % kTile), int(hash3(i, 2, 70) % kTile), Rgb{120, 120, 160});
}

// Dressed stone blocks in a running bond: the map's outer wall.
void wall_tile(Canvas& t) {
  const Rgb mortar{34, 30, 36};
  for (int y = 0; y < kTile; ++y) {
    const int course = y / 16, in_y = y % 16;
    const int shift = (course % 2) * 8;
    for (int x = 0; x < kTile; ++x) {
      const int bx = wrap(x + shift), block = bx / 16, in_x = bx % 16;
      const double tone = 0.8 + 0.35 * unit_hash(block, course, 11);
      Rgb stone = scale({98, 94, 104}, tone);
      stone = mix(stone, {70, 74, 62}, 0.35 * fbm(x, y, 12));  // moss and grime
      if (in_x == 0 || in_y == 0)
        stone = mortar;
      else if (in_x == 1 || in_y == 1)
        stone = mix(stone, {190, 186, 196}, 0.45);
      else if (in_x == 15 || in_y == 15)
        stone = scale(stone, 0.6);
      else if (unit_hash(x, y, 13) > 0.93)
        stone = scale(stone, 0.8);
      t.put(x, y, stone);
    }
  }
}

void grass_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({52, 112, 40}, {96, 164, 62}, fbm(x, y, 21)); });
  for (int i = 0; i < 110; ++i) {
    const int x = int(hash3(i, 0, 22) % kTile), y = int(hash3(i, 1, 22) % kTile);
    const bool light = hash3(i, 2, 22) % 3 != 0;
    const Rgb blade = light ? Rgb{128, 194, 84} : Rgb{40, 90, 34};
    const int len = 2 + int(hash3(i, 3, 22) % 3);
    const int lean = int(hash3(i, 4, 22) % 3) - 1;
    for (int k = 0; k < len; ++k) wput(t, x + (k == len - 1 ? lean : 0), y - k, blade);
  }
  for (int i = 0; i < 7; ++i) {
    const int x = int(hash3(i, 5, 23) % kTile), y = int(hash3(i, 6, 23) % kTile);
    const Rgb petal = i % 2 ? Rgb{250, 226, 90} : Rgb{240, 240, 250};
    wput(t, x, y, petal);
    wput(t, x + 1, y, scale(petal, 0.8));
  }
}

void plains_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({176, 152, 80}, {216, 198, 122}, fbm(x, y, 31, 3)); });
  for (int i = 0; i < 70; ++i) {
    const int x = int(hash3(i, 0, 32) % kTile), y = int(hash3(i, 1, 32) % kTile);
    const int len = 3 + int(hash3(i, 2, 32) % 5);
    const Rgb stroke = i % 3 == 0 ? Rgb{140, 118, 60} : Rgb{232, 218, 150};
    for (int k = 0; k < len; ++k) wput(t, x + k, y, stroke);
  }
  for (int i = 0; i < 10; ++i) {  // tufts of dry grass
    const int x = int(hash3(i, 3, 33) % kTile), y = int(hash3(i, 4, 33) % kTile);
    const Rgb tuft{126, 140, 62};
    wput(t, x, y, tuft);
    wput(t, x - 1, y - 1, tuft);
    wput(t, x + 1, y - 1, tuft);
    wput(t, x, y - 2, tuft);
  }
}

void water_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({26, 70, 148}, {58, 128, 196}, fbm(x, y, 41, 2)); });
  for (int i = 0; i < 16; ++i) {
    const int cx = int(hash3(i, 0, 42) % kTile), cy = int(hash3(i, 1, 42) % kTile);
    const int half = 3 + int(hash3(i, 2, 42) % 3);
    for (int k = -half; k <= half; ++k) {
      const int lift = std::abs(k) < half / 2 + 1 ? 1 : 0;
      wput(t, cx + k, cy - lift, Rgb{168, 214, 244});
      wput(t, cx + k, cy - lift + 1, Rgb{30, 66, 136});
    }
  }
  for (int i = 0; i < 8; ++i)
    wput(t, int(hash3(i, 3, 43) % kTile), int(hash3(i, 4, 43) % kTile), Rgb{236, 248, 255});
}

// A round canopy lit from the upper left, over a short trunk.
void tree(Canvas& t, int cx, int cy, int r, uint32_t seed) {
  for (int y = 0; y < 5; ++y)
    for (int x = -1; x <= 1; ++x)
      wput(t, cx + x, cy + r - 2 + y, x < 0 ? Rgb{110, 76, 44} : Rgb{72, 48, 28});
  for (int y = -r - 1; y <= r + 1; ++y)
    for (int x = -r - 1; x <= r + 1; ++x) {
      const double d = std::sqrt(double(x * x + y * y));
      if (d > r + 0.5) continue;
      if (d > r - 0.7) {
        wput(t, cx + x, cy + y, Rgb{16, 40, 20});
        continue;
      }
      const double light = (-(x * 0.6) - (y * 0.8)) / r;  // -1 .. 1
      const double leaf = unit_hash(uint32_t(cx + x + 64), uint32_t(cy + y + 64), seed);
      double v = 0.5 + 0.45 * light + 0.25 * (leaf - 0.5);
      Rgb c = v < 0.35   ? Rgb{24, 70, 30}
              : v < 0.6  ? Rgb{40, 108, 42}
              : v < 0.85 ? Rgb{70, 146, 56}
                         : Rgb{120, 184, 80};
      wput(t, cx + x, cy + y, c);
    }
}

void forest_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({22, 52, 24}, {44, 84, 34}, fbm(x, y, 51)); });
  struct Spot {
    int x, y, r;
  };
  std::vector<Spot> trees = {{14, 8, 9},   {46, 12, 10}, {30, 30, 10}, {62, 34, 9},
                             {12, 46, 10}, {44, 52, 9},  {28, 62, 8}};
  std::sort(trees.begin(), trees.end(), [](const Spot& a, const Spot& b) { return a.y < b.y; });
  uint32_t seed = 52;
  for (const Spot& s : trees) tree(t, s.x, s.y, s.r, seed++);
}

// Inside a triangle with its apex at (ax, ay) and a base on row by.
bool in_peak(int x, int y, int ax, int ay, int left, int right, int by) {
  if (y < ay || y > by) return false;
  const double f = double(y - ay) / (by - ay);
  return x >= ax - (ax - left) * f && x <= ax + (right - ax) * f;
}

void peak(Canvas& t, int ax, int ay, int left, int right, int by, double snow) {
  for (int y = ay; y <= by; ++y)
    for (int x = left; x <= right; ++x) {
      if (!in_peak(x, y, ax, ay, left, right, by)) continue;
      const bool edge = !in_peak(x - 1, y, ax, ay, left, right, by) ||
                        !in_peak(x + 1, y, ax, ay, left, right, by) ||
                        !in_peak(x, y - 1, ax, ay, left, right, by);
      const bool lit = x < ax - (y - ay) / 6;
      const double f = double(y - ay) / (by - ay);
      const int jag = int(hash3(x, 0, 61) % 3);
      Rgb c;
      if (f * 10 + jag * 0.4 < snow * 10)
        c = lit ? Rgb{240, 244, 252} : Rgb{176, 188, 214};
      else
        c = lit ? mix({172, 160, 146}, {136, 124, 112}, f) : mix({104, 94, 92}, {78, 70, 70}, f);
      if (!edge && unit_hash(x, y, 62) > 0.9) c = scale(c, 0.85);
      if (edge) c = {48, 40, 42};
      t.put(x, y, c);
    }
}

void mountain_tile(Canvas& t) {
  paint(t, [](int x, int y) {
    Rgb c = mix({92, 86, 78}, {134, 124, 108}, fbm(x, y, 63));
    return unit_hash(x, y, 64) > 0.92 ? scale(c, 0.75) : c;
  });
  peak(t, 47, 20, 30, 62, 58, 0.22);
  peak(t, 24, 5, 2, 48, 60, 0.3);
}

// A rounded grassy mound lit from the upper left.
void mound(Canvas& t, int cx, int base, int rx, int ry) {
  for (int y = base - ry - 1; y <= base; ++y)
    for (int x = cx - rx - 1; x <= cx + rx + 1; ++x) {
      const double dx = double(x - cx) / rx, dy = double(y - base) / ry;
      const double d = dx * dx + dy * dy;
      if (d > 1.0) continue;
      const double light = -dx * 0.7 - dy * 0.5;
      Rgb c = light > 0.55   ? Rgb{186, 202, 104}
              : light > 0.2  ? Rgb{150, 170, 78}
              : light > -0.2 ? Rgb{118, 140, 60}
                             : Rgb{86, 108, 46};
      const double ex = double(x - cx) / (rx - 1.2), ey = double(y - base) / (ry - 1.2);
      if (ex * ex + ey * ey > 1.0 && y < base - 1) c = {58, 78, 36};
      t.put(x, y, c);
    }
}

void hills_tile(Canvas& t) {
  paint(t, [](int x, int y) { return mix({112, 136, 58}, {146, 164, 80}, fbm(x, y, 71)); });
  for (int i = 0; i < 40; ++i)
    wput(t, int(hash3(i, 0, 72) % kTile), int(hash3(i, 1, 72) % kTile), Rgb{92, 116, 48});
  mound(t, 42, 34, 17, 14);
  mound(t, 20, 52, 18, 15);
}

}  // namespace

void draw_terrain(Canvas& sheet, int x, int y, int code) {
  Canvas tile(kTile, kTile);
  switch (code) {
    case 1: wall_tile(tile); break;
    case 2: grass_tile(tile); break;
    case 3: water_tile(tile); break;
    case 4: plains_tile(tile); break;
    case 5: forest_tile(tile); break;
    case 6: mountain_tile(tile); break;
    case 7: hills_tile(tile); break;
    default: void_tile(tile); break;
  }
  sheet.stamp(tile, x, y);
}

void draw_cursor(Canvas& sheet, int x, int y, int frame) {
  Canvas c(kTile, kTile);
  if (frame == 1) {
    // A fine checker lets the terrain show through every other pixel.
    for (int j = 0; j < kTile; ++j)
      for (int i = 0; i < kTile; ++i)
        if ((i + j) % 2 == 0) c.put(i, j, Rgb{110, 196, 255});
    for (int k = 0; k < kTile; ++k) {
      c.put(k, 0, Rgb{210, 240, 255});
      c.put(k, kTile - 1, Rgb{210, 240, 255});
      c.put(0, k, Rgb{210, 240, 255});
      c.put(kTile - 1, k, Rgb{210, 240, 255});
    }
  } else {
    const Rgb dark{40, 26, 8}, gold{252, 206, 64}, light{255, 244, 170};
    auto ring = [&](int inset, Rgb color, int corner) {
      for (int k = inset; k < kTile - inset; ++k) {
        const bool near_corner = k < inset + corner || k >= kTile - inset - corner;
        if (corner && !near_corner) continue;
        c.put(k, inset, color);
        c.put(k, kTile - 1 - inset, color);
        c.put(inset, k, color);
        c.put(kTile - 1 - inset, k, color);
      }
    };
    ring(0, dark, 0);
    ring(1, light, 0);
    ring(2, gold, 0);
    ring(3, dark, 0);
    // Heavier brackets at the corners.
    ring(3, gold, 14);
    ring(4, gold, 13);
    ring(5, dark, 12);
  }
  sheet.stamp(c, x, y);
}

}  // namespace pictures
