#include "game/orders.h"

#include "game/combat.h"
#include "game/frame.h"
#include "game/game_sounds.h"
#include "game/movement.h"
#include "game/units.h"
#include "platform/input.h"
#include "shell/winmain.h"
#include "sound/dsound.h"

float Terrain_Defense_Bonus(int column, int row) {
  return static_cast<float>(terrain_table[Terrain_At(column, row)].defense_bonus);
}

namespace {

// True once the key was down; returns after it has been let go.
bool pressed(int key) {
  if (!plat::key_down(key)) return false;
  while (plat::key_down(key)) {
  }
  return true;
}

bool is_hero(int slot) { return slot >= 1 && slot <= 3; }

int slot_under_cursor() { return Slot_At(curserindex_x, curserindex_y); }

void move_order() {
  const game_unit* hero = Unit_In_Slot(slot_under_cursor());
  if (hero && !hero->has_moved) {
    Unit_Movement(curserindex_x, curserindex_y);
    Append_Move(curserindex_x, curserindex_y);
    canmoveflag = true;
  }
  orderposition = -1;
  curserflag = true;
}

void move_completion() {
  for (int i = 0; i < move_index; ++i) {
    if (move_x[i] != curserindex_x || move_y[i] != curserindex_y) continue;
    unit_x[unit_move] = curserindex_x;
    unit_y[unit_move] = curserindex_y;
    game_unit& hero = *Unit_In_Slot(unit_move);
    hero.defend_bonus = 0;
    hero.has_moved = true;
    move_index = 0;
    canmoveflag = false;
    orderposition = -1;
    break;
  }
  DSound_Play(move_sound, 0, 0, 0, 0);
}

void attack_order() {
  unit_temp = slot_under_cursor();
  temp_cx = curserindex_x;
  temp_cy = curserindex_y;
  attackflag = true;
  curserflag = true;
}

void attack_completion() {
  const int cx = curserindex_x, cy = curserindex_y;
  const bool next_to = (cx == temp_cx + 1 && cy == temp_cy) ||
                       (cx == temp_cx - 1 && cy == temp_cy) ||
                       (cx == temp_cx && cy == temp_cy + 1) || (cx == temp_cx && cy == temp_cy - 1);
  if (next_to) {
    int target = slot_under_cursor();
    game_unit* attacker = Unit_In_Slot(unit_temp);
    if (target && is_hero(unit_temp)) {
      float bonus = Terrain_Defense_Bonus(cx, cy);
      game_unit attacker_copy = *attacker;
      attacker->has_acted = true;
      game_unit& defender = *Unit_In_Slot(target);
      int hit_points = defender.hit_points;
      defender.hit_points = hit_points - Attackfunction(defender, attacker_copy, bonus);
      for (int slot = 1; slot < UNIT_SLOTS; ++slot)
        if (Unit_In_Slot(slot)->hit_points <= 0) unit_x[slot] = unit_y[slot] = -1;
    }
    DSound_Play(battle_sound, 0, 0, 0, 0);
  }
  // The background music plays on; only the enemy phase stops it.
  if (All_Heroes_Fallen())
    defeatflag = true;
  else if (All_Enemies_Fallen())
    victoryflag = true;
  orderposition = -1;
  attackflag = false;
}

void defend_order() {
  unit_temp = slot_under_cursor();
  if (is_hero(unit_temp)) {
    game_unit& hero = *Unit_In_Slot(unit_temp);
    if (hero.defend_bonus < 15) hero.defend_bonus += 5;
    hero.has_acted = true;
  }
  DSound_Play(defend_sound, 0, 0, 0, 0);
  orderposition = -1;
  curserflag = true;
}

void enter_action() {
  const int slot = slot_under_cursor();
  const bool selectable = is_hero(slot) && !Unit_In_Slot(slot)->has_acted;
  if (canmoveflag) {
    move_completion();
  } else if (attackflag) {
    attack_completion();
  } else if (curserflag) {
    if (selectable) {
      curserflag = false;
      orderposition = 0;
    }
  } else {
    switch (orderposition) {
      case 0: move_order(); break;
      case 1: attack_order(); break;
      case 2: defend_order(); break;
      case 3: plat::post_message(main_window_handle, WM_DESTROY, 0, 0); break;
      default: break;
    }
  }
}

void cursor_right() {
  if (curser_x < 704)
    curser_x += 64;
  else
    world_x += 64;
  if (world_x >= 1152) {
    world_x = 1152;
    if (curser_x >= 640) curser_x = 640;
  }
  if (curserindex_x < 28) ++curserindex_x;
}

void cursor_left() {
  if (curser_x >= 64) curser_x -= 64;
  if (world_x >= 0 && curser_x <= 0) {
    world_x -= 64;
    curser_x += 64;
  }
  if (curser_x <= 64) curser_x = 64;
  if (world_x <= 0) world_x = 0;
  if (curserindex_x > 1) --curserindex_x;
}

void cursor_down() {
  if (curser_y < 320)
    curser_y += 64;
  else
    world_y += 64;
  if (world_y >= 896) {
    world_y = 896;
    if (curser_y >= 320) curser_y = 320;
  }
  if (curserindex_y < 19) ++curserindex_y;
}

void cursor_up() {
  if (curser_y >= 64) curser_y -= 64;
  if (world_y >= 0 && curser_y <= 0) {
    world_y -= 64;
    curser_y += 64;
  }
  if (curser_y <= 64) curser_y = 64;
  if (world_y <= 0) world_y = 0;
  if (curserindex_y > 1) --curserindex_y;
}

}  // namespace

void Player_Input() {
  if (pressed(VK_RETURN)) enter_action();

  if (pressed(VK_RIGHT)) {
    if (curserflag) cursor_right();
  } else if (pressed(VK_LEFT)) {
    if (curserflag) cursor_left();
  }

  if (pressed(VK_UP)) {
    if (curserflag)
      cursor_up();
    else if (orderposition > 0)
      --orderposition;
  } else if (pressed(VK_DOWN)) {
    if (curserflag)
      cursor_down();
    else if (orderposition < 3)
      ++orderposition;
  }
}
