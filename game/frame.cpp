#include "game/frame.h"

#include "engine/ddraw.h"
#include "engine/frame_clock.h"
#include "platform/input.h"
#include "shell/winmain.h"

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
  unit_temp = temp_cx = temp_cy = 0;
  world_x = world_y = 0;
  curser_x = curser_y = 64;
  curserindex_x = curserindex_y = 1;
}

int Game_Main(void*, int) {
  if (plat::key_down(VK_ESCAPE)) plat::post_message(main_window_handle, WM_DESTROY, 0, 0);
  Start_Clock();
  DDraw_Fill_Surface(lpddsback, 0, nullptr);
  DDraw_Flip();
  Wait_Clock(30);
  return 1;
}
