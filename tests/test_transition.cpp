#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/ddraw.h"
#include "engine/frame_clock.h"
#include "engine/palette.h"
#include "engine/scan.h"
#include "engine/transition.h"
#include "engine_fixture.h"

namespace {

bool same(const PALETTEENTRY& e, int r, int g, int b) {
  return e.red == r && e.green == g && e.blue == b;
}

class Transitions : public ::testing::Test {
 protected:
  void SetUp() override {
    VirtualClock::install();
    // What one 12 ms step costs on the virtual clock.
    DWORD before = VirtualClock::now;
    Start_Clock();
    Wait_Clock(12);
    step_ = VirtualClock::now - before;
    ASSERT_GE(step_, 12u);
    for (int i = 0; i < 256; ++i)
      palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i < 5 ? 4 : 255), 0};
    lpddpal = plat::create_palette(palette);
    set_clip(0, 0, 799, 599);
    screen_width = 800, screen_height = 600, screen_bpp = 8;
  }
  void TearDown() override {
    plat::release_palette(lpddpal);
    lpddpal = nullptr;
    plat::set_clock_source(nullptr);
  }
  // Runs an effect and returns how many 12 ms steps it took.
  int steps_of(int effect, uint8_t* buffer, int pitch) {
    DWORD before = VirtualClock::now;
    Screen_Transitions(effect, buffer, pitch);
    return int((VirtualClock::now - before) / step_);
  }
  PALETTEENTRY device(int i) {
    PALETTEENTRY e{};
    plat::get_palette_entries(lpddpal, i, 1, &e);
    return e;
  }
  DWORD step_ = 0;
};

TEST_F(Transitions, FadeToBlackLowersAllButEntryZero) {
  EXPECT_EQ(steps_of(SCREEN_FADE_BLACK, nullptr, 0), 80);
  EXPECT_TRUE(same(palette[0], 0, 255, 4));  // left alone
  EXPECT_TRUE(same(palette[1], 0, 14, 0));   // 254 - 240; 4 or less goes to 0
  EXPECT_TRUE(same(palette[255], 15, 0, 15));
  EXPECT_TRUE(same(palette[100], 0, 0, 15));  // 100 and 155 reach 0 on the way
  EXPECT_TRUE(same(device(255), 15, 0, 15));  // the device follows each step
}

TEST_F(Transitions, ColourFadesEndAtTheirColour) {
  struct Case {
    int effect, r, g, b;
  };
  for (Case c : {Case{SCREEN_FADE_WHITE, 255, 255, 255}, Case{SCREEN_FADE_RED, 255, 0, 0},
                 Case{SCREEN_FADE_BLUE, 0, 0, 255}, Case{SCREEN_FADE_GREEN, 0, 255, 0}}) {
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 3), 0};
    EXPECT_EQ(steps_of(c.effect, nullptr, 0), 64) << c.effect;
    for (int i = 0; i < 256; ++i)
      ASSERT_TRUE(same(palette[i], c.r, c.g, c.b)) << "effect " << c.effect << " entry " << i;
    EXPECT_TRUE(same(device(128), c.r, c.g, c.b));
  }
}

TEST_F(Transitions, WipesBlackenTheScreenInTheirStepCounts) {
  struct Case {
    int effect, steps;
  };
  for (int bpp : {8, 16}) {
    screen_bpp = bpp;
    for (Case c : {Case{SCREEN_WIPE_SIDES, 200}, Case{SCREEN_WIPE_TOP_BOTTOM, 150},
                   Case{SCREEN_WIPE_ALL, 200}}) {
      const int pitch = 800 * bpp / 8 + 6;
      std::vector<uint8_t> screen(size_t(pitch) * 600, 0x5A);
      EXPECT_EQ(steps_of(c.effect, screen.data(), pitch), c.steps) << c.effect;
      for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800 * bpp / 8; ++x)
          ASSERT_EQ(screen[size_t(y) * pitch + x], 0) << c.effect << " @" << x << "," << y;
      EXPECT_EQ(screen[pitch - 1], 0x5A);  // the pitch's padding is not the screen
    }
  }
}

// Two columns from each side per step: an odd width leaves its middle column.
TEST_F(Transitions, WipeFromTheSidesOfAnOddWidth) {
  screen_width = 21, screen_height = 3;
  set_clip(0, 0, 20, 2);
  std::vector<uint8_t> screen(21 * 3, 9);
  EXPECT_EQ(steps_of(SCREEN_WIPE_SIDES, screen.data(), 21), 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 21; ++x) EXPECT_EQ(screen[y * 21 + x], x == 10 ? 9 : 0) << x;
}

TEST_F(Transitions, WipesAtOtherDepthsOnlyWait) {
  screen_bpp = 24;
  std::vector<uint8_t> screen(800 * 600 * 3, 0x5A);
  EXPECT_EQ(steps_of(SCREEN_WIPE_SIDES, screen.data(), 2400), 200);
  EXPECT_EQ(std::count(screen.begin(), screen.end(), 0), 0);
  screen_bpp = 8;
  EXPECT_EQ(steps_of(SCREEN_WIPE_TOP_BOTTOM, nullptr, 800), 150);  // no buffer: no drawing
}

