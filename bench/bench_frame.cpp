// One whole frame's drawing without the frame wait: the cleared back buffer,
// the battlefield, the panels with their text, and the flip into the window.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/ddraw.h"
#include "game/assets.h"
#include "game/battlefield.h"
#include "game/frame.h"
#include "game/panels.h"
#include "game/units.h"
#include "platform/window.h"
#include "shell/winmain.h"

namespace {

bool start_game() {
  static bool ok = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    plat::WindowClass wc;
    wc.name = "WINCLASS1";
    wc.proc = WindowProc;
    plat::register_class(wc);
    main_window_handle = plat::create_window("WINCLASS1", "Thalryn", 0, 0, 800, 600);
    if (!main_window_handle) return false;
    plat::show_window(main_window_handle);
    if (!Game_Init(nullptr, 0)) return false;
    Setup();
    return true;
  }();
  return ok;
}

void draw_frame() {
  DDraw_Fill_Surface(lpddsback, 0, nullptr);
  Draw_Battlefield();
  Draw_Info_Panels();
  DDraw_Flip();
}

// The map cursor on Zuroru, so the unit panel's seven lines are drawn too.
void BM_FrameDrawing(benchmark::State& state) {
  if (!start_game()) {
    state.SkipWithError("no display or game data (run from the build directory)");
    return;
  }
  curserindex_x = 2, curserindex_y = 2;
  curser_x = curser_y = 128;
  orderposition = 0;
  for (auto _ : state) draw_frame();
}
BENCHMARK(BM_FrameDrawing)->Unit(benchmark::kMicrosecond);

// Without the flip: what the game itself draws.
void BM_FrameDrawingNoFlip(benchmark::State& state) {
  if (!start_game()) {
    state.SkipWithError("no display or game data (run from the build directory)");
    return;
  }
  curserindex_x = 2, curserindex_y = 2;
  for (auto _ : state) {
    DDraw_Fill_Surface(lpddsback, 0, nullptr);
    Draw_Battlefield();
    Draw_Info_Panels();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameDrawingNoFlip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
