// Helpers shared by the engine drawing tests: plain memory canvases, the
// clip rectangle, a virtual frame clock, and a hidden main window for the
// display.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/ddraw.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "shell/winmain.h"

// A block of pixels with a row pitch in bytes, like a locked surface.
template <typename Pixel>
struct Canvas {
  int width, height, pitch;
  std::vector<uint8_t> bytes;
  Canvas(int w, int h, int pitch_bytes = 0)
      : width(w),
        height(h),
        pitch(pitch_bytes ? pitch_bytes : w * int(sizeof(Pixel))),
        bytes(size_t(pitch) * h, 0) {}
  uint8_t* buffer() { return bytes.data(); }
  Pixel at(int x, int y) const {
    return reinterpret_cast<const Pixel*>(bytes.data() + size_t(y) * pitch)[x];
  }
  // Pixels equal to value, listed as (x, y) row by row.
  std::vector<std::pair<int, int>> find(Pixel value) const {
    std::vector<std::pair<int, int>> found;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (at(x, y) == value) found.emplace_back(x, y);
    return found;
  }
  int count(Pixel value) const { return int(find(value).size()); }
};

inline void set_clip(int x0, int y0, int x1, int y1) {
  min_clip_x = x0;
  min_clip_y = y0;
  max_clip_x = x1;
  max_clip_y = y1;
}

// Time stands still until someone sleeps or reads it: each read moves it on
// by a millisecond and a sleep jumps ahead, so clock waits end at once.
struct VirtualClock {
  static inline uint32_t now = 0;
  static inline uint32_t reads = 0;
  static uint32_t ticks() {
    ++reads;
    return now++;
  }
  static void sleep(uint32_t ms) { now += ms; }
  static void install() {
    static const plat::ClockSource source{ticks, sleep, nullptr};
    now = 0;
    reads = 0;
    plat::set_clock_source(&source);
  }
};

inline LRESULT test_window_proc(HWND hwnd, uint32_t msg, WPARAM wparam, LPARAM lparam) {
  return plat::def_window_proc(hwnd, msg, wparam, lparam);
}

// A hidden main window of the screen's size, as the shell makes it.
inline bool open_main_window(int width = 800, int height = 600) {
  plat::reset_windows();
  plat::WindowClass wc;
  wc.name = "ENGINETEST";
  wc.proc = test_window_proc;
  if (!plat::register_class(wc)) return false;
  main_window_handle = plat::create_window("ENGINETEST", "engine test", 0, 0, width, height);
  window_client_x0 = window_client_y0 = 0;
  return main_window_handle != nullptr;
}
