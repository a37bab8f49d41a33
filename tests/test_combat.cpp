#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <set>

#include "game/combat.h"
#include "game/random.h"
#include "game/units.h"
#include "platform/clock.h"

namespace {

std::time_t fixed_now = 0;
std::time_t Fixed_Calendar() { return fixed_now; }

// The first value the sequence gives after seeding, as the attack roll sees it.
int First_Draw(unsigned seed) {
  Game_Srand(seed);
  return Game_Rand();
}

class CombatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::Setup();
    static const plat::ClockSource source{nullptr, nullptr, Fixed_Calendar};
    plat::set_clock_source(&source);
    fixed_now = 1000;
    Game_Srand(1);
  }
  void TearDown() override { plat::set_clock_source(nullptr); }

  static game_unit Unit(const char* name, int attack, int defense, int defend_bonus = 0) {
    game_unit u{};
    std::strncpy(u.name, name, sizeof u.name - 1);
    u.attack = attack;
    u.defense = defense;
    u.defend_bonus = defend_bonus;
    return u;
  }
};

TEST(RandomSequence, FollowsTheFifteenBitGenerator) {
  // The C standard's example generator from seed 1.
  Game_Srand(1);
  for (int expected : {16838, 5758, 10113, 17515, 31051}) EXPECT_EQ(Game_Rand(), expected);

  Game_Srand(12345);
  std::set<int> seen;
  for (int i = 0; i < 100000; ++i) {
    const int r = Game_Rand();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, GAME_RAND_MAX);
    seen.insert(r);
  }
  EXPECT_GT(seen.size(), 30000u);
  EXPECT_TRUE(seen.count(0) || seen.count(GAME_RAND_MAX));
}

TEST_F(CombatTest, ReseedComesFromTheCalendarSeam) {
  fixed_now = 1234567;
  Reseed_From_Clock();
  const int a = Game_Rand();
  EXPECT_EQ(a, First_Draw(1234567));
}

