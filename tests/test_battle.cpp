#include <cstdlib>

#include "battle_harness.h"
#include "engine/bob.h"
#include "game/game_sounds.h"
#include "game/sprites.h"

using namespace harness;

namespace {

int distance(int x0, int y0, int x1, int y1) { return std::abs(x0 - x1) + std::abs(y0 - y1); }

int enemy_next_to(int col, int row) {
  for (int s = 4; s < UNIT_SLOTS; ++s)
    if (unit_x[s] != -1 && distance(col, row, unit_x[s], unit_y[s]) == 1) return s;
  return 0;
}

// Steps over passable ground (units aside) from every tile to the nearest
// enemy, so heroes find their way around the mountains.
std::vector<int> steps_to_enemies() {
  std::vector<int> steps(MAP_COLUMNS * MAP_ROWS, 1000);
  std::vector<int> queue;
  for (int s = 4; s < UNIT_SLOTS; ++s)
    if (unit_x[s] != -1) {
      steps[unit_y[s] * MAP_COLUMNS + unit_x[s]] = 0;
      queue.push_back(unit_y[s] * MAP_COLUMNS + unit_x[s]);
    }
  for (size_t i = 0; i < queue.size(); ++i) {
    int col = queue[i] % MAP_COLUMNS, row = queue[i] / MAP_COLUMNS;
    const int dc[] = {1, -1, 0, 0}, dr[] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
      int c = col + dc[k], r = row + dr[k];
      int code = Terrain_At(c, r);
      if (code == TERRAIN_EDGE || code == TERRAIN_MOUNTAINS || code == TERRAIN_NONE) continue;
      if (steps[r * MAP_COLUMNS + c] <= steps[queue[i]] + 1) continue;
      steps[r * MAP_COLUMNS + c] = steps[queue[i]] + 1;
      queue.push_back(r * MAP_COLUMNS + c);
    }
  }
  return steps;
}

// One hero's turn as a player would key it in: close in on the nearest enemy,
// then strike a neighbour, or defend when none is in reach or when told to.
void play_hero(int slot, bool fight) {
  game_unit& hero = *Unit_In_Slot(slot);
  if (unit_x[slot] == -1 || hero.hit_points <= 0 || hero.has_acted) return;
  cursor_to(unit_x[slot], unit_y[slot]);
  keys("E");
  ASSERT_EQ(0, orderposition) << "menu on slot " << slot;
  if (fight && !enemy_next_to(unit_x[slot], unit_y[slot])) {
    keys("E");  // Move: the range list is up
    ASSERT_TRUE(canmoveflag);
    std::vector<int> steps = steps_to_enemies();
    auto at = [&](int c, int r) { return steps[r * MAP_COLUMNS + c]; };
    int bx = unit_x[slot], by = unit_y[slot];
    for (int i = 0; i < move_index; ++i)
      if (at(move_x[i], move_y[i]) < at(bx, by)) bx = move_x[i], by = move_y[i];
    cursor_to(bx, by);
    keys("E");
    ASSERT_FALSE(canmoveflag);
    ASSERT_EQ(bx, unit_x[slot]);
    keys("E");  // the menu again
  }
  int target = fight ? enemy_next_to(unit_x[slot], unit_y[slot]) : 0;
  if (target) {
    keys("D E");
    cursor_to(unit_x[target], unit_y[target]);
    keys("E");
  } else {
    keys("DD E");
  }
  EXPECT_TRUE(hero.has_acted);
}

// Plays turns until the battle is over; false when it does not end in time.
bool play_battle(bool fight) {
  for (int turns = 0; turns < 100; ++turns) {
    for (int slot = 1; slot <= 3 && !victoryflag && !defeatflag; ++slot) play_hero(slot, fight);
    keys(".");  // the frame that runs the enemy phase
    if (victoryflag || defeatflag) return true;
  }
  return false;
}

void expect_picture(BOB_TYP& picture) {
  const plat::Surface* f = picture.frames[0];
  for (int y = 0; y < 154; y += 5)
    for (int x = 0; x < 500; x += 5) {
      uint16_t p = reinterpret_cast<const uint16_t*>(f->memory + y * f->pitch)[x];
      if (p) ASSERT_EQ(p, back_pixel(200 + x, 200 + y));
    }
}

class BattleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    new_battle();
    DSound_Play(music, plat::DSBPLAY_LOOPING, 0, 0, 0);  // as the program starts it
  }
};

TEST_F(BattleTest, StrongHeroesPlayThroughToVictory) {
  for (game_unit* h : {&Zuroruinfo, &Sabrainfo, &Baldurinfo}) {
    h->attack = 400;
    h->hit_points = h->max_hit_points = 5000;
  }
  ASSERT_TRUE(play_battle(true));
  ASSERT_TRUE(victoryflag);
  EXPECT_FALSE(defeatflag);
  for (int s = 4; s < UNIT_SLOTS; ++s) EXPECT_EQ(-1, unit_x[s]);
  EXPECT_GT(turn, 1);
  keys(".");
  expect_picture(victory);
  EXPECT_TRUE(sound_playing(victory_sound));
  EXPECT_FALSE(destroy_posted());
  keys("E");
  EXPECT_TRUE(destroy_posted());
}

TEST_F(BattleTest, DefendingWeakHeroesAreBeatenToDefeat) {
  // Enemies already at the heroes: the boss by Zuroru and Sabra, soldiers by Baldur.
  place(4, 3, 2);
  place(5, 1, 4);
  place(6, 2, 3);
  for (game_unit* h : {&Zuroruinfo, &Sabrainfo, &Baldurinfo}) {
    h->hit_points = 20;
    h->next_level = 1000000;  // no level-up refills
  }
  ASSERT_TRUE(play_battle(false));
  ASSERT_TRUE(defeatflag);
  EXPECT_FALSE(victoryflag);
  EXPECT_FALSE(sound_playing(music));
  const int final_turn = turn;
  int bx = unit_x[4], by = unit_y[4];
  keys("...");
  // Nothing moves or counts any more; the picture and its sound stay.
  EXPECT_EQ(final_turn, turn);
  EXPECT_EQ(bx, unit_x[4]);
  EXPECT_EQ(by, unit_y[4]);
  expect_picture(defeat);
  EXPECT_TRUE(sound_playing(defeat_sound));
  EXPECT_FALSE(destroy_posted());
  keys("U");
  EXPECT_TRUE(destroy_posted());
}

}  // namespace
