#include "game/movement.h"

#include <cstddef>

#include "game/units.h"

std::vector<int> move_x;
std::vector<int> move_y;
int move_index = 0;
int unit_move = 0;

namespace {

// Room for a six-point search without reallocating; larger ones grow once
// and keep the storage for later turns.
constexpr std::size_t kInitialRoom = 4096;

bool On_Map(int x, int y) { return x >= 0 && x < MAP_COLUMNS && y >= 0 && y < MAP_ROWS; }

bool Occupied(int x, int y) {
  for (int slot = 0; slot < UNIT_SLOTS; ++slot)
    if (unit_x[slot] == x && unit_y[slot] == y) return true;
  return false;
}

void Search_Neighbours(int moveleft, int x, int y) {
  Recusive_Move(moveleft, x - 1, y);
  Recusive_Move(moveleft, x + 1, y);
  Recusive_Move(moveleft, x, y - 1);
  Recusive_Move(moveleft, x, y + 1);
}

}  // namespace

void Append_Move(int x_index, int y_index) {
  if (move_index < 0) move_index = 0;
  const std::size_t at = static_cast<std::size_t>(move_index);
  if (at >= move_x.size()) {
    if (move_x.capacity() < kInitialRoom) {
      move_x.reserve(kInitialRoom);
      move_y.reserve(kInitialRoom);
    }
    move_x.resize(at + 1);
    move_y.resize(at + 1);
  }
  move_x[at] = x_index;
  move_y[at] = y_index;
  ++move_index;
}

void Clear_Moves() {
  move_index = 0;
  move_x.clear();
  move_y.clear();
}

void Unit_Movement(int x_index, int y_index) {
  // Off the map stand only empty and dead slots (-1, -1): no unit is there.
  if (!On_Map(x_index, y_index)) return;
  game_unit mover{};
  for (int slot = 0; slot < UNIT_SLOTS; ++slot) {
    if (unit_x[slot] != x_index || unit_y[slot] != y_index) continue;
    const game_unit* record = Unit_In_Slot(slot);
    if (!record) continue;
    unit_move = slot;
    mover = *record;
  }
  Search_Neighbours(mover.movement, x_index, y_index);
}

void Recusive_Move(int moveleft, int x_index, int y_index) {
  // Every unit blocks, the mover too: it still stands on its own tile.
  if (Occupied(x_index, y_index)) return;
  const int code = Terrain_At(x_index, y_index);
  if (code < 0 || code >= TERRAIN_CODES) return;
  const int cost = terrain_table[code].movement_cost;
  if (cost <= 0) return;
  moveleft -= cost;
  if (moveleft < 0) return;
  Append_Move(x_index, y_index);
  Search_Neighbours(moveleft, x_index, y_index);
}
