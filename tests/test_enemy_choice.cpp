#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/enemy_choice.h"
#include "game/movement.h"
#include "game/random.h"
#include "game/units.h"

namespace {

using Tile = std::pair<int, int>;

void Fill_List(const std::vector<Tile>& tiles) {
  Clear_Moves();
  for (const Tile& t : tiles) Append_Move(t.first, t.second);
}

// The value the sequence gives after `draws` draws from `seed`.
int Value_After(unsigned seed, int draws) {
  Game_Srand(seed);
  for (int i = 0; i < draws; ++i) Game_Rand();
  return Game_Rand();
}

Tile Choose(Tile start = {-7, -7}) {
  int x = start.first, y = start.second;
  AI_Move(x, y);
  return {x, y};
}

class EnemyChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::Setup();
    Clear_Moves();
    Game_Srand(1);
  }
  // Only Zuroru on the map, at (12, 4): Hills to the right, Grassland on his
  // other three sides.
  static void Zuroru_Alone() {
    for (int slot = 0; slot < UNIT_SLOTS; ++slot) unit_x[slot] = unit_y[slot] = -1;
    unit_x[1] = 12;
    unit_y[1] = 4;
  }
};

TEST_F(EnemyChoiceTest, OwnTileOnlyMeansStaying) {
  Fill_List({{28, 19}});
  EXPECT_EQ(Choose(), Tile(28, 19));
}

TEST_F(EnemyChoiceTest, NothingToScoreLeavesTheCallersValuesAndDrawsNothing) {
  Fill_List({});
  EXPECT_EQ(Choose({4, 9}), Tile(4, 9));
  EXPECT_EQ(Game_Rand(), Value_After(1, 0));

  for (int hero = 1; hero <= 3; ++hero) unit_x[hero] = unit_y[hero] = -1;
  Game_Srand(1);
  Fill_List({{10, 10}, {11, 10}});
  EXPECT_EQ(Choose({4, 9}), Tile(4, 9));
  EXPECT_EQ(Game_Rand(), Value_After(1, 0));
}

TEST_F(EnemyChoiceTest, HillsNextToAHeroBeatGrasslandNextToIt) {
  Zuroru_Alone();
  const std::vector<std::vector<Tile>> lists = {
      {{11, 4}, {13, 4}, {12, 3}}, {{13, 4}, {12, 5}}, {{12, 3}, {12, 5}, {13, 4}}};
  for (unsigned seed = 0; seed < 50; ++seed) {
    for (const auto& list : lists) {
      Game_Srand(seed);
      Fill_List(list);
      EXPECT_EQ(Choose(), Tile(13, 4)) << "seed " << seed;
    }
  }
}

TEST_F(EnemyChoiceTest, CloserTilesWinWhateverTheRandomTerm) {
  Zuroru_Alone();
  for (unsigned seed = 0; seed < 50; ++seed) {
    Game_Srand(seed);
    Fill_List({{9, 4}, {11, 4}, {10, 4}});  // Grassland three, one and two steps away
    EXPECT_EQ(Choose(), Tile(11, 4)) << "seed " << seed;
  }
}

// Two Grassland tiles one step from Zuroru tie when their random terms are
// equal; the earlier entry then stays chosen.
TEST_F(EnemyChoiceTest, TiesGoToTheEarliestPair) {
  Zuroru_Alone();
  unsigned seed = 0;
  for (;; ++seed) {
    Game_Srand(seed);
    const int first = Game_Rand() % 10;
    if (first == Game_Rand() % 10) break;
  }
  for (const auto& list : {std::vector<Tile>{{11, 4}, {12, 3}}, {{12, 3}, {11, 4}}}) {
    Game_Srand(seed);
    Fill_List(list);
    EXPECT_EQ(Choose(), list.front()) << "seed " << seed;
  }
  // With unequal terms the higher one wins, wherever it stands.
  for (seed = 0;; ++seed) {
    Game_Srand(seed);
    const int first = Game_Rand() % 10;
    if (first < Game_Rand() % 10) break;
  }
  Game_Srand(seed);
  Fill_List({{11, 4}, {12, 3}});
  EXPECT_EQ(Choose(), Tile(12, 3)) << "seed " << seed;
}

TEST_F(EnemyChoiceTest, OneDrawPerEntryAndHeroOnTheMap) {
  const struct {
    bool zuroru, sabra, baldur;
    int draws_per_entry;
  } cases[] = {{true, true, true, 3},
               {true, true, false, 2},
               {false, true, false, 1},
               {false, false, true, 1}};
  const std::vector<Tile> list = {{20, 10}, {21, 10}, {21, 10}, {22, 9}, {22, 10}};
  for (const auto& c : cases) {
    ::Setup();
    if (!c.zuroru) unit_x[1] = unit_y[1] = -1;
    if (!c.sabra) unit_x[2] = unit_y[2] = -1;
    if (!c.baldur) unit_x[3] = unit_y[3] = -1;
    Game_Srand(99);
    Fill_List(list);
    Choose();
    EXPECT_EQ(Game_Rand(), Value_After(99, c.draws_per_entry * static_cast<int>(list.size())))
        << c.draws_per_entry << " heroes";
  }
}

TEST_F(EnemyChoiceTest, HeroWithNoHitPointsStillAttractsWhileOnItsTile) {
  Zuroru_Alone();
  Zuroruinfo.hit_points = -5;
  Fill_List({{20, 15}, {11, 4}});
  EXPECT_EQ(Choose(), Tile(11, 4));
}

TEST_F(EnemyChoiceTest, CountBeyondTheStorageReadsNothingPastIt) {
  Zuroru_Alone();
  Fill_List({{11, 4}});
  move_index = 1000;
  EXPECT_EQ(Choose(), Tile(11, 4));
}

}  // namespace
