#include "game/assets.h"

#include "engine/ddraw.h"
#include "game/game_sounds.h"

int Game_Init(void*, int) {
  Game_Sounds_Init();
  DDraw_Init(800, 600, 16, 1);
  return 1;
}

int Game_Shutdown(void*, int) {
  Game_Sounds_Shutdown();
  DDraw_Shutdown();
  return 1;
}
