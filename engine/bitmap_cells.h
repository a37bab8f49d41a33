// Where a cut block lies in a loaded bitmap file, checked before any pixel
// of it is read.
#pragma once
#include <cstdint>

#include "engine/bitmap_file.h"

namespace bitmap_cells {

// Top-left pixel of cell (cx, cy) of a grid of width x height cells with a
// one-pixel line before and between them.
inline int64_t cell_x(int cx, int width) { return int64_t{cx} * (int64_t{width} + 1) + 1; }
inline int64_t cell_y(int cy, int height) { return int64_t{cy} * (int64_t{height} + 1) + 1; }

// True when the block of width x height pixels of `bytes` each at (x, y),
// read with rows biWidth pixels apart, lies wholly inside the file's pixel
// array (biHeight rows of biWidth pixels at 8 or 16 bits, as the reader keeps
// them).
inline bool inside(const BITMAP_FILE_TAG* bitmap, int64_t x, int64_t y, int64_t width,
                   int64_t height, int bytes) {
  if (!bitmap || !bitmap->pixels || width <= 0 || height <= 0) return false;
  const BITMAP_INFO_HEADER& info = bitmap->info_header;
  if (info.biBitCount != 8 && info.biBitCount != 16) return false;
  const int64_t file_width = info.biWidth, file_height = info.biHeight;
  if (x < 0 || y < 0 || x + width > file_width || y + height > file_height) return false;
  const int64_t end = ((y + height - 1) * file_width + x + width) * bytes;
  return end <= file_width * file_height * (info.biBitCount / 8);
}

}  // namespace bitmap_cells