TEST_F(CombatTest, RollLiesBetweenTwiceAndThriceTheAttack) {
  std::set<int> damages;
  for (int second = 0; second < 300; ++second) {
    fixed_now = second;
    const int damage = Attackfunction(Unit("Soldier", 0, 0), Unit("Soldier", 10, 0), 0.0f);
    EXPECT_EQ(damage, 20 + First_Draw(second) % 10);
    damages.insert(damage);
  }
  EXPECT_EQ(damages, (std::set<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
}

TEST_F(CombatTest, EffectiveDefenseIsTruncatedDoublePrecision) {
  const struct {
    int defense, defend_bonus;
    float terrain;
    int effective;
  } cases[] = {
      {10, 0, 0.0f, 10},  {10, 0, -10.0f, 9},  {19, 15, 20.0f, 25}, {61, 10, -10.0f, 60},
      {10, 5, 10.0f, 11}, {15, 15, 20.0f, 20}, {12, 10, 10.0f, 14}, {0, 15, 20.0f, 0},
  };
  for (const auto& c : cases) {
    fixed_now = 77;
    const int roll = 20 + First_Draw(77) % 10;
    const int damage = Attackfunction(Unit("Soldier", 0, c.defense, c.defend_bonus),
                                      Unit("Soldier", 10, 0), c.terrain);
    EXPECT_EQ(roll - damage, c.effective)
        << c.defense << " +" << c.defend_bonus << "% +" << c.terrain << "%";
  }
}

TEST_F(CombatTest, NegativeDamageIsReturnedAndCostsTheHeroExperience) {
  // Attack 1 always rolls 2; against defense 10 the blow heals by 8.
  EXPECT_EQ(Attackfunction(Zuroruinfo, Unit("Soldier", 1, 0), 0.0f), -8);
  EXPECT_EQ(Zuroruinfo.experience, -8);
  // A hero attacker gains its attack less the shortfall: 10 - 9.
  Sabrainfo.attack = 1;
  EXPECT_EQ(Attackfunction(Unit("Soldier", 0, 11), Sabrainfo, 0.0f), -9);
  EXPECT_EQ(Sabrainfo.experience, 1 - 9);
}

TEST_F(CombatTest, AttacksInTheSameSecondStartFromTheSameSeed) {
  fixed_now = 5000;
  const int first = Attackfunction(Unit("Soldier", 0, 3), Unit("Soldier", 997, 0), 0.0f);
  const int after_first = Game_Rand();
  const int second = Attackfunction(Unit("Soldier", 0, 3), Unit("Soldier", 997, 0), 0.0f);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Game_Rand(), after_first);

  fixed_now = 5001;
  const int next_second = Attackfunction(Unit("Soldier", 0, 3), Unit("Soldier", 997, 0), 0.0f);
  EXPECT_EQ(next_second, 2 * 997 + First_Draw(5001) % 997 - 3);
}

TEST_F(CombatTest, AttackOfZeroRollsWithoutDividing) {
  EXPECT_EQ(Attackfunction(Unit("Soldier", 0, 4), Unit("Soldier", 0, 0), 0.0f), -4);
}

TEST_F(CombatTest, ExperienceGoesToHeroesByName) {
  Zuroruinfo.attack = 11;
  Sabrainfo.attack = 12;
  Baldurinfo.attack = 13;
  const struct {
    const char* attacker;
    const char* defender;
    int damage;
    int zuroru, sabra, baldur;
  } cases[] = {
      {"Zuroru", "Soldier", 7, 18, 0, 0}, {"Sabra", "Morgen", -3, 0, 9, 0},
      {"Baldur", "Soldier", 0, 0, 0, 13}, {"Soldier", "Sabra", 6, 0, 6, 0},
      {"Morgen", "Baldur", -4, 0, 0, -4}, {"Morgen", "Zuroru", 8, 8, 0, 0},
      {"Zuroru", "Sabra", 5, 16, 0, 0},   {"Soldier", "Soldier", 9, 0, 0, 0},
      {"Zuroruu", "Sabr", 9, 0, 0, 0},
  };
  for (const auto& c : cases) {
    Zuroruinfo.experience = Sabrainfo.experience = Baldurinfo.experience = 0;
    // The attack comes from the hero's own record, not from the copy handed in.
    Add_XP(Unit(c.defender, 50, 50), Unit(c.attacker, 99, 0), c.damage);
    EXPECT_EQ(Zuroruinfo.experience, c.zuroru) << c.attacker << " on " << c.defender;
    EXPECT_EQ(Sabrainfo.experience, c.sabra) << c.attacker << " on " << c.defender;
    EXPECT_EQ(Baldurinfo.experience, c.baldur) << c.attacker << " on " << c.defender;
  }
  // Enemy records never change here.
  EXPECT_EQ(Boss.experience, 0);
  EXPECT_EQ(Minion1.experience, 0);
}

// The split draws attack then defense, pair after pair, until they add to 5,
// on every call, whether or not anyone levels up.
TEST_F(CombatTest, LevelUpSplitDrawsPairsUntilTheyMakeFive) {
  for (unsigned seed = 0; seed < 200; ++seed) {
    Game_Srand(seed);
    int a = 0, d = 0;
    while (a + d != 5) a = Game_Rand() % 5, d = Game_Rand() % 5;
    const int after = Game_Rand();

    ::Setup();
    Zuroruinfo.experience = 100;
    Game_Srand(seed);
    Add_XP(Minion1, Minion2, 0);
    EXPECT_EQ(Zuroruinfo.attack, 10 + a) << seed;
    EXPECT_EQ(Zuroruinfo.defense, 10 + d) << seed;
    EXPECT_GE(a, 1);
    EXPECT_GE(d, 1);
    EXPECT_EQ(Game_Rand(), after) << seed;

    Game_Srand(seed);
    Add_XP(Minion1, Minion2, 0);  // nobody levels up now
    EXPECT_EQ(Game_Rand(), after) << seed;
  }
}

TEST_F(CombatTest, LevelUpsRaiseValuesOneLevelPerCall) {
  Zuroruinfo.experience = 100000;
  const struct {
    int level, next_level, movement, max_hit_points;
  } steps[] = {{2, 250, 4, 125},  {3, 625, 5, 150},   {4, 1562, 5, 175},  {5, 3905, 5, 200},
               {6, 9762, 6, 225}, {7, 24405, 6, 250}, {8, 61012, 6, 275}, {9, 152530, 7, 300}};
  int attack_and_defense = Zuroruinfo.attack + Zuroruinfo.defense;
  for (const auto& s : steps) {
    Add_XP(Minion1, Minion2, 0);  // nobody gains; the carried-over level comes anyway
    EXPECT_EQ(Zuroruinfo.level, s.level);
    EXPECT_EQ(Zuroruinfo.next_level, s.next_level) << "level " << s.level;
    EXPECT_EQ(Zuroruinfo.movement, s.movement) << "level " << s.level;
    EXPECT_EQ(Zuroruinfo.max_hit_points, s.max_hit_points) << "level " << s.level;
    EXPECT_EQ(Zuroruinfo.hit_points, s.max_hit_points) << "level " << s.level;
    attack_and_defense += 5;
    EXPECT_EQ(Zuroruinfo.attack + Zuroruinfo.defense, attack_and_defense);
  }
  // 100000 falls short of the next threshold: no further level.
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Zuroruinfo.level, 9);
  EXPECT_EQ(Zuroruinfo.experience, 100000);
}

