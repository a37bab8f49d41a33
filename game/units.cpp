#include "game/units.h"

#include <cstdio>

const terrain_info terrain_table[TERRAIN_CODES] = {
    {nullptr, 0, nullptr, 0, nullptr, 0},
    {nullptr, 0, nullptr, 0, nullptr, 0},
    {"Grassland", 1, "Normal Movement", 0, "+0 Defense Bonus", 0},
    {"Water", 3, "High Movement Penalty", -10, "-10 Defense Bonus", -1},
    {"Plains", 1, "Normal Movement", 0, "+0 Defense Bonus", 0},
    {"Forrest", 2, "Modarate Movement Penalty", 10, "+10 Defense Bonus", 1},
    {"Mountains", 0, "Impassable", 0, nullptr, 0},
    {"Hills", 3, "High Movement Penalty", 20, "+20 Defense Bonus", 2},
};

const char* const world[MAP_ROWS] = {
    "111111111111111111111111111111", "155445555533335555555555555521",
    "154443552555333355255555555551", "155443322222232333555553335521",
    "155433322222277225555553355551", "125444427222227555557777725551",
    "125554444775275552277667755221", "122544444447777557776667555221",
    "125522224444422777676667755221", "122345244444777766677777555521",
    "124455224474766666667772225551", "122222222777776666666677255551",
    "122222444766666666667777755551", "155554447777776666677755555521",
    "153355557227777666772555552221", "133334445222227777722225555221",
    "133333444552233322222255522221", "133333335523333222255222555221",
    "133333333533332222255225557721", "133333353332222255522555772251",
    "111111111111111111111111111111",
};

game_unit Zuroruinfo, Sabrainfo, Baldurinfo, Boss;
game_unit Minion1, Minion2, Minion3, Minion4, Minion5;
int unit_x[UNIT_SLOTS];
int unit_y[UNIT_SLOTS];
int turn = 0;

namespace {

struct roster_entry {
  game_unit* record;
  const char* name;
  int level, hit_points, attack, defense, movement, column, row;
};

const roster_entry roster[UNIT_SLOTS - 1] = {
    {&Zuroruinfo, "Zuroru", 1, 100, 10, 10, 4, 2, 2},
    {&Sabrainfo, "Sabra", 1, 100, 10, 10, 4, 3, 1},
    {&Baldurinfo, "Baldur", 1, 100, 10, 10, 4, 1, 3},
    {&Boss, "Morgen", 5, 200, 21, 19, 5, 28, 19},
    {&Minion1, "Soldier", 3, 150, 14, 15, 5, 22, 9},
    {&Minion2, "Soldier", 3, 150, 18, 12, 5, 18, 15},
    {&Minion3, "Soldier", 2, 125, 13, 12, 4, 5, 7},
    {&Minion4, "Soldier", 2, 125, 10, 15, 4, 18, 2},
    {&Minion5, "Soldier", 2, 125, 15, 10, 4, 11, 19},
};

}  // namespace

void Setup() {
  turn = 1;
  for (int slot = 0; slot < UNIT_SLOTS; ++slot) unit_x[slot] = unit_y[slot] = -1;
  for (int slot = 1; slot < UNIT_SLOTS; ++slot) {
    unit_x[slot] = roster[slot - 1].column;
    unit_y[slot] = roster[slot - 1].row;
  }
  for (const roster_entry& e : roster) {
    game_unit& u = *e.record;
    std::snprintf(u.name, sizeof u.name, "%s", e.name);
    u.unit_class = 1;
    u.attack = e.attack;
    u.defense = e.defense;
    u.movement = e.movement;
    u.max_hit_points = e.hit_points;
    u.hit_points = e.hit_points;
    u.level = e.level;
    u.reserved1 = 0;
    u.reserved2 = 0;
    u.experience = 0;
    u.next_level = 100;
    u.defend_bonus = 0;
    u.has_acted = false;
    u.has_moved = false;
  }
}

game_unit* Unit_In_Slot(int slot) {
  static game_unit* const records[UNIT_SLOTS] = {nullptr,  &Zuroruinfo, &Sabrainfo, &Baldurinfo,
                                                 &Boss,    &Minion1,    &Minion2,   &Minion3,
                                                 &Minion4, &Minion5};
  return slot >= 0 && slot < UNIT_SLOTS ? records[slot] : nullptr;
}

int Slot_At(int column, int row) {
  for (int slot = 0; slot < UNIT_SLOTS; ++slot)
    if (unit_x[slot] == column && unit_y[slot] == row) return slot;
  return 0;
}

int Terrain_At(int column, int row) {
  if (column < 0 || column >= MAP_COLUMNS || row < 0 || row >= MAP_ROWS) return TERRAIN_EDGE;
  return world[row][column] - '0';
}
