#include "game/frame.h"

#include "engine/bob.h"
#include "engine/ddraw.h"
#include "engine/frame_clock.h"
#include "game/battlefield.h"
#include "game/enemy_phase.h"
#include "game/game_sounds.h"
#include "game/movement.h"
#include "game/orders.h"
#include "game/panels.h"
#include "game/sprites.h"
#include "game/units.h"
#include "platform/input.h"
#include "shell/winmain.h"
#include "sound/dsound.h"

bool curserflag = true;
int orderposition = -1;
bool canmoveflag = false;
bool attackflag = false;
bool victoryflag = false;
bool defeatflag = false;
int unit_temp = 0;
int temp_cx = 0, temp_cy = 0;
int world_x = 0, world_y = 0;
int curser_x = 64, curser_y = 64;
int curserindex_x = 1, curserindex_y = 1;

void Reset_Game_State() {
  curserflag = true;
  orderposition = -1;
  canmoveflag = attackflag = victoryflag = defeatflag = false;
  unit_move = unit_temp = temp_cx = temp_cy = 0;
  move_index = 0;
  world_x = world_y = 0;
  curser_x = curser_y = 64;
  curserindex_x = curserindex_y = 1;
}

bool Hero_Fallen(int slot) { return Unit_In_Slot(slot)->hit_points <= 0 || unit_x[slot] == -1; }

bool Heroes_Done() {
  for (int slot = 1; slot <= 3; ++slot)
    if (!Unit_In_Slot(slot)->has_acted && !Hero_Fallen(slot)) return false;
  return true;
}

bool All_Heroes_Fallen() { return Hero_Fallen(1) && Hero_Fallen(2) && Hero_Fallen(3); }

bool All_Enemies_Fallen() {
  for (int slot = 4; slot < UNIT_SLOTS; ++slot)
    if (Unit_In_Slot(slot)->hit_points > 0) return false;
  return true;
}

namespace {

void battle_over_keys() {
  if (!victoryflag && !defeatflag) return;
  for (int key : {VK_ESCAPE, VK_RETURN, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}) {
    if (plat::key_down(key)) {
      plat::post_message(main_window_handle, WM_DESTROY, 0, 0);
      return;
    }
  }
}

void show_outcome(BOB_TYP* picture, int sound) {
  picture->x = 200;
  picture->y = 200;
  Draw_BOB16(picture, lpddsback);
  // A request while the sound plays would rewind it, so it would never get
  // past its first moments; ask only once it has finished.
  if (!(DSound_Status_Sound(sound) & plat::DSBSTATUS_PLAYING)) DSound_Play(sound, 0, 0, 0, 0);
}

}  // namespace

int Game_Main(void*, int) {
  if (plat::key_down(VK_ESCAPE)) plat::post_message(main_window_handle, WM_DESTROY, 0, 0);
  Start_Clock();
  DDraw_Fill_Surface(lpddsback, 0, nullptr);
  battle_over_keys();
  if (Heroes_Done()) Enemy_Phase();
  Player_Input();
  Draw_Battlefield();
  Draw_Info_Panels();
  if (victoryflag)
    show_outcome(&victory, victory_sound);
  else if (defeatflag)
    show_outcome(&defeat, defeat_sound);
  DDraw_Flip();
  Wait_Clock(30);
  return 1;
}
