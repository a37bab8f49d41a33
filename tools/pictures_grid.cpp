#include "tools/pictures_grid.h"

#include <cstdlib>

namespace pictures {

char Grid::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return '.';
  return rows[y][x];
}

void Grid::set(int x, int y, char c) {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
  rows[y][x] = c;
}

void Grid::overlay(const std::vector<std::string>& art, int x, int y) {
  for (size_t j = 0; j < art.size(); ++j)
    for (size_t i = 0; i < art[j].size(); ++i)
      if (art[j][i] != '.') set(x + int(i), y + int(j), art[j][i]);
}

void Grid::rect(int x, int y, int w, int h, char c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Grid::line(int x0, int y0, int x1, int y1, char c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Grid::sink(int first, int last) {
  for (int y = last; y > first; --y) rows[y] = rows[y - 1];
  rows[first] = std::string(kSize, '.');
}

void Grid::outline() {
  const std::vector<std::string> before = rows;
  auto solid = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return false;
    return before[y][x] != '.' && before[y][x] != 'K';
  };
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (before[y][x] == '.' &&
          (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)))
        rows[y][x] = 'K';
}

void render(Canvas& canvas, const Grid& grid, const Palette& palette, int x, int y) {
  for (int j = 0; j < Grid::kSize; ++j)
    for (int i = 0; i < Grid::kSize; ++i) {
      const char c = grid.at(i, j);
      if (c == '.') continue;
      auto found = palette.find(c);
      const Rgb color = found != palette.end() ? found->second : Rgb{255, 0, 255};
      canvas.fill(x + 2 * i, y + 2 * j, 2, 2, opaque(color));
    }
}

}  // namespace pictures
