// Sprite drawing and picture loading, run from the build directory.
#include <benchmark/benchmark.h>

#include "engine/bitmap_file.h"
#include "engine/bob.h"
#include "engine/ddraw.h"

namespace {

void BM_LoadTerrainPicture(benchmark::State& state) {
  BITMAP_FILE_TAG b{};
  for (auto _ : state) benchmark::DoNotOptimize(Load_Bitmap_File(&b, "TERRAINTEXTURES.BMP"));
  Unload_Bitmap_File(&b);
}
BENCHMARK(BM_LoadTerrainPicture);

// One 64 x 64 unit frame, about half of it key colour, into a clipped screen.
void BM_DrawUnitSprite(benchmark::State& state) {
  plat::Surface* screen = plat::create_surface(800, 600, 16);
  plat::Rect whole{0, 0, 800, 600};
  plat::Clipper* clipper = DDraw_Attach_Clipper(screen, 1, &whole);
  BITMAP_FILE_TAG b{};
  BOB_TYP bob{};
  Load_Bitmap_File(&b, "ZURORU.BMP");
  Create_BOB(&bob, 300, 200, 64, 64, 2, BOB_VISIBLE | BOB_CYCLE, DDSCAPS_SYSTEMMEMORY, 0, 16);
  Load_Frame_BOB16(&bob, &b, 0, 0, 0, BOB_CELL_MODE);
  for (auto _ : state) benchmark::DoNotOptimize(Draw_BOB16(&bob, screen));
  Destroy_BOB(&bob);
  Unload_Bitmap_File(&b);
  plat::release_clipper(clipper);
  plat::release_surface(screen);
}
BENCHMARK(BM_DrawUnitSprite);

}  // namespace

BENCHMARK_MAIN();
