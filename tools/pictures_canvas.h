// A picture under construction for the generator: 24-bit colours where the
// value 0 is the transparent key and every opaque colour stays clear of it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

struct Rgb {
  int r, g, b;
};

constexpr uint32_t kClear = 0;

// Packs a colour, nudged so that no display layout turns it into the key.
uint32_t opaque(Rgb c);
Rgb unpack(uint32_t c);
Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double f);

struct Canvas {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top row first

  Canvas(int w, int h, uint32_t fill = kClear);
  uint32_t get(int x, int y) const;
  void put(int x, int y, uint32_t c);  // ignored outside
  void put(int x, int y, Rgb c) { put(x, y, opaque(c)); }
  void fill(int x, int y, int w, int h, uint32_t c);
  // Copies another canvas in; clear source pixels are skipped.
  void stamp(const Canvas& src, int x, int y);
};

// A sheet of frame cells separated and surrounded by 1-pixel lines.
Canvas make_sheet(int width, int height, int cell_w, int cell_h, int columns, int rows);
int cell_x(int column, int cell_w);
int cell_y(int row, int cell_h);

// 24-bit uncompressed, bottom row first; false when the file cannot be written.
bool write_bmp(const std::string& path, const Canvas& canvas);

}  // namespace pictures
