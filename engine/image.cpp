#include "engine/image.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "engine/bitmap_cells.h"
#include "engine/pixel_rows.h"

namespace {

// True when the record's block really holds width x height pixels of `bytes`
// each, so that rows can be walked without leaving it.
bool holds(const BITMAP_IMAGE_TYP* image, int bytes) {
  return image && image->pixels && image->width > 0 && image->height > 0 && bytes > 0 &&
         int64_t{image->width} * image->height * bytes <= image->num_bytes;
}

template <typename Pixel>
int load(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* bitmap, int cx, int cy, int mode) {
  if (!image || !holds(image, sizeof(Pixel))) return 0;
  const int64_t x = mode == 0 ? bitmap_cells::cell_x(cx, image->width) : cx;
  const int64_t y = mode == 0 ? bitmap_cells::cell_y(cy, image->height) : cy;
  if (!bitmap_cells::inside(bitmap, x, y, image->width, image->height, sizeof(Pixel))) return 0;
  const int64_t file_width = bitmap->info_header.biWidth;
  const auto* source = reinterpret_cast<const Pixel*>(bitmap->pixels) + y * file_width + x;
  auto* dest = reinterpret_cast<Pixel*>(image->pixels);
  const size_t row_bytes = size_t(image->width) * sizeof(Pixel);
  for (int r = 0; r < image->height; ++r, source += file_width, dest += image->width)
    std::memcpy(dest, source, row_bytes);
  image->attr |= BITMAP_IMAGE_LOADED;
  return 1;
}

template <typename Pixel>
int draw(BITMAP_IMAGE_TYP* image, uint8_t* dest_buffer, int lpitch, int transparent) {
  if (!image || !(image->attr & BITMAP_IMAGE_LOADED)) return 0;
  // A negative position would write before the start of the memory.
  if (!holds(image, sizeof(Pixel)) || !dest_buffer || image->x < 0 || image->y < 0) return 0;
  const auto* source = reinterpret_cast<const Pixel*>(image->pixels);
  const size_t row_bytes = size_t(image->width) * sizeof(Pixel);
  for (int r = 0; r < image->height; ++r, source += image->width) {
    Pixel* row = pixel_rows::at<Pixel>(dest_buffer, lpitch, image->x, image->y + r);
    if (!transparent) {
      std::memcpy(row, source, row_bytes);
      continue;
    }
    for (int i = 0; i < image->width; ++i)
      if (source[i] != 0) row[i] = source[i];
  }
  return 1;
}

bool rect_inside(const BITMAP_IMAGE_TYP* image, int x, int y, int width, int height) {
  return x >= 0 && y >= 0 && int64_t{x} + width <= image->width &&
         int64_t{y} + height <= image->height;
}

}  // namespace

int Create_Bitmap(BITMAP_IMAGE_TYP* image, int x, int y, int width, int height, int bpp) {
  // An empty image would make the scroll's wrap-around divide by zero.
  if (!image || width <= 0 || height <= 0 || bpp <= 0 || bpp % 8 != 0) return 0;
  const int64_t bytes = int64_t{width} * height * (bpp / 8);
  if (bytes > std::numeric_limits<int>::max()) return 0;
  auto* block = static_cast<uint8_t*>(std::calloc(size_t(bytes), 1));
  if (!block) return 0;
  image->pixels = block;
  image->state = 1;
  image->attr = 0;
  image->width = width;
  image->height = height;
  image->bpp = bpp;
  image->x = x;
  image->y = y;
  image->num_bytes = int(bytes);
  return 1;
}

int Destroy_Bitmap(BITMAP_IMAGE_TYP* image) {
  if (!image || !image->pixels) return 0;
  std::free(image->pixels);
  std::memset(image, 0, sizeof *image);
  return 1;
}

int Load_Image_Bitmap(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* bitmap, int cx, int cy, int mode) {
  return load<uint8_t>(image, bitmap, cx, cy, mode);
}

int Load_Image_Bitmap16(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* bitmap, int cx, int cy,
                        int mode) {
  return load<uint16_t>(image, bitmap, cx, cy, mode);
}

int Draw_Bitmap(BITMAP_IMAGE_TYP* source_bitmap, uint8_t* dest_buffer, int lpitch,
                int transparent) {
  return draw<uint8_t>(source_bitmap, dest_buffer, lpitch, transparent);
}

int Draw_Bitmap16(BITMAP_IMAGE_TYP* source_bitmap, uint8_t* dest_buffer, int lpitch,
                  int transparent) {
  return draw<uint16_t>(source_bitmap, dest_buffer, lpitch, transparent);
}

int Copy_Bitmap(BITMAP_IMAGE_TYP* dest_bitmap, int dest_x, int dest_y,
                BITMAP_IMAGE_TYP* source_bitmap, int source_x, int source_y, int width,
                int height) {
  if (!dest_bitmap || !source_bitmap) return 0;
  // Both images are walked at the source's pixel size.
  const int bytes = source_bitmap->bpp / 8;
  if (width < 0 || height < 0 || !holds(source_bitmap, bytes) || !holds(dest_bitmap, bytes) ||
      !rect_inside(source_bitmap, source_x, source_y, width, height) ||
      !rect_inside(dest_bitmap, dest_x, dest_y, width, height))
    return 0;
  const auto row_at = [bytes](BITMAP_IMAGE_TYP* image, int x, int y) {
    return image->pixels + (int64_t{y} * image->width + x) * bytes;
  };
  // Within one image, moving down walks the rows bottom up so that no row is
  // overwritten before it has been copied.
  const bool bottom_up = dest_bitmap->pixels == source_bitmap->pixels && dest_y > source_y;
  for (int i = 0; i < height; ++i) {
    const int r = bottom_up ? height - 1 - i : i;
    std::memmove(row_at(dest_bitmap, dest_x, dest_y + r),
                 row_at(source_bitmap, source_x, source_y + r), size_t(width) * bytes);
  }
  return 1;
}

int Scroll_Bitmap(BITMAP_IMAGE_TYP* image, int dx, int dy) {
  if (!image || (dx == 0 && dy == 0)) return 0;
  if (dx == 0) return 1;
  const int bytes = image->bpp / 8;
  if (!holds(image, bytes)) return 0;
  dx %= image->width;  // keeps the sign of dx
  const bool right = dx > 0;
  const int d = right ? dx : -dx;
  if (d == 0) return 1;
  // The columns that wrap around wait in a temporary image; without one the
  // image stays as it was.
  BITMAP_IMAGE_TYP wrapped{};
  if (!Create_Bitmap(&wrapped, 0, 0, d, image->height, image->bpp)) return 0;
  const size_t row_bytes = size_t(image->width) * bytes, cut = size_t(d) * bytes;
  const size_t kept = row_bytes - cut;
  for (int r = 0; r < image->height; ++r) {
    uint8_t* row = image->pixels + r * row_bytes;
    uint8_t* hold = wrapped.pixels + r * cut;
    if (right) {
      std::memcpy(hold, row + kept, cut);
      std::memmove(row + cut, row, kept);
      std::memcpy(row, hold, cut);
    } else {
      std::memcpy(hold, row, cut);
      std::memmove(row, row + cut, kept);
      std::memcpy(row + kept, hold, cut);
    }
  }
  Destroy_Bitmap(&wrapped);
  return 1;
}
