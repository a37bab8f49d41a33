#include <benchmark/benchmark.h>

#include "game/enemy_choice.h"
#include "game/movement.h"
#include "game/random.h"
#include "game/units.h"

namespace {

// (7, 8) is the open ground where a lone unit reaches the most entries.
void Place_Lone_Zuroru(int movement) {
  Setup();
  for (int slot = 0; slot < UNIT_SLOTS; ++slot) unit_x[slot] = unit_y[slot] = -1;
  unit_x[1] = 7;
  unit_y[1] = 8;
  Zuroruinfo.movement = movement;
}

void BM_RangeSearch(benchmark::State& state) {
  Place_Lone_Zuroru(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Clear_Moves();
    Unit_Movement(7, 8);
    benchmark::DoNotOptimize(move_index);
  }
  state.counters["entries"] = move_index;
}
BENCHMARK(BM_RangeSearch)->DenseRange(4, 7)->Unit(benchmark::kMicrosecond);

// The six-point list scored against the three heroes at their start tiles.
void BM_AI_Move(benchmark::State& state) {
  Place_Lone_Zuroru(6);
  Clear_Moves();
  Unit_Movement(7, 8);
  Setup();
  Game_Srand(1);
  for (auto _ : state) {
    int x = 0, y = 0;
    AI_Move(x, y);
    benchmark::DoNotOptimize(x + y);
  }
  state.counters["entries"] = move_index;
}
BENCHMARK(BM_AI_Move)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
