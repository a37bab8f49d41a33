// Drawing speed of lines, triangles, polygons and runs on an 800x600 16-bit
// screen in memory, in pixels per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/ddraw.h"
#include "engine/lines.h"
#include "engine/polygon.h"
#include "engine/triangle.h"

namespace {

constexpr int kWidth = 800, kHeight = 600, kPitch = kWidth * 2;

struct Screen {
  std::vector<uint16_t> words = std::vector<uint16_t>(kWidth * kHeight);
  uint8_t* buffer() { return reinterpret_cast<uint8_t*>(words.data()); }
  int64_t written() const {
    int64_t n = 0;
    for (uint16_t w : words) n += w != 0;
    return n;
  }
  void clear() { std::fill(words.begin(), words.end(), 0); }
};

void full_clip() {
  min_clip_x = 0, min_clip_y = 0, max_clip_x = kWidth - 1, max_clip_y = kHeight - 1;
}

// Random shapes drawn in turn; items are the pixels they write.
struct Shape {
  int x1, y1, x2, y2, x3, y3;
};

std::vector<Shape> random_shapes(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1);
  std::vector<Shape> shapes(count);
  for (Shape& s : shapes) s = {x(rng), y(rng), x(rng), y(rng), x(rng), y(rng)};
  return shapes;
}

template <typename Draw>
int64_t pixels_of(const std::vector<Shape>& shapes, Draw draw) {
  Screen s;
  int64_t total = 0;
  for (const Shape& shape : shapes) {
    s.clear();
    draw(shape, s.buffer());
    total += s.written();
  }
  return total;
}

void BM_Draw_Line16(benchmark::State& state) {
  full_clip();
  auto shapes = random_shapes(256, 1);
  auto draw = [](const Shape& l, uint8_t* b) {
    Draw_Line16(l.x1, l.y1, l.x2, l.y2, 0xFFFF, b, kPitch);
  };
  const int64_t pixels = pixels_of(shapes, draw);
  Screen screen;
  for (auto _ : state) {
    for (const Shape& l : shapes) draw(l, screen.buffer());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * pixels);
}
BENCHMARK(BM_Draw_Line16);

void BM_Draw_Triangle_2D16(benchmark::State& state) {
  full_clip();
  auto shapes = random_shapes(64, 2);
  auto draw = [](const Shape& t, uint8_t* b) {
    Draw_Triangle_2D16(t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, 0xFFFF, b, kPitch);
  };
  const int64_t pixels = pixels_of(shapes, draw);
  Screen screen;
  for (auto _ : state) {
    for (const Shape& t : shapes) draw(t, screen.buffer());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * pixels);
}
BENCHMARK(BM_Draw_Triangle_2D16);

void BM_Draw_Filled_Polygon2D16(benchmark::State& state) {
  full_clip();
  // A 12-sided disc of radius 250 in the middle of the screen.
  std::vector<VERTEX2DF> v;
  for (int i = 0; i < 12; ++i)
    v.push_back({250 * std::cos(i * 3.14159265f / 6), 250 * std::sin(i * 3.14159265f / 6)});
  POLYGON2D_TYP poly{};
  poly.state = 1;
  poly.vertex_count = 12;
  poly.pos_x = 400;
  poly.pos_y = 300;
  poly.color = 0xFFFF;
  poly.vertices = v.data();
  Screen screen;
  Draw_Filled_Polygon2D16(&poly, screen.buffer(), kPitch);
  const int64_t pixels = screen.written();
  for (auto _ : state) {
    Draw_Filled_Polygon2D16(&poly, screen.buffer(), kPitch);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * pixels);
}
BENCHMARK(BM_Draw_Filled_Polygon2D16);

// Whole-screen rows, and short runs such as thin triangles make.
void BM_HLine16(benchmark::State& state) {
  full_clip();
  const int length = static_cast<int>(state.range(0));
  Screen screen;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) HLine16(0, length - 1, y, 0xF81F, screen.buffer(), kPitch);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t{length} * kHeight);
  state.SetBytesProcessed(state.iterations() * int64_t{length} * kHeight * 2);
}
BENCHMARK(BM_HLine16)->Arg(800)->Arg(16);

}  // namespace

BENCHMARK_MAIN();
