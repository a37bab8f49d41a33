#include "battle_harness.h"
#include "engine/bob.h"
#include "game/battlefield.h"
#include "game/sprites.h"

using namespace harness;

namespace {

class BattlefieldTest : public ::testing::Test {
 protected:
  void SetUp() override { new_battle(); }
};

using Tile = std::vector<uint16_t>;

uint16_t pixel(const plat::Surface* s, int x, int y) {
  return reinterpret_cast<const uint16_t*>(s->memory + y * s->pitch)[x];
}

// A 64 x 64 tile as the layers give it, each drawn over the last with black
// (0) left out, on the cleared black screen.
Tile compose(std::initializer_list<const plat::Surface*> layers) {
  Tile t(64 * 64, 0);
  for (const plat::Surface* s : layers) {
    EXPECT_NE(nullptr, s);
    if (!s) continue;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (uint16_t p = pixel(s, x, y)) t[y * 64 + x] = p;
  }
  return t;
}

const plat::Surface* terrain(int col, int row) { return textures.frames[world[row][col] - '0']; }

// Compares the screen at (sx, sy) with the tile, as far as the screen goes.
::testing::AssertionResult screen_shows(int sx, int sy, const Tile& t) {
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      int px = sx + x, py = sy + y;
      if (px < 0 || py < 0 || px >= 800 || py >= 600) continue;
      if (back_pixel(px, py) != t[y * 64 + x])
        return ::testing::AssertionFailure() << "at screen " << px << "," << py;
    }
  return ::testing::AssertionSuccess();
}

bool unit_on(int col, int row) {
  for (int s = 1; s < UNIT_SLOTS; ++s)
    if (unit_x[s] == col && unit_y[s] == row) return true;
  return false;
}

// Every tile of the window without a unit or the map cursor shows its terrain.
void expect_window(int col0, int row0, int cols, int rows) {
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      int col = col0 + c, row = row0 + r;
      if (unit_on(col, row) || (col == curserindex_x && row == curserindex_y)) continue;
      EXPECT_TRUE(screen_shows(c * 64, r * 64, compose({terrain(col, row)})))
          << "tile " << col << "," << row;
    }
}

TEST_F(BattlefieldTest, StartWindowIsColumnsZeroToTwelveRowsZeroToSix) {
  frame();
  expect_window(0, 0, 13, 7);
  // The map cursor lies over Forrest (1, 1).
  EXPECT_TRUE(screen_shows(64, 64, compose({terrain(1, 1), curser.frames[0]})));
}

TEST_F(BattlefieldTest, FullyScrolledViewShowsTheLastColumnsAndRows) {
  world_x = 1152;
  world_y = 896;
  curserindex_x = 28, curserindex_y = 19;
  curser_x = 640, curser_y = 320;
  frame();
  expect_window(18, 14, 12, 7);  // columns 18-29, rows 14-20
  // No map column 30: the strip right of column 29 stays black.
  for (int y = 0; y < 448; ++y)
    for (int x = 768; x < 800; ++x) ASSERT_EQ(0, back_pixel(x, y)) << x << "," << y;
}

TEST_F(BattlefieldTest, HighlightLiesUnderTheUnitAndOverTheTerrain) {
  place(7, -1, -1);  // keep Minion3 out of the picture
  keys("RD E E");    // Zuroru's Move order; the cursor stays on him
  keys("RRRR");      // the cursor off to (6, 2), out of the way
  ASSERT_TRUE(canmoveflag);
  int zuroru_frame = zuroru.curr_frame;
  frame();
  // His own tile: terrain, highlight, then Zuroru.
  EXPECT_TRUE(screen_shows(
      128, 128, compose({terrain(2, 2), curser.frames[1], zuroru.frames[zuroru_frame]})));
  // A tile in his range, (2, 4) two steps down.
  EXPECT_TRUE(screen_shows(128, 256, compose({terrain(2, 4), curser.frames[1]})));
  // Out of range, (10, 2).
  EXPECT_TRUE(screen_shows(640, 128, compose({terrain(10, 2)})));
  EXPECT_EQ(0, curser.curr_frame);
}

TEST_F(BattlefieldTest, UnitsAreDrawnBySlotAndClass) {
  Sabrainfo.unit_class = 2;
  Baldurinfo.unit_class = 3;
  place(4, 6, 1);  // the boss and a soldier into view
  place(5, 7, 1);
  struct Case {
    int slot;
    BOB_TYP* sprite;
  } cases[] = {
      {1, &zuroru}, {2, &sabra_ranger}, {3, &baldur_horsemen}, {4, &enemyboss}, {5, &enemyminion}};
  std::vector<int> frames;
  for (const Case& c : cases) frames.push_back(c.sprite->curr_frame);
  curserindex_x = 10;  // the map cursor away from them
  curser_x = 640;
  frame();
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    int col = unit_x[c.slot], row = unit_y[c.slot];
    EXPECT_TRUE(
        screen_shows(col * 64, row * 64, compose({terrain(col, row), c.sprite->frames[frames[i]]})))
        << "slot " << c.slot;
  }
  EXPECT_EQ(nullptr, Unit_Sprite(0));
  EXPECT_EQ(nullptr, Unit_Sprite(10));
}

TEST_F(BattlefieldTest, FallenUnitsAreNotDrawn) {
  remove(1);
  curserindex_x = 10;
  curser_x = 640;
  frame();
  EXPECT_TRUE(screen_shows(128, 128, compose({terrain(2, 2)})));
}

// Counts how often a sprite changes its picture over some frames.
int picture_changes(BOB_TYP& sprite, int frames) {
  int changes = 0, last = sprite.curr_frame;
  for (int i = 0; i < frames; ++i) {
    frame();
    if (sprite.curr_frame != last) ++changes;
    last = sprite.curr_frame;
  }
  return changes;
}

TEST_F(BattlefieldTest, UnitsAnimateOneStepPerDrawing) {
  // Two soldiers on screen step their shared sprite twice as fast as one.
  for (int slot = 5; slot <= 9; ++slot) place(slot, -1, -1);
  place(5, 6, 1);
  int one = picture_changes(enemyminion, 240);
  place(6, 7, 1);
  int two = picture_changes(enemyminion, 240);
  EXPECT_GE(one, 4);
  EXPECT_NEAR(2 * one, two, 1);
  // The boss, off screen on (28, 19), does not animate at all.
  EXPECT_EQ(0, picture_changes(enemyboss, 100));
}

}  // namespace
