#include "platform/sdl_video.h"

#include <SDL.h>

namespace plat {

bool ensure_video() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // We present through the window's own framebuffer: a renderer-backed one
  // would make SDL re-create the window and add a texture upload per frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace plat
