#include <gtest/gtest.h>

#include <cstring>

#include "game/units.h"

namespace {

TEST(Roster, SetupPlacesEveryUnitOnItsStartTile) {
  ::Setup();
  EXPECT_EQ(turn, 1);
  EXPECT_EQ(unit_x[0], -1);
  EXPECT_EQ(unit_y[0], -1);
  const int codes[] = {4, 4, 5, 5, 7, 7, 4, 2, 2};
  for (int slot = 1; slot < UNIT_SLOTS; ++slot) {
    EXPECT_EQ(Terrain_At(unit_x[slot], unit_y[slot]), codes[slot - 1]) << slot;
    EXPECT_EQ(Slot_At(unit_x[slot], unit_y[slot]), slot);
  }
  EXPECT_EQ(Slot_At(1, 1), 0);
}

TEST(Roster, RecordsHoldTheirStartValues) {
  ::Setup();
  struct Row {
    int slot;
    const char* name;
    int level, hp, attack, defense, movement;
  } rows[] = {{1, "Zuroru", 1, 100, 10, 10, 4},  {2, "Sabra", 1, 100, 10, 10, 4},
              {3, "Baldur", 1, 100, 10, 10, 4},  {4, "Morgen", 5, 200, 21, 19, 5},
              {5, "Soldier", 3, 150, 14, 15, 5}, {6, "Soldier", 3, 150, 18, 12, 5},
              {7, "Soldier", 2, 125, 13, 12, 4}, {8, "Soldier", 2, 125, 10, 15, 4},
              {9, "Soldier", 2, 125, 15, 10, 4}};
  for (const Row& r : rows) {
    const game_unit* u = Unit_In_Slot(r.slot);
    ASSERT_NE(u, nullptr);
    EXPECT_STREQ(u->name, r.name);
    EXPECT_EQ(u->level, r.level);
    EXPECT_EQ(u->hit_points, r.hp);
    EXPECT_EQ(u->max_hit_points, r.hp);
    EXPECT_EQ(u->attack, r.attack);
    EXPECT_EQ(u->defense, r.defense);
    EXPECT_EQ(u->movement, r.movement);
    EXPECT_EQ(u->unit_class, 1);
    EXPECT_EQ(u->next_level, 100);
    EXPECT_EQ(u->experience, 0);
    EXPECT_EQ(u->defend_bonus, 0);
    EXPECT_FALSE(u->has_acted);
    EXPECT_FALSE(u->has_moved);
  }
  EXPECT_EQ(Unit_In_Slot(0), nullptr);
  EXPECT_EQ(Unit_In_Slot(10), nullptr);
  EXPECT_EQ(Unit_In_Slot(-1), nullptr);
}

TEST(Map, EdgeRingIsAllBorderAndRowsAreWhole) {
  for (int row = 0; row < MAP_ROWS; ++row) {
    ASSERT_EQ(std::strlen(world[row]), size_t(MAP_COLUMNS)) << row;
    EXPECT_EQ(Terrain_At(0, row), TERRAIN_EDGE);
    EXPECT_EQ(Terrain_At(29, row), TERRAIN_EDGE);
  }
  for (int column = 0; column < MAP_COLUMNS; ++column) {
    EXPECT_EQ(Terrain_At(column, 0), TERRAIN_EDGE);
    EXPECT_EQ(Terrain_At(column, 20), TERRAIN_EDGE);
  }
  EXPECT_EQ(Terrain_At(-1, 5), TERRAIN_EDGE);
  EXPECT_EQ(Terrain_At(30, 5), TERRAIN_EDGE);
}

}  // namespace
