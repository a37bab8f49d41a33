#include "platform/clock.h"

#include <SDL.h>

namespace plat {
namespace {

uint32_t real_ticks() {
  // SDL's 64-bit count, cut to the 32 bits that wrap like the original
  // counter.
  static bool started = (SDL_InitSubSystem(SDL_INIT_TIMER), true);
  (void)started;
  return static_cast<uint32_t>(SDL_GetTicks64());
}
void real_sleep(uint32_t ms) { SDL_Delay(ms); }
std::time_t real_calendar() { return std::time(nullptr); }

ClockSource current{real_ticks, real_sleep, real_calendar};

}  // namespace

uint32_t ticks() { return current.ticks(); }
void sleep_ms(uint32_t ms) { current.sleep(ms); }
std::time_t calendar_time() { return current.calendar(); }

void set_clock_source(const ClockSource* source) {
  current = ClockSource{real_ticks, real_sleep, real_calendar};
  if (!source) return;
  if (source->ticks) current.ticks = source->ticks;
  if (source->sleep) current.sleep = source->sleep;
  if (source->calendar) current.calendar = source->calendar;
}

}  // namespace plat
