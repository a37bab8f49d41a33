#include "game/battlefield.h"

#include "engine/bob.h"
#include "engine/ddraw.h"
#include "game/frame.h"
#include "game/movement.h"
#include "game/sprites.h"
#include "game/units.h"

BOB_TYP* object_ptr = nullptr;

BOB_TYP* Unit_Sprite(int slot) {
  static BOB_TYP* const heroes[3][3] = {
      {&zuroru, &zuroru_ranger, &zuroru_horsemen},
      {&sabra, &sabra_ranger, &sabra_horsemen},
      {&baldur, &baldur_ranger, &baldur_horsemen},
  };
  if (slot == 4) return &enemyboss;
  if (slot >= 5 && slot < UNIT_SLOTS) return &enemyminion;
  if (slot < 1 || slot > 3) return nullptr;
  int unit_class = Unit_In_Slot(slot)->unit_class;
  // Only classes 1 to 3 have pictures; anything else shows the plain one.
  if (unit_class < 1 || unit_class > 3) unit_class = 1;
  return heroes[slot - 1][unit_class - 1];
}

namespace {

void place(BOB_TYP* bob, int x, int y) {
  bob->x = static_cast<float>(x);
  bob->y = static_cast<float>(y);
}

void draw_tile(int col, int row, int x, int y) {
  place(&textures, x, y);
  textures.curr_frame = world[row][col] - '0';
  Draw_BOB16(&textures, lpddsback);

  for (int i = 0; i < move_index; ++i) {
    if (move_x[i] != col || move_y[i] != row) continue;
    float old_x = curser.x, old_y = curser.y;
    place(&curser, x, y);
    curser.curr_frame = 1;
    Draw_BOB16(&curser, lpddsback);
    curser.curr_frame = 0;
    curser.x = old_x;
    curser.y = old_y;
  }

  for (int slot = 1; slot < UNIT_SLOTS; ++slot) {
    if (unit_x[slot] != col || unit_y[slot] != row) continue;
    object_ptr = Unit_Sprite(slot);
    place(object_ptr, x, y);
    Draw_BOB16(object_ptr, lpddsback);
    Animate_BOB(object_ptr);
  }
}

}  // namespace

void Draw_Battlefield() {
  const int col0 = world_x / TILE_SIZE, row0 = world_y / TILE_SIZE;
  const int ox = -(world_x % TILE_SIZE), oy = -(world_y % TILE_SIZE);
  const int last_col = col0 + 12 + (ox != 0), last_row = row0 + 6 + (oy != 0);
  for (int row = row0; row <= last_row; ++row) {
    // Past the map's last row or column there is nothing to show: the
    // cleared back buffer stays black there.
    if (row < 0 || row >= MAP_ROWS) continue;
    for (int col = col0; col <= last_col; ++col) {
      if (col < 0 || col >= MAP_COLUMNS) continue;
      draw_tile(col, row, ox + (col - col0) * TILE_SIZE, oy + (row - row0) * TILE_SIZE);
    }
  }
  curser.curr_frame = 0;
  place(&curser, curser_x, curser_y);
  Draw_BOB16(&curser, lpddsback);
}
