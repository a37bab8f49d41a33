#include "game/enemy_choice.h"

#include <algorithm>
#include <cstdlib>

#include "game/movement.h"
#include "game/random.h"
#include "game/units.h"

namespace {

int Weight_At(int x, int y) {
  const int code = Terrain_At(x, y);
  return code >= 0 && code < TERRAIN_CODES ? terrain_table[code].weight : 0;
}

}  // namespace

void AI_Move(int& x, int& y) {
  int best = 0;
  // Never read past the storage, whatever move_index was set to.
  const int count = std::min(move_index, static_cast<int>(std::min(move_x.size(), move_y.size())));
  for (int i = 0; i < count; ++i) {
    const int tile_x = move_x[i];
    const int tile_y = move_y[i];
    const int weight = Weight_At(tile_x, tile_y);
    for (int hero = 1; hero <= 3; ++hero) {
      if (unit_x[hero] == -1) continue;
      const int distance = std::abs(unit_x[hero] - tile_x) + std::abs(unit_y[hero] - tile_y);
      // One random draw per pair, in list order then hero order: it only
      // breaks ties, yet the sequence it leaves is shared with combat.
      const int score = (100 - distance + weight) * 100 + Game_Rand() % 10;
      if (score > best) {
        best = score;
        x = tile_x;
        y = tile_y;
      }
    }
  }
}