TEST_F(Transitions, DissolveDrawsItsPixelsColumnNumberFirst) {
  screen_width = 7, screen_height = 5;
  std::vector<uint8_t> screen(7 * 5, 1), expected(7 * 5, 1);
  std::srand(1234);
  EXPECT_EQ(steps_of(SCREEN_DISSOLVE, screen.data(), 7), 0);
  const int after = std::rand();
  std::srand(1234);
  for (int n = 0; n < 7 * 5 * 4 + 1; ++n) {
    int x = std::rand() % 7;
    int y = std::rand() % 5;
    expected[y * 7 + x] = 0;
  }
  EXPECT_EQ(std::rand(), after);  // exactly that many random numbers drawn
  EXPECT_EQ(screen, expected);
}

TEST_F(Transitions, UnknownEffectDoesNothing) {
  std::vector<uint8_t> screen(800 * 600, 3);
  PALETTEENTRY before[256];
  Save_Palette(before);
  EXPECT_EQ(steps_of(9, screen.data(), 800), 0);
  EXPECT_EQ(std::count(screen.begin(), screen.end(), 3), 800 * 600);
  EXPECT_TRUE(same(palette[7], before[7].red, before[7].green, before[7].blue));
}

TEST(Collision, ShrunkenBoxes) {
  struct Case {
    int x1, y1, w1, h1, x2, y2, w2, h2, hit;
  };
  const Case cases[] = {
      {0, 0, 64, 64, 47, 0, 64, 64, 1},  // centres 24 and 71: 47 < 48
      {0, 0, 64, 64, 48, 0, 64, 64, 0},  // overlapping by 16, but not the boxes
      {47, 0, 64, 64, 0, 0, 64, 64, 1},  // either order
      {0, 0, 64, 64, 0, -47, 64, 64, 1}, {0, 0, 64, 64, 0, 48, 64, 64, 0},
      {5, 5, 1, 1, 5, 5, 1, 1, 0},  // half-extents of 0
      {0, 0, 8, 8, 2, 2, 8, 8, 1},  // 8: 4 - 1 = 3
  };
  for (const Case& c : cases)
    EXPECT_EQ(Collision_Test(c.x1, c.y1, c.w1, c.h1, c.x2, c.y2, c.w2, c.h2), c.hit)
        << c.x1 << "," << c.y1 << " vs " << c.x2 << "," << c.y2;
}

class ColorScans : public ::testing::Test {
 protected:
  void SetUp() override { screen_width = 20, screen_height = 10; }
  void TearDown() override { screen_width = 800, screen_height = 600; }
};

TEST_F(ColorScans, EightBitRangeIsInclusiveAndClampedToTheScreen) {
  Canvas<uint8_t> c(20, 10, 24);
  c.bytes[9 * 24 + 19] = 50;  // bottom-right pixel of the screen
  c.bytes[9 * 24 + 20] = 50;  // in the pitch's padding: never scanned
  struct Case {
    int x1, y1, x2, y2;
    uint8_t lo, hi;
    int found;
  };
  const Case cases[] = {
      {0, 0, 19, 9, 50, 50, 1},     {0, 0, 19, 9, 40, 49, 0}, {0, 0, 19, 9, 51, 60, 0},
      {25, 9, 40, 9, 50, 50, 1},                               // wholly right: the last column only
      {-10, -10, 18, 9, 1, 255, 0},                            // column 19 not included
      {0, 0, 100, 100, 10, 50, 1},  {19, 9, 0, 0, 50, 50, 0},  // backwards: nothing
  };
  for (const Case& k : cases)
    EXPECT_EQ(Color_Scan(k.x1, k.y1, k.x2, k.y2, k.lo, k.hi, c.buffer(), c.pitch), k.found)
        << k.x1 << "," << k.y1 << " " << k.x2 << "," << k.y2;
}

TEST_F(ColorScans, SixteenBitMatchesOnlyTheTwoWords) {
  Canvas<uint16_t> c(20, 10, 41);  // odd pitch: rows 20 words apart
  auto* words = reinterpret_cast<uint16_t*>(c.buffer());
  for (int i = 0; i < 200; ++i) words[i] = 0x1234;
  EXPECT_EQ(Color_Scan16(0, 0, 19, 9, 0x0000, 0xFFFF, c.buffer(), c.pitch), 0);
  words[5 * 20 + 19] = 0xFFFF;
  EXPECT_EQ(Color_Scan16(0, 0, 19, 9, 0x0000, 0xFFFF, c.buffer(), c.pitch), 1);
  EXPECT_EQ(Color_Scan16(30, 5, 50, 5, 0xFFFF, 0xFFFF, c.buffer(), c.pitch), 1);
  EXPECT_EQ(Color_Scan16(0, 6, 19, 9, 0x0000, 0xFFFF, c.buffer(), c.pitch), 0);
}

}  // namespace
