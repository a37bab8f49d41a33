// The generator's drawings: each paints one frame into a cell of a sheet.
#pragma once
#include "tools/pictures_canvas.h"

namespace pictures {

// 64 x 64 terrain of map digit code (0 to 7) with its top-left at (x, y).
void draw_terrain(Canvas& sheet, int x, int y, int code);
// Frame 0: the map cursor; frame 1: the movement highlight.
void draw_cursor(Canvas& sheet, int x, int y, int frame);

enum class Unit {
  kZuroru,
  kZuroruRanger,
  kZuroruHorseman,
  kSabra,
  kSabraRanger,
  kSabraHorseman,
  kBaldur,
  kBaldurRanger,
  kBaldurHorseman,
  kBoss,
  kSoldier,
};
// 64 x 64 unit picture, animation frame 0 or 1.
void draw_unit(Canvas& sheet, int x, int y, Unit unit, int frame);

// 500 x 154 banners.
void draw_victory(Canvas& sheet, int x, int y);
void draw_defeat(Canvas& sheet, int x, int y);

}  // namespace pictures
