#include <gtest/gtest.h>

#include <vector>

#include "engine/ddraw.h"
#include "engine/lines.h"
#include "engine_fixture.h"

namespace {

using Points = std::vector<std::pair<int, int>>;

class Lines : public ::testing::Test {
 protected:
  void SetUp() override { set_clip(0, 0, 799, 599); }
};

struct LineCase {
  int x0, y0, x1, y1;
  Points pixels;  // in row order
};

TEST_F(Lines, MidpointLinesHitExactlyThesePixelsInBothDepths) {
  const std::vector<LineCase> cases = {
      {10, 10, 10, 10, {{10, 10}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      // The step across is taken when the error reaches 0.
      {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      // Drawn the other way round, the error reaches 0 at another pixel.
      {4, 1, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}},
      {2, 0, 0, 5, {{2, 0}, {2, 1}, {1, 2}, {1, 3}, {0, 4}, {0, 5}}},
  };
  for (const LineCase& c : cases) {
    Canvas<uint8_t> c8(12, 12);
    EXPECT_EQ(Draw_Line(c.x0, c.y0, c.x1, c.y1, 0x1FF, c8.buffer(), c8.pitch), 1);
    EXPECT_EQ(c8.find(0xFF), c.pixels) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    // Odd pitch: 16-bit rows step by the pitch rounded down to even bytes.
    Canvas<uint16_t> c16(12, 12, 25);
    EXPECT_EQ(Draw_Line16(c.x0, c.y0, c.x1, c.y1, 0x1ABCD, c16.buffer(), 25), 1);
    Canvas<uint16_t> view(12, 12, 24);
    view.bytes = c16.bytes;
    EXPECT_EQ(view.find(0xABCD), c.pixels);
  }
}

TEST_F(Lines, PixelsWriteTheLowBitsAtTheirRow) {
  Canvas<uint8_t> c8(4, 4, 7);
  Draw_Pixel(3, 2, 0x142, c8.buffer(), 7);
  EXPECT_EQ(c8.bytes[2 * 7 + 3], 0x42);
  Canvas<uint16_t> c16(4, 4, 11);
  Draw_Pixel16(3, 2, 0x1BEEF, c16.buffer(), 11);  // rows 5 words apart
  EXPECT_EQ(reinterpret_cast<uint16_t*>(c16.buffer())[2 * 5 + 3], 0xBEEF);
}

struct ClipCase {
  int x1, y1, x2, y2;
  int result;
  int cx1, cy1, cx2, cy2;  // coordinates afterwards
};

TEST_F(Lines, ClipLineCases) {
  const std::vector<ClipCase> cases = {
      {-100, 50, -10, 60, 0, -100, 50, -10, 60},  // both left
      {10, 10, 20, 20, 1, 10, 10, 20, 20},        // inside
      {-10, 10, 10, 10, 1, 0, 10, 10, 10},        // left end cut
      {-10, -10, 900, 700, 1, 2, 0, 771, 599},    // both corners cut
      {-10, 5, 5, -10, 0, -10, 5, 5, -10},        // passes outside the corner
      {900, 700, -10, -10, 1, 771, 599, 2, 0},    // the same line the other way
      {400, -50, 400, 650, 1, 400, 0, 400, 599},  // vertical through
      {-5, 300, 805, 300, 1, 0, 300, 799, 300},   // horizontal through
      {10, 10, 810, 20, 1, 10, 10, 799, 20},      // point 2: 20 + 110 / -800
      {810, 20, 10, 10, 1, 799, 20, 10, 10},      // point 1 rounds: 20 + 0.5 + (-0)
      {-30, -1, 10, 3, 1, 0, 2, 10, 3},           // corner code 9 falls back to the side
  };
  for (const ClipCase& c : cases) {
    int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    EXPECT_EQ(Clip_Line(x1, y1, x2, y2), c.result)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{c.cx1, c.cy1, c.cx2, c.cy2}))
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

// Below zero R(a, q) is a + q + 1, and only point 1 rounds at a single
// edge: the same line clips to different rows depending on its direction.
TEST_F(Lines, ClipLineRoundsOnlyPointOneAtSingleEdges) {
  set_clip(-100, -100, 100, 100);
  int x1 = -200, y1 = -10, x2 = 0, y2 = -30;
  ASSERT_EQ(Clip_Line(x1, y1, x2, y2), 1);
  EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{-100, -19, 0, -30}));
  x1 = 0, y1 = -30, x2 = -200, y2 = -10;
  ASSERT_EQ(Clip_Line(x1, y1, x2, y2), 1);
  EXPECT_EQ((std::vector<int>{x1, y1, x2, y2}), (std::vector<int>{0, -30, -100, -20}));
}

TEST_F(Lines, ClippedLinesDrawOnlyTheVisiblePart) {
  set_clip(2, 2, 7, 7);
  Canvas<uint8_t> c(10, 10);
  EXPECT_EQ(Draw_Clip_Line(-5, 4, 20, 4, 9, c.buffer(), c.pitch), 1);
  EXPECT_EQ(c.find(9), (Points{{2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}}));
  EXPECT_EQ(Draw_Clip_Line(0, 0, 1, 9, 5, c.buffer(), c.pitch), 1);  // wholly outside
  EXPECT_EQ(c.count(5), 0);
  Canvas<uint16_t> c16(10, 10);
  EXPECT_EQ(Draw_Clip_Line16(4, -3, 4, 30, 0x1234, c16.buffer(), c16.pitch), 1);
  EXPECT_EQ(c16.find(0x1234), (Points{{4, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}, {4, 7}}));
}

struct RunCase {
  int a, b, at;     // run from a to b at row (HLine) or column (VLine) `at`
  int first, last;  // the pixels filled along the run; first > last: none
};

TEST_F(Lines, RunsAreCutAtEachClipEdge) {
  set_clip(10, 10, 30, 30);
  const std::vector<RunCase> cases = {
      {25, 15, 20, 15, 25},                        // either order
      {5, 15, 20, 10, 15},                         // cut at the low edge
      {25, 40, 20, 25, 30},                        // cut at the high edge
      {0, 40, 20, 10, 30},                         // both
      {0, 9, 20, 1, 0},                            // wholly before the clip
      {31, 40, 20, 1, 0},                          // wholly after
      {15, 20, 9, 1, 0},                           // row/column outside
      {15, 20, 31, 1, 0},   {17, 17, 12, 17, 17},  // one pixel
  };
  for (const RunCase& c : cases) {
    Canvas<uint8_t> h(40, 40), v(40, 40);
    Canvas<uint16_t> h16(40, 40), v16(40, 40);
    HLine(c.a, c.b, c.at, 0x107, h.buffer(), h.pitch);
    VLine(c.a, c.b, c.at, 0x107, v.buffer(), v.pitch);
    HLine16(c.a, c.b, c.at, 0x1F00F, h16.buffer(), h16.pitch);
    VLine16(c.a, c.b, c.at, 0x1F00F, v16.buffer(), v16.pitch);
    Points across, down;
    for (int i = c.first; i <= c.last; ++i) {
      across.emplace_back(i, c.at);
      down.emplace_back(c.at, i);
    }
    EXPECT_EQ(h.find(7), across) << c.a << ".." << c.b << " @" << c.at;
    EXPECT_EQ(h16.find(0xF00F), across) << c.a << ".." << c.b << " @" << c.at;
    EXPECT_EQ(v.find(7), down) << c.a << ".." << c.b << " @" << c.at;
    EXPECT_EQ(v16.find(0xF00F), down) << c.a << ".." << c.b << " @" << c.at;
  }
}

TEST_F(Lines, WordFillWritesExactlyCountWords) {
  std::vector<uint16_t> words(40, 0);
  for (int count : {0, 1, 7, 33}) {
    std::fill(words.begin(), words.end(), 0);
    Mem_Set_WORD(words.data() + 2, 0xA5A5, count);
    for (int i = 0; i < 40; ++i)
      EXPECT_EQ(words[i], i >= 2 && i < 2 + count ? 0xA5A5 : 0) << count << " @" << i;
  }
  Mem_Set_WORD(words.data(), 1, -3);  // refused
  EXPECT_EQ(words[0], 0);
}

TEST_F(Lines, RectangleFillsThroughTheSurfaceClipper) {
  plat::Surface* s = plat::create_surface(800, 600, 16);
  ASSERT_NE(s, nullptr);
  plat::Rect screen{0, 0, 800, 600};
  plat::Clipper* clipper = DDraw_Attach_Clipper(s, 1, &screen);
  auto count = [&](uint16_t value) {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        n += reinterpret_cast<uint16_t*>(s->memory + y * s->pitch)[x] == value;
    return n;
  };
  EXPECT_EQ(Draw_Rectangle(0, 0, 800, 600, 0xFFFF, s), 1);
  EXPECT_EQ(count(0xFFFF), 800 * 600);
  EXPECT_EQ(Draw_Rectangle(5, 5, 5, 9, 0x1111, s), 1);  // zero width
  EXPECT_EQ(count(0x1111), 0);
  EXPECT_EQ(Draw_Rectangle(790, 590, 900, 700, 0x2222, s), 1);  // cut by the clipper
  EXPECT_EQ(count(0x2222), 10 * 10);
  EXPECT_EQ(Draw_Rectangle(0, 0, 1, 1, 0, nullptr), 0);
  plat::release_clipper(clipper);
  plat::release_surface(s);
}

}  // namespace
