#include "platform/input.h"

#include <SDL.h>

namespace plat {
namespace {

bool sdl_key_down(int virtual_key) {
  SDL_Scancode code;
  switch (virtual_key) {
    case VK_RETURN: code = SDL_SCANCODE_RETURN; break;
    case VK_ESCAPE: code = SDL_SCANCODE_ESCAPE; break;
    case VK_LEFT: code = SDL_SCANCODE_LEFT; break;
    case VK_UP: code = SDL_SCANCODE_UP; break;
    case VK_RIGHT: code = SDL_SCANCODE_RIGHT; break;
    case VK_DOWN: code = SDL_SCANCODE_DOWN; break;
    default: return false;
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_PumpEvents();
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  if (virtual_key == VK_RETURN && keys[SDL_SCANCODE_KP_ENTER]) return true;
  return keys[code] != 0;
}

KeySource current = sdl_key_down;

}  // namespace

bool key_down(int virtual_key) { return current(virtual_key); }

void set_key_source(KeySource source) { current = source ? source : sdl_key_down; }

}  // namespace plat