TEST_F(CombatTest, CarriedOverLevelComesOnTheNextCallByAnyone) {
  Sabrainfo.level = 2;
  Sabrainfo.next_level = 250;
  Sabrainfo.experience = 700;
  Add_XP(Zuroruinfo, Boss, 0);  // Morgen on Zuroru for nothing
  EXPECT_EQ(Sabrainfo.level, 3);
  EXPECT_EQ(Sabrainfo.next_level, 625);
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Sabrainfo.level, 4);
  EXPECT_EQ(Sabrainfo.next_level, 1562);
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Sabrainfo.level, 4);
}

TEST_F(CombatTest, ZuroruIsTestedFirstAndEachThresholdIsItsOwn) {
  Zuroruinfo.experience = 100;
  Sabrainfo.experience = 100;
  Baldurinfo.experience = 100;
  Sabrainfo.next_level = 9762;
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Zuroruinfo.level, 2);
  EXPECT_EQ(Baldurinfo.level, 1);
  Baldurinfo.experience = 700;
  Add_XP(Minion1, Minion2, 0);
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Baldurinfo.level, 3);
  EXPECT_EQ(Baldurinfo.next_level, 625);
  EXPECT_EQ(Sabrainfo.next_level, 9762);
  EXPECT_EQ(Sabrainfo.level, 1);
  EXPECT_EQ(Zuroruinfo.level, 2);
}

TEST_F(CombatTest, LevelUpRefillsHitPointsFromAboveOrBelow) {
  for (int hit_points : {500, 125, -20, 0}) {
    ::Setup();
    Baldurinfo.hit_points = hit_points;
    Baldurinfo.experience = 100;
    Add_XP(Minion1, Minion2, 0);
    EXPECT_EQ(Baldurinfo.max_hit_points, 125) << hit_points;
    EXPECT_EQ(Baldurinfo.hit_points, 125) << hit_points;
  }
}

TEST_F(CombatTest, ThresholdStopsAtTheIntRangeAndLevelsStopThere) {
  Zuroruinfo.next_level = 1500000000;
  Zuroruinfo.experience = INT_MAX - 5;
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Zuroruinfo.level, 2);
  EXPECT_EQ(Zuroruinfo.next_level, INT_MAX);
  Zuroruinfo.attack = 100;
  Add_XP(Minion1, Zuroruinfo, 50);
  EXPECT_EQ(Zuroruinfo.experience, INT_MAX);
  Add_XP(Minion1, Minion2, 0);
  EXPECT_EQ(Zuroruinfo.level, 2);
}

}  // namespace
