// Time: the wrapping millisecond tick counter, sleeping, and calendar time.
// Each comes through a replaceable source so tests can fix time.
#pragma once
#include <cstdint>
#include <ctime>

namespace plat {

struct ClockSource {
  uint32_t (*ticks)();         // milliseconds, wraps after 2^32
  void (*sleep)(uint32_t ms);  // gives the processor away for about ms
  std::time_t (*calendar)();   // seconds of calendar time
};

uint32_t ticks();
void sleep_ms(uint32_t ms);
std::time_t calendar_time();

// Any null member keeps the real service for that member; null restores all.
void set_clock_source(const ClockSource* source);

}  // namespace plat
