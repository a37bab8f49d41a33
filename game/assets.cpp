#include "game/assets.h"

#include "engine/ddraw.h"
#include "game/game_sounds.h"
#include "game/sprites.h"

int Game_Init(void*, int) {
  Game_Sounds_Init();
  DDraw_Init(800, 600, 16, 1);
  return Load_Game_Sprites();
}

int Game_Shutdown(void*, int) {
  // The display goes last, after the sprites whose surfaces it made.
  Destroy_Game_Sprites();
  Game_Sounds_Shutdown();
  DDraw_Shutdown();
  return 1;
}
