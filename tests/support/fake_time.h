// A virtual clock and a scripted keyboard for driving real frames in tests.
#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <map>

#include "platform/clock.h"
#include "platform/input.h"

namespace fake {

// Ticks advance only when someone sleeps or reads (by step ms per read), so
// frames run instantly and waits always end.
struct Clock {
  static inline uint32_t now = 0;
  static inline uint32_t step = 1;
  static inline std::time_t calendar = 1000000;
  static uint32_t ticks() { return now += step, now - step; }
  static void sleep(uint32_t ms) { now += ms; }
  static std::time_t calendar_time() { return calendar; }
  static void install(uint32_t start = 0, uint32_t per_read = 1) {
    now = start;
    step = per_read;
    static const plat::ClockSource source{ticks, sleep, calendar_time};
    plat::set_clock_source(&source);
  }
  static void uninstall() { plat::set_clock_source(nullptr); }
};

// Keys held down; an optional hook sees every query (for counting frames).
struct Keys {
  static inline std::map<int, bool> down;
  static inline std::function<void(int)> on_query;
  static bool query(int vk) {
    if (on_query) on_query(vk);
    auto it = down.find(vk);
    return it != down.end() && it->second;
  }
  static void install() {
    down.clear();
    on_query = nullptr;
    plat::set_key_source(query);
  }
  static void uninstall() {
    on_query = nullptr;
    plat::set_key_source(nullptr);
  }
};

}  // namespace fake
