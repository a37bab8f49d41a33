#include "tools/pictures_canvas.h"

#include <algorithm>
#include <cstdio>

namespace pictures {

namespace {
int clamp8(int v) { return std::clamp(v, 0, 255); }
}  // namespace

uint32_t opaque(Rgb c) {
  int r = clamp8(c.r), g = clamp8(c.g), b = clamp8(c.b);
  // Below 8 in every channel, both 16-bit layouts would make it the key.
  if (r < 8 && g < 8 && b < 8) {
    r = g = 8;
    b = 12;
  }
  return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

Rgb unpack(uint32_t c) { return {int(c >> 16) & 255, int(c >> 8) & 255, int(c) & 255}; }

Rgb mix(Rgb a, Rgb b, double t) {
  return {int(a.r + (b.r - a.r) * t + 0.5), int(a.g + (b.g - a.g) * t + 0.5),
          int(a.b + (b.b - a.b) * t + 0.5)};
}

Rgb scale(Rgb c, double f) { return {int(c.r * f + 0.5), int(c.g * f + 0.5), int(c.b * f + 0.5)}; }

Canvas::Canvas(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

uint32_t Canvas::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return kClear;
  return pixels[size_t(y) * width + x];
}

void Canvas::put(int x, int y, uint32_t c) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  pixels[size_t(y) * width + x] = c;
}

void Canvas::fill(int x, int y, int w, int h, uint32_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) put(i, j, c);
}

void Canvas::stamp(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height; ++j)
    for (int i = 0; i < src.width; ++i)
      if (src.get(i, j) != kClear) put(x + i, y + j, src.get(i, j));
}

int cell_x(int column, int cell_w) { return column * (cell_w + 1) + 1; }
int cell_y(int row, int cell_h) { return row * (cell_h + 1) + 1; }

Canvas make_sheet(int width, int height, int cell_w, int cell_h, int columns, int rows) {
  Canvas sheet(width, height, kClear);
  const uint32_t line = opaque({96, 32, 128});
  for (int c = 0; c <= columns; ++c) sheet.fill(c * (cell_w + 1), 0, 1, height, line);
  for (int r = 0; r <= rows; ++r) sheet.fill(0, r * (cell_h + 1), width, 1, line);
  return sheet;
}

bool write_bmp(const std::string& path, const Canvas& canvas) {
  const uint32_t stride = (uint32_t(canvas.width) * 3 + 3) / 4 * 4;
  const uint32_t image = stride * uint32_t(canvas.height);
  std::vector<uint8_t> out(54 + image, 0);
  auto put16 = [&](size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, uint32_t(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(canvas.width));
  put32(22, uint32_t(canvas.height));
  put16(26, 1);
  put16(28, 24);
  put32(30, 0);
  put32(34, image);
  put32(38, 2835);  // 72 dots per inch
  put32(42, 2835);
  for (int y = 0; y < canvas.height; ++y) {
    uint8_t* row = out.data() + 54 + size_t(canvas.height - 1 - y) * stride;
    for (int x = 0; x < canvas.width; ++x) {
      Rgb c = unpack(canvas.get(x, y));
      row[3 * x] = uint8_t(c.b);
      row[3 * x + 1] = uint8_t(c.g);
      row[3 * x + 2] = uint8_t(c.r);
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace pictures
