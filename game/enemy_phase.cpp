#include "game/enemy_phase.h"

#include "game/combat.h"
#include "game/enemy_choice.h"
#include "game/frame.h"
#include "game/game_sounds.h"
#include "game/movement.h"
#include "game/orders.h"
#include "game/units.h"
#include "sound/dsound.h"

namespace {

constexpr int kFirstEnemy = 4;

// The first hero, in slot order, standing next to the tile; 0 when none.
int hero_next_to(int column, int row) {
  for (int slot = 1; slot <= 3; ++slot) {
    int dx = unit_x[slot] - column, dy = unit_y[slot] - row;
    if ((dy == 0 && (dx == 1 || dx == -1)) || (dx == 0 && (dy == 1 || dy == -1))) return slot;
  }
  return 0;
}

void enemy_turn(int slot) {
  game_unit& enemy = *Unit_In_Slot(slot);
  const int column = unit_x[slot], row = unit_y[slot];
  Unit_Movement(column, row);
  Append_Move(column, row);  // staying put is always a choice
  int to_x = column, to_y = row;
  AI_Move(to_x, to_y);
  if (to_x != column || to_y != row) enemy.defend_bonus = 0;
  unit_x[slot] = to_x;
  unit_y[slot] = to_y;
  move_index = 0;

  if (int hero_slot = hero_next_to(to_x, to_y)) {
    game_unit& hero = *Unit_In_Slot(hero_slot);
    float bonus = Terrain_Defense_Bonus(unit_x[hero_slot], unit_y[hero_slot]);
    int damage = Attackfunction(hero, enemy, bonus);
    // Read after the blow: a level-up it grants refills the hit points first.
    hero.hit_points -= damage;
  } else if (enemy.defend_bonus < 15) {
    enemy.defend_bonus += 5;
  }
}

}  // namespace

void Enemy_Phase() {
  for (int slot = kFirstEnemy; slot < UNIT_SLOTS; ++slot) {
    if (unit_x[slot] == -1 || defeatflag) continue;
    enemy_turn(slot);
  }
  for (int slot = 1; slot <= 3; ++slot)
    if (Unit_In_Slot(slot)->hit_points <= 0) unit_x[slot] = unit_y[slot] = -1;
  if (All_Heroes_Fallen()) {
    DSound_Stop_Sound(music);
    defeatflag = true;
  } else if (All_Enemies_Fallen()) {
    DSound_Stop_Sound(music);
    victoryflag = true;
  }
  for (game_unit* hero : {&Zuroruinfo, &Sabrainfo, &Baldurinfo})
    hero->has_acted = hero->has_moved = false;
  if (!defeatflag) ++turn;
}
