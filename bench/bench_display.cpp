// Keyed 64x64 blits, the whole-buffer fill and the windowed present, with
// SDL's own colour-keyed blit on the same pictures as the reference.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include "engine/ddraw.h"
#include "shell/winmain.h"

namespace {

// A 64x64 picture with about `keyed` percent key pixels, in round blobs as
// sprites have them rather than scattered noise.
void paint_sprite(uint16_t* pixels, int pitch_words, int keyed) {
  std::mt19937 rng(42);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      int dx = x - 32, dy = y - 32;
      // radius chosen so the disc covers (100 - keyed)% of the square
      double r2 = (100 - keyed) / 100.0 * 64 * 64 / 3.14159;
      bool opaque = keyed == 0 || dx * dx + dy * dy < r2;
      pixels[y * pitch_words + x] = opaque ? static_cast<uint16_t>(1 + rng() % 0xFFFE) : 0;
    }
}

struct Screen {
  Screen() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    plat::WindowClass wc{"BENCH", WindowProc};
    plat::register_class(wc);
    main_window_handle = plat::create_window("BENCH", "bench", 0, 0, 800, 600);
    DDraw_Init(800, 600, 16, 1);
  }
};

Screen& screen() {
  static Screen s;
  return s;
}

void BM_KeyedBlit(benchmark::State& state) {
  screen();
  int keyed = static_cast<int>(state.range(0));
  int x = static_cast<int>(state.range(1));
  plat::Surface* sprite = DDraw_Create_Surface(64, 64, DDSCAPS_SYSTEMMEMORY, 0);
  paint_sprite(reinterpret_cast<uint16_t*>(sprite->memory), sprite->pitch / 2, keyed);
  plat::Rect dest{x, 200, x + 64, 264};
  for (auto _ : state) {
    plat::blit(lpddsback, &dest, sprite, nullptr, true);
    benchmark::ClobberMemory();
  }
  plat::release_surface(sprite);
}
// Arguments: percent of key pixels, x (770 is cut at the right edge).
BENCHMARK(BM_KeyedBlit)->Args({0, 300})->Args({40, 300})->Args({90, 300})->Args({40, 770});

void BM_SdlKeyedBlit(benchmark::State& state) {
  int keyed = static_cast<int>(state.range(0));
  int x = static_cast<int>(state.range(1));
  bool rle = state.range(2) != 0;
  SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 16, SDL_PIXELFORMAT_RGB565);
  paint_sprite(static_cast<uint16_t*>(src->pixels), src->pitch / 2, keyed);
  SDL_SetColorKey(src, SDL_TRUE, 0);
  if (rle) SDL_SetSurfaceRLE(src, 1);
  SDL_Rect dest{x, 200, 64, 64};
  for (auto _ : state) {
    SDL_Rect d = dest;
    SDL_BlitSurface(src, nullptr, dst, &d);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(src);
  SDL_FreeSurface(dst);
}
// Arguments: percent of key pixels, x, run-length encoded.
BENCHMARK(BM_SdlKeyedBlit)
    ->Args({0, 300, 0})
    ->Args({40, 300, 0})
    ->Args({90, 300, 0})
    ->Args({40, 770, 0})
    ->Args({40, 300, 1});

void BM_FillBackBuffer(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    DDraw_Fill_Surface(lpddsback, 0, nullptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillBackBuffer);

void BM_SdlFill(benchmark::State& state) {
  SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  for (auto _ : state) {
    SDL_FillRect(dst, nullptr, 0);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(dst);
}
BENCHMARK(BM_SdlFill);

void BM_WindowedPresent(benchmark::State& state) {
  screen();
  for (auto _ : state) {
    DDraw_Flip();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WindowedPresent);

void BM_SdlConvert565To8888(benchmark::State& state) {
  std::vector<uint16_t> in(800 * 600, 0x1234);
  std::vector<uint32_t> out(800 * 600);
  for (auto _ : state) {
    SDL_ConvertPixels(800, 600, SDL_PIXELFORMAT_RGB565, in.data(), 1600, SDL_PIXELFORMAT_XRGB8888,
                      out.data(), 3200);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SdlConvert565To8888);

}  // namespace

BENCHMARK_MAIN();
