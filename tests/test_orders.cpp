#include <random>

#include "battle_harness.h"
#include "game/combat.h"
#include "game/game_sounds.h"

using namespace harness;

namespace {

class OrdersTest : public ::testing::Test {
 protected:
  void SetUp() override { new_battle(); }
};

struct View {
  int index_x, index_y, curser_x, curser_y, world_x, world_y;
  bool operator==(const View& o) const {
    return index_x == o.index_x && index_y == o.index_y && curser_x == o.curser_x &&
           curser_y == o.curser_y && world_x == o.world_x && world_y == o.world_y;
  }
};
std::ostream& operator<<(std::ostream& os, const View& v) {
  return os << "{index " << v.index_x << "," << v.index_y << " curser " << v.curser_x << ","
            << v.curser_y << " world " << v.world_x << "," << v.world_y << "}";
}
View view() { return {curserindex_x, curserindex_y, curser_x, curser_y, world_x, world_y}; }
void set_view(const View& v) {
  curserindex_x = v.index_x;
  curserindex_y = v.index_y;
  curser_x = v.curser_x;
  curser_y = v.curser_y;
  world_x = v.world_x;
  world_y = v.world_y;
}

TEST_F(OrdersTest, CursorStepsAndScrollClamps) {
  struct Case {
    const char* what;
    View from;
    char key;
    View to;
  } cases[] = {
      {"right across the screen", {1, 1, 64, 64, 0, 0}, 'R', {2, 1, 128, 64, 0, 0}},
      {"right at the screen edge scrolls", {11, 1, 704, 64, 0, 0}, 'R', {12, 1, 704, 64, 64, 0}},
      {"right at column 28, view at 1088",
       {28, 1, 704, 64, 1088, 0},
       'R',
       {28, 1, 640, 64, 1152, 0}},
      {"right at column 28, view at 1152",
       {28, 1, 640, 64, 1152, 0},
       'R',
       {28, 1, 640, 64, 1152, 0}},
      {"left at column 1", {1, 1, 64, 64, 0, 0}, 'L', {1, 1, 64, 64, 0, 0}},
      {"left at the screen edge scrolls back", {2, 1, 64, 64, 64, 0}, 'L', {1, 1, 64, 64, 0, 0}},
      {"left from the scrolled right end",
       {28, 1, 640, 64, 1152, 0},
       'L',
       {27, 1, 576, 64, 1152, 0}},
      {"down at the screen edge scrolls", {1, 5, 64, 320, 0, 0}, 'D', {1, 6, 64, 320, 0, 64}},
      {"down at row 19", {1, 19, 64, 320, 0, 896}, 'D', {1, 19, 64, 320, 0, 896}},
      {"up at row 1", {1, 1, 64, 64, 0, 0}, 'U', {1, 1, 64, 64, 0, 0}},
      {"up at the screen edge scrolls back", {1, 2, 64, 64, 0, 64}, 'U', {1, 1, 64, 64, 0, 0}},
  };
  for (const Case& c : cases) {
    new_battle();
    set_view(c.from);
    keys(std::string(1, c.key));
    EXPECT_EQ(c.to, view()) << c.what;
  }
}

// Any walk keeps the cursor on the playable tiles and the screen in step with
// the view, and reaches all four corners.
TEST_F(OrdersTest, RandomWalkKeepsTheInvariantsAndReachesTheCorners) {
  auto check = [](const char* when) {
    ASSERT_GE(curserindex_x, 1) << when;
    ASSERT_LE(curserindex_x, 28) << when;
    ASSERT_GE(curserindex_y, 1) << when;
    ASSERT_LE(curserindex_y, 19) << when;
    ASSERT_EQ(curserindex_x * 64 - world_x, curser_x) << when;
    ASSERT_EQ(curserindex_y * 64 - world_y, curser_y) << when;
    ASSERT_TRUE(curser_x >= 64 && curser_x <= 704) << when;
    ASSERT_TRUE(curser_y >= 64 && curser_y <= 320) << when;
    ASSERT_TRUE(world_x % 64 == 0 && world_x >= 0 && world_x <= 1152) << when;
    ASSERT_TRUE(world_y % 64 == 0 && world_y >= 0 && world_y <= 896) << when;
  };
  const char* corners[] = {"RRRRRRRRRRRRRRRRRRRRRRRRRRRRRR", "DDDDDDDDDDDDDDDDDDDDDD",
                           "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLL", "UUUUUUUUUUUUUUUUUUUUUU"};
  const View expected[] = {{28, 1, 640, 64, 1152, 0},
                           {28, 19, 640, 320, 1152, 896},
                           {1, 19, 64, 320, 0, 896},
                           {1, 1, 64, 64, 0, 0}};
  for (int i = 0; i < 4; ++i) {
    for (char k : std::string(corners[i])) {
      keys(std::string(1, k));
      check(corners[i]);
    }
    EXPECT_EQ(expected[i], view()) << "corner " << i;
  }
  std::mt19937 rng(7);
  for (int i = 0; i < 600; ++i) {
    keys(std::string(1, "RLUD"[rng() % 4]));
    check("walk");
  }
}

TEST_F(OrdersTest, MoveThenAttack) {
  keys("RD E E");  // Zuroru's Move order
  ASSERT_TRUE(canmoveflag);
  ASSERT_GT(move_index, 1);
  EXPECT_EQ(2, move_x[move_index - 1]);  // his own tile closes the list
  EXPECT_EQ(2, move_y[move_index - 1]);
  Zuroruinfo.defend_bonus = 10;
  keys("U E");  // to (2, 1)
  EXPECT_EQ(2, unit_x[1]);
  EXPECT_EQ(1, unit_y[1]);
  EXPECT_TRUE(Zuroruinfo.has_moved);
  EXPECT_FALSE(Zuroruinfo.has_acted);
  EXPECT_EQ(0, Zuroruinfo.defend_bonus);
  EXPECT_EQ(0, move_index);
  EXPECT_FALSE(canmoveflag);
  EXPECT_TRUE(sound_playing(move_sound));

  // Minion1 (defense 15) on the Forrest tile (1, 1) to his left: +10 %.
  place(5, 1, 1);
  Roster before = save_roster();
  const int expected = Attackfunction(Minion1, Zuroruinfo, 10.0f);
  restore_roster(before);

  keys("E D E");  // menu on Zuroru, Attack
  EXPECT_EQ(1, unit_temp);
  EXPECT_EQ(2, temp_cx);
  EXPECT_EQ(1, temp_cy);
  keys("L E");
  EXPECT_EQ(150 - expected, Minion1.hit_points);
  EXPECT_TRUE(Zuroruinfo.has_acted);
  EXPECT_TRUE(sound_playing(battle_sound));
  EXPECT_EQ(-1, orderposition);
  EXPECT_FALSE(attackflag);
}

TEST_F(OrdersTest, TheTargetTilesTerrainBonusCounts) {
  struct Case {
    int column, row, bonus;
  } tiles[] = {{4, 2, 0}, {5, 3, -10}, {2, 1, 10}, {13, 4, 20}};
  for (const Case& t : tiles) {
    new_battle();
    ASSERT_EQ(t.bonus, terrain_table[Terrain_At(t.column, t.row)].defense_bonus);
    place(1, t.column + 1, t.row);  // Zuroru right of the target
    remove(2);
    remove(3);
    place(5, t.column, t.row);
    Minion1.hit_points = 150;
    Roster before = save_roster();
    int expected = Attackfunction(Minion1, Zuroruinfo, static_cast<float>(t.bonus));
    restore_roster(before);
    cursor_to(t.column + 1, t.row);
    keys("E D E L E");
    EXPECT_EQ(150 - expected, Minion1.hit_points) << t.column << "," << t.row;
  }
}

TEST_F(OrdersTest, MoveIsRefusedOnceMoved) {
  keys("RD E E E");  // moved onto his own tile
  EXPECT_TRUE(Zuroruinfo.has_moved);
  DSound_Stop_All_Sounds();
  keys("E E");  // Move again
  EXPECT_FALSE(canmoveflag);
  EXPECT_EQ(0, move_index);
  EXPECT_TRUE(curserflag);
  EXPECT_FALSE(sound_playing(move_sound));
}

TEST_F(OrdersTest, EnterOutsideTheRangeOnlyPlaysTheMoveSound) {
  keys("RD E E RRRRRR");
  DSound_Stop_All_Sounds();
  keys("E");
  EXPECT_TRUE(canmoveflag);
  EXPECT_EQ(2, unit_x[1]);
  EXPECT_TRUE(sound_playing(move_sound));
}

TEST_F(OrdersTest, DefendRisesByFiveUpToFifteenAndEndsTheTurn) {
  for (int expected : {5, 10, 15, 15}) {
    Zuroruinfo.has_acted = false;
    DSound_Stop_All_Sounds();
    cursor_to(2, 2);
    keys("E DD E");
    EXPECT_EQ(expected, Zuroruinfo.defend_bonus);
    EXPECT_TRUE(Zuroruinfo.has_acted);
    EXPECT_TRUE(sound_playing(defend_sound));
  }
}

TEST_F(OrdersTest, AttackOnAnEmptyNeighbourOrAFarTile) {
  // An empty tile next to him: battle sound, the order ends, his turn does not.
  keys("RD E D E R");
  keys("E");
  EXPECT_TRUE(sound_playing(battle_sound));
  EXPECT_FALSE(Zuroruinfo.has_acted);
  EXPECT_EQ(-1, orderposition);

  // A tile two steps away: silent, and he can be chosen again.
  DSound_Stop_All_Sounds();
  keys("L E D E RR E");
  EXPECT_FALSE(sound_playing(battle_sound));
  EXPECT_FALSE(Zuroruinfo.has_acted);
  keys("LL E");
  EXPECT_FALSE(curserflag);  // the menu opened on him again
}

TEST_F(OrdersTest, AHeroCanStrikeAHero) {
  // Zuroru right below Sabra.
  place(1, 3, 2);
  cursor_to(3, 2);
  int before = Sabrainfo.hit_points;
  keys("E D E U E");
  EXPECT_TRUE(Zuroruinfo.has_acted);
  EXPECT_NE(before, Sabrainfo.hit_points);
}

TEST_F(OrdersTest, TheLastEnemysFallWinsInThatFrame) {
  for (int slot = 4; slot <= 8; ++slot) remove(slot);
  place(9, 3, 2);
  Minion5.hit_points = 1;
  Zuroruinfo.attack = 100;
  keys("RD E D E R");
  keys("E");
  EXPECT_EQ(-1, unit_x[9]);
  EXPECT_EQ(-1, unit_y[9]);
  EXPECT_TRUE(victoryflag);
  EXPECT_FALSE(defeatflag);
  EXPECT_EQ(1, turn);
}

TEST_F(OrdersTest, EnterOnAnEnemyOrEmptyTileDoesNothing) {
  keys("E");
  EXPECT_TRUE(curserflag);
  cursor_to(5, 7);
  keys("E");
  EXPECT_TRUE(curserflag);
  EXPECT_EQ(-1, orderposition);
}

}  // namespace
