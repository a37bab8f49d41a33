// Drives real frames of the game headless: the display, sprites and sounds
// loaded once per test program, a virtual clock, a fixed calendar time and
// scripted keys.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/ddraw.h"
#include "game/assets.h"
#include "game/frame.h"
#include "game/movement.h"
#include "game/units.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/window.h"
#include "shell/winmain.h"
#include "sound/dsound.h"

namespace harness {

// ---- clock: every reading moves time on by a millisecond, sleeps skip ahead.
inline uint32_t now_ms = 0;
inline uint32_t fake_ticks() { return ++now_ms; }
inline void fake_sleep(uint32_t ms) { now_ms += ms; }
inline std::time_t fake_calendar() { return 1700000000; }

// ---- keys: a pressed key reads as down for a number of polls, then is let go.
inline int polls_left[256];
// Called at every poll that finds a key down (before the poll is counted).
inline std::function<void(int)> on_key_poll;
inline bool fake_key(int key) {
  if (key < 0 || key > 255 || polls_left[key] <= 0) return false;
  if (on_key_poll) on_key_poll(key);
  --polls_left[key];
  return true;
}
inline void press(int key, int polls = 3) { polls_left[key] = polls; }
inline void release_all() {
  for (int& n : polls_left) n = 0;
}

// ---- the window's message queue.
// True when the frames since the last call posted WM_DESTROY to the window.
inline bool destroy_posted() {
  bool seen = false;
  plat::Message m;
  while (plat::peek_message(&m))
    if (m.id == WM_DESTROY && m.window == main_window_handle) seen = true;
  return seen;
}

inline void start_program() {
  static bool started = false;
  if (started) return;
  started = true;
  static const plat::ClockSource clock{fake_ticks, fake_sleep, fake_calendar};
  plat::set_clock_source(&clock);
  plat::set_key_source(fake_key);
  plat::set_audio_output_enabled(false);  // the mix moves only when a test renders it
  plat::WindowClass wc;
  wc.name = "WINCLASS1";
  wc.proc = WindowProc;
  plat::register_class(wc);
  main_window_handle = plat::create_window("WINCLASS1", "Thalryn", 0, 0, 800, 600);
  ASSERT_NE(nullptr, main_window_handle) << plat::last_error();
  ASSERT_EQ(1, Game_Init(nullptr, 0));
}

// A fresh battle as at the first frame.
inline void new_battle() {
  start_program();
  ::Setup();
  Reset_Game_State();
  release_all();
  on_key_poll = nullptr;
  DSound_Stop_All_Sounds();
  destroy_posted();
}

inline void frame() { Game_Main(nullptr, 0); }

// One frame with these keys pressed (all down together at its start).
inline void frame_with(std::initializer_list<int> keys) {
  for (int k : keys) press(k);
  frame();
}

// Runs a script of frames: each letter one frame with that key pressed
// (E Enter, L R U D the arrows, . no key), spaces ignored.
inline void keys(const std::string& script) {
  for (char c : script) {
    switch (c) {
      case 'E': frame_with({VK_RETURN}); break;
      case 'L': frame_with({VK_LEFT}); break;
      case 'R': frame_with({VK_RIGHT}); break;
      case 'U': frame_with({VK_UP}); break;
      case 'D': frame_with({VK_DOWN}); break;
      case '.': frame(); break;
      default: break;
    }
  }
}

// Walks the map cursor to a tile with arrow presses, one per frame.
inline void cursor_to(int column, int row) {
  while (curserindex_x < column) frame_with({VK_RIGHT});
  while (curserindex_x > column) frame_with({VK_LEFT});
  while (curserindex_y < row) frame_with({VK_DOWN});
  while (curserindex_y > row) frame_with({VK_UP});
}

inline void place(int slot, int column, int row) {
  unit_x[slot] = column;
  unit_y[slot] = row;
}

// Off the map, as a fallen unit.
inline void remove(int slot) {
  Unit_In_Slot(slot)->hit_points = 0;
  place(slot, -1, -1);
}

struct Roster {
  game_unit units[UNIT_SLOTS];
};
inline Roster save_roster() {
  Roster r{};
  for (int s = 1; s < UNIT_SLOTS; ++s) r.units[s] = *Unit_In_Slot(s);
  return r;
}
inline void restore_roster(const Roster& r) {
  for (int s = 1; s < UNIT_SLOTS; ++s) *Unit_In_Slot(s) = r.units[s];
}

// Play position of a sound in bytes.
inline uint32_t sound_position(int id) {
  return plat::buffer_info(sound_fx[id].sound_buffer).play_position;
}
inline bool sound_playing(int id) { return DSound_Status_Sound(id) & plat::DSBSTATUS_PLAYING; }

// Pixel of the back buffer.
inline uint16_t back_pixel(int x, int y) {
  return reinterpret_cast<const uint16_t*>(lpddsback->memory + y * lpddsback->pitch)[x];
}

}  // namespace harness
