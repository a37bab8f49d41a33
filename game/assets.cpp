#include "game/assets.h"

#include "engine/ddraw.h"
#include "game/sprites.h"

int Game_Init(void*, int) {
  DDraw_Init(800, 600, 16, 1);
  return Load_Game_Sprites();
}

int Game_Shutdown(void*, int) {
  Destroy_Game_Sprites();
  DDraw_Shutdown();
  return 1;
}
