#include "engine/bob.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/bob_coords.h"
#include "engine/ddraw.h"

int Create_BOB(BOB_TYP* bob, int x, int y, int width, int height, int num_frames, int attr,
               int mem_flags, uint16_t color_key_value, int bpp) {
  if (!bob || num_frames < 1 || num_frames > MAX_BOB_FRAMES) return 0;
  bob->state = 1;
  bob->attr = attr;
  bob->anim_done = 0;
  bob->reserved_int_1 = bob->reserved_int_2 = bob->reserved_int_3 = bob->reserved_int_4 = 0;
  bob->curr_frame = 0;
  bob->num_frames = num_frames;
  bob->bpp = bpp;
  bob->curr_sequence = 0;
  bob->anim_tick = 0;
  bob->seq_pos = 0;
  bob->anim_speed = 0;
  bob->x = float(x);
  bob->y = float(y);
  bob->xv = bob->yv = 0.0f;
  bob->width = width;
  bob->height = height;
  // The record may be fresh memory: forget, do not release, what it held.
  for (auto& frame : bob->frames) frame = nullptr;
  for (auto& sequence : bob->sequences) sequence = nullptr;
  for (int i = 0; i < num_frames; ++i) {
    bob->frames[i] =
        DDraw_Create_Surface(width + bob->extra_width, height, mem_flags, color_key_value);
    if (!bob->frames[i]) return 0;
  }
  return 1;
}

int Clone_BOB(BOB_TYP* source, BOB_TYP* dest) {
  if (!source || !dest || source == dest) return 0;
  std::memcpy(dest, source, sizeof *dest);
  dest->attr |= BOB_CLONE;
  return 1;
}

int Destroy_BOB(BOB_TYP* bob) {
  if (!bob) return 0;
  const bool owner = !(bob->attr & BOB_CLONE);
  // Pointers are cleared either way, so a second destroy or a late draw
  // finds nothing instead of freed memory.
  for (auto& frame : bob->frames) {
    if (frame && owner) plat::release_surface(frame);
    frame = nullptr;
  }
  for (auto& sequence : bob->sequences) {
    if (sequence && owner) std::free(sequence);
    sequence = nullptr;
  }
  return 1;
}

namespace {

// The frame cut from (cx, cy) must lie wholly inside the picture, whose pixel
// array holds rows of biWidth pixels of the same depth as the frame.
template <typename Pixel>
int load_frame(BOB_TYP* bob, BITMAP_FILE_TAG* bitmap, int frame, int cx, int cy, int mode) {
  if (!bob || !bitmap || !bitmap->pixels) return 0;
  if (frame < 0 || frame >= MAX_BOB_FRAMES || frame >= bob->num_frames) return 0;
  plat::Surface* surface = bob->frames[frame];
  const BITMAP_INFO_HEADER& info = bitmap->info_header;
  if (!surface || info.biBitCount != sizeof(Pixel) * 8 || surface->bpp != sizeof(Pixel) * 8)
    return 0;
  const int64_t width = bob->width, height = bob->height;
  if (width <= 0 || height <= 0 || width > surface->width || height > surface->height) return 0;
  int64_t column = cx, row = cy;
  if (mode == BOB_CELL_MODE) {
    column = int64_t(cx) * (width + 1) + 1;
    row = int64_t(cy) * (height + 1) + 1;
  }
  if (column < 0 || row < 0 || column + width > info.biWidth || row + height > info.biHeight)
    return 0;

  int pitch = 0;
  uint8_t* dest = DDraw_Lock_Surface(surface, &pitch);
  if (!dest) return 0;
  const auto* source = reinterpret_cast<const Pixel*>(bitmap->pixels) + row * info.biWidth + column;
  const size_t dest_step = size_t(pitch) / sizeof(Pixel) * sizeof(Pixel);
  for (int64_t y = 0; y < height; ++y) {
    std::memcpy(dest, source, size_t(width) * sizeof(Pixel));
    dest += dest_step;
    source += info.biWidth;
  }
  DDraw_Unlock_Surface(surface);
  bob->attr |= BOB_LOADED;
  return 1;
}

// One keyed blit of the current frame onto (x, y)-(x + w, y + h).
int draw_frame(BOB_TYP* bob, float w, float h, plat::Surface* dest) {
  if (!bob) return 0;
  if (!(bob->attr & BOB_VISIBLE)) return 1;
  const int frame = bob->curr_frame;
  if (frame < 0 || frame >= MAX_BOB_FRAMES || frame >= bob->num_frames) return 0;
  plat::Surface* surface = bob->frames[frame];
  if (!surface || !dest) return 0;
  plat::Rect dest_rect{Truncate_Coord(bob->x), Truncate_Coord(bob->y), Truncate_Coord(bob->x + w),
                       Truncate_Coord(bob->y + h)};
  plat::Rect source_rect{0, 0, bob->width, bob->height};
  return plat::blit(dest, &dest_rect, surface, &source_rect, true) ? 1 : 0;
}

}  // namespace

int Load_Frame_BOB(BOB_TYP* bob, BITMAP_FILE_TAG* bitmap, int frame, int cx, int cy, int mode) {
  return load_frame<uint8_t>(bob, bitmap, frame, cx, cy, mode);
}

int Load_Frame_BOB16(BOB_TYP* bob, BITMAP_FILE_TAG* bitmap, int frame, int cx, int cy, int mode) {
  return load_frame<uint16_t>(bob, bitmap, frame, cx, cy, mode);
}

int Draw_BOB(BOB_TYP* bob, plat::Surface* dest) {
  return bob ? draw_frame(bob, float(bob->width), float(bob->height), dest) : 0;
}

int Draw_BOB16(BOB_TYP* bob, plat::Surface* dest) { return Draw_BOB(bob, dest); }

int Draw_Scaled_BOB(BOB_TYP* bob, int swidth, int sheight, plat::Surface* dest) {
  return draw_frame(bob, float(swidth), float(sheight), dest);
}

int Draw_Scaled_BOB16(BOB_TYP* bob, int swidth, int sheight, plat::Surface* dest) {
  return Draw_Scaled_BOB(bob, swidth, sheight, dest);
}
