#include "engine/scan.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/bitmap_cells.h"
#include "engine/ddraw.h"
#include "engine/pixel_rows.h"

namespace {

int clamp_to(int v, int size) { return std::max(0, std::min(v, size - 1)); }

template <typename Pixel, typename Match>
int scan(int x1, int y1, int x2, int y2, uint8_t* buffer, int lpitch, Match match) {
  if (!buffer) return 0;
  x1 = clamp_to(x1, screen_width);
  x2 = clamp_to(x2, screen_width);
  y1 = clamp_to(y1, screen_height);
  y2 = clamp_to(y2, screen_height);
  for (int y = y1; y <= y2; ++y) {
    const Pixel* row = pixel_rows::at<Pixel>(buffer, lpitch, 0, y);
    for (int x = x1; x <= x2; ++x)
      if (match(row[x])) return 1;
  }
  return 0;
}

}  // namespace

int Collision_Test(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  const int hw1 = (w1 >> 1) - (w1 >> 3), hh1 = (h1 >> 1) - (h1 >> 3);
  const int hw2 = (w2 >> 1) - (w2 >> 3), hh2 = (h2 >> 1) - (h2 >> 3);
  const long long dx = std::llabs((long long)x2 + hw2 - ((long long)x1 + hw1));
  const long long dy = std::llabs((long long)y2 + hh2 - ((long long)y1 + hh1));
  return dx < (long long)hw1 + hw2 && dy < (long long)hh1 + hh2 ? 1 : 0;
}

int Color_Scan(int x1, int y1, int x2, int y2, uint8_t scan_start, uint8_t scan_end,
               uint8_t* scan_buffer, int scan_lpitch) {
  return scan<uint8_t>(x1, y1, x2, y2, scan_buffer, scan_lpitch,
                       [=](uint8_t p) { return p >= scan_start && p <= scan_end; });
}

int Color_Scan16(int x1, int y1, int x2, int y2, uint16_t scan_start, uint16_t scan_end,
                 uint8_t* scan_buffer, int scan_lpitch) {
  return scan<uint16_t>(x1, y1, x2, y2, scan_buffer, scan_lpitch,
                        [=](uint16_t p) { return p == scan_start || p == scan_end; });
}

int Scan_Image_Bitmap(BITMAP_FILE_TAG* bitmap, plat::Surface* lpdds, int cx, int cy) {
  if (!lpdds) return 0;
  const int width = lpdds->width, height = lpdds->height;
  const int64_t x = bitmap_cells::cell_x(cx, width), y = bitmap_cells::cell_y(cy, height);
  if (!bitmap_cells::inside(bitmap, x, y, width, height, 1)) return 0;
  int pitch = 0;
  uint8_t* dest = DDraw_Lock_Surface(lpdds, &pitch);
  // The lock is counted even when it hands out no memory, so it is always
  // given back.
  if (!dest || pitch < width) {
    DDraw_Unlock_Surface(lpdds);
    return 0;
  }
  const int64_t file_width = bitmap->info_header.biWidth;
  const uint8_t* source = bitmap->pixels + y * file_width + x;
  for (int r = 0; r < height; ++r, source += file_width, dest += pitch)
    std::memcpy(dest, source, size_t(width));
  DDraw_Unlock_Surface(lpdds);
  return 1;
}
