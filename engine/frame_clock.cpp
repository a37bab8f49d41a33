#include "engine/frame_clock.h"

#include "platform/clock.h"

DWORD start_clock_count = 0;

DWORD Get_Clock() { return plat::ticks(); }

DWORD Start_Clock() { return start_clock_count = plat::ticks(); }

DWORD Wait_Clock(DWORD count) {
  // Sleep through the bulk of the wait so an idle game leaves the processor
  // alone, then poll the last stretch so the period is kept to the tick.
  // The difference is unsigned, so a wrap of the counter still measures true.
  constexpr DWORD kPollMargin = 2;
  for (;;) {
    DWORD elapsed = plat::ticks() - start_clock_count;
    if (elapsed >= count) break;
    DWORD remaining = count - elapsed;
    if (remaining > kPollMargin) plat::sleep_ms(remaining - kPollMargin);
  }
  return plat::ticks();
}
