#include "battle_harness.h"
#include "game/combat.h"
#include "game/enemy_phase.h"
#include "game/game_sounds.h"

using namespace harness;

namespace {

// Enemies without movement points stay where they are, which makes a phase
// predictable; the ones not needed leave the map.
class EnemyPhaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    new_battle();
    for (int slot = 4; slot < UNIT_SLOTS; ++slot) Unit_In_Slot(slot)->movement = 0;
  }
  static void keep_only_enemies(std::initializer_list<int> keep) {
    for (int slot = 4; slot < UNIT_SLOTS; ++slot) {
      bool kept = false;
      for (int k : keep) kept |= k == slot;
      if (!kept) place(slot, -1, -1);  // off the map but not fallen
    }
  }
};

TEST_F(EnemyPhaseTest, AnEnemyMovesTowardTheHeroes) {
  keep_only_enemies({7});
  Minion3.movement = 4;  // Soldier on (5, 7), Baldur on (1, 3)
  int before = unit_x[7] + unit_y[7];
  Enemy_Phase();
  EXPECT_LT(unit_x[7] + unit_y[7], before);
  EXPECT_EQ(0, move_index);
  EXPECT_EQ(2, turn);
}

TEST_F(EnemyPhaseTest, TheFirstNeighbourInSlotOrderTakesTheBlow) {
  keep_only_enemies({5});
  // The soldier on (2, 3) has Zuroru (2, 2) above and Baldur (1, 3) left of it.
  place(5, 2, 3);
  Roster before = save_roster();
  int damage = Attackfunction(Zuroruinfo, Minion1, 0.0f);  // Zuroru on Plains
  Roster after_blow = save_roster();
  restore_roster(before);
  Enemy_Phase();
  EXPECT_EQ(after_blow.units[1].hit_points - damage, Zuroruinfo.hit_points);
  EXPECT_EQ(100, Baldurinfo.hit_points);
  EXPECT_EQ(0, Minion1.defend_bonus);  // a striker gains no bonus
}

TEST_F(EnemyPhaseTest, TheHerosTileBonusWeakensTheBlow) {
  keep_only_enemies({5});
  remove(2);
  remove(3);
  place(1, 13, 4);  // Zuroru on Hills
  place(5, 14, 4);
  Minion1.attack = 30;
  Roster before = save_roster();
  int expected = Attackfunction(Zuroruinfo, Minion1, 20.0f);
  restore_roster(before);
  Enemy_Phase();
  EXPECT_EQ(100 - expected, Zuroruinfo.hit_points);
}

TEST_F(EnemyPhaseTest, AHeroStruckDownKeepsItsTileAndDrawsTheNextBlow) {
  keep_only_enemies({5, 6});
  // The first soldier fells Zuroru (2, 2) from below; the second, on (3, 2),
  // has the fallen Zuroru to its left and a living Sabra (3, 1) above.
  place(5, 2, 3);
  place(6, 3, 2);
  Zuroruinfo.hit_points = 1;
  Zuroruinfo.next_level = 1000000;  // no level-up refill
  Minion1.attack = Minion2.attack = 60;
  Enemy_Phase();
  EXPECT_LT(Zuroruinfo.hit_points, 1 - 60);  // struck twice
  EXPECT_EQ(100, Sabrainfo.hit_points);
  EXPECT_EQ(-1, unit_x[1]);  // off the map only after the last enemy
  EXPECT_EQ(-1, unit_y[1]);
  EXPECT_FALSE(defeatflag);
}

TEST_F(EnemyPhaseTest, DefendBonusOfEnemiesThatStayOrMove) {
  keep_only_enemies({4, 8});
  // The boss stays where no hero is near: 5, 10, 15, 15.
  for (int expected : {5, 10, 15, 15}) {
    Enemy_Phase();
    EXPECT_EQ(expected, Boss.defend_bonus);
  }
  // A soldier that moves starts again from 0 and ends with 5.
  Minion4.defend_bonus = 15;
  Minion4.movement = 4;
  int x = unit_x[8], y = unit_y[8];
  Enemy_Phase();
  ASSERT_TRUE(unit_x[8] != x || unit_y[8] != y);
  EXPECT_EQ(5, Minion4.defend_bonus);
}

TEST_F(EnemyPhaseTest, TurnFlagsClearedAndTurnCounted) {
  Zuroruinfo.has_acted = Zuroruinfo.has_moved = true;
  Sabrainfo.has_acted = true;
  Baldurinfo.has_moved = true;
  Baldurinfo.hit_points = 0;
  Baldurinfo.has_acted = true;
  Enemy_Phase();
  for (const game_unit* h : {&Zuroruinfo, &Sabrainfo, &Baldurinfo}) {
    EXPECT_FALSE(h->has_acted);
    EXPECT_FALSE(h->has_moved);
  }
  EXPECT_EQ(-1, unit_x[3]);
  EXPECT_EQ(2, turn);
  Enemy_Phase();
  EXPECT_EQ(3, turn);
}

TEST_F(EnemyPhaseTest, DefeatStopsEverything) {
  keep_only_enemies({5});
  DSound_Play(music, plat::DSBPLAY_LOOPING, 0, 0, 0);
  place(5, 2, 3);
  remove(2);
  remove(3);
  Zuroruinfo.hit_points = 1;
  Zuroruinfo.next_level = 1000000;
  Minion1.attack = 60;
  Enemy_Phase();
  EXPECT_TRUE(defeatflag);
  EXPECT_FALSE(victoryflag);
  EXPECT_EQ(1, turn);
  EXPECT_FALSE(sound_playing(music));
  // Later phases move nobody and count no turn.
  Minion1.movement = 5;
  Enemy_Phase();
  EXPECT_EQ(2, unit_x[5]);
  EXPECT_EQ(3, unit_y[5]);
  EXPECT_EQ(1, turn);
}

TEST_F(EnemyPhaseTest, VictoryFoundWhenEveryEnemyFellEarlier) {
  DSound_Play(music, plat::DSBPLAY_LOOPING, 0, 0, 0);
  for (int slot = 4; slot < UNIT_SLOTS; ++slot) remove(slot);
  Enemy_Phase();
  EXPECT_TRUE(victoryflag);
  EXPECT_EQ(2, turn);
  EXPECT_FALSE(sound_playing(music));
}

TEST_F(EnemyPhaseTest, RunsInRealFramesAfterTheHeroesAreDone) {
  keep_only_enemies({5});
  place(5, 2, 3);
  Zuroruinfo.has_acted = Sabrainfo.has_acted = Baldurinfo.has_acted = true;
  frame();
  EXPECT_EQ(2, turn);
  EXPECT_LT(Zuroruinfo.hit_points, 100);
  frame();  // the heroes' flags were cleared: the player's turn again
  EXPECT_EQ(2, turn);
}

TEST_F(EnemyPhaseTest, AFallenHeroRefilledOffTheMapDoesNotHoldTheBattle) {
  // Levelling up refills hit points even of a fallen hero; off the map it can
  // take no orders, so it must neither keep the turn open nor the battle on.
  remove(2);
  remove(3);
  Sabrainfo.hit_points = 125;
  Zuroruinfo.has_acted = true;
  EXPECT_TRUE(Heroes_Done());
  Zuroruinfo.hit_points = 0;
  Enemy_Phase();
  EXPECT_TRUE(defeatflag);
}

}  // namespace
