#include "game/random.h"

#include <cstdint>

#include "platform/clock.h"

namespace {

// 32 bits are enough: the result only uses bits 16 to 30 of the state,
// which a wider state would compute identically.
uint32_t next_state = 1;

}  // namespace

void Game_Srand(unsigned seed) { next_state = static_cast<uint32_t>(seed); }

int Game_Rand() {
  next_state = next_state * 1103515245u + 12345u;
  return static_cast<int>((next_state / 65536u) % 32768u);
}

void Reseed_From_Clock() { Game_Srand(static_cast<unsigned>(plat::calendar_time())); }
