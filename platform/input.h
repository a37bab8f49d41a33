// "Is this key held right now", independent of the message queue. Tests
// replace the source with a script of key states.
#pragma once
#include <cstdint>

constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;

namespace plat {

using KeySource = bool (*)(int virtual_key);

// True while the key is down. The default source pumps the desktop's events
// and reads the live keyboard state.
bool key_down(int virtual_key);
// Null restores the real keyboard.
void set_key_source(KeySource source);

}  // namespace plat
