#include "game/assets.h"

#include "engine/ddraw.h"

int Game_Init(void*, int) {
  DDraw_Init(800, 600, 16, 1);
  return 1;
}

int Game_Shutdown(void*, int) {
  DDraw_Shutdown();
  return 1;
}
