// Unit records, roster and battlefield map.
#pragma once
#include <cstdint>

struct game_unit {
  char name[8];
  int unit_class;
  int level;
  int reserved1;
  int reserved2;
  int hit_points;
  int defend_bonus;
  int max_hit_points;
  int attack;
  int defense;
  int movement;
  int experience;
  int next_level;
  bool has_acted;
  bool has_moved;
};

constexpr int MAP_COLUMNS = 30;
constexpr int MAP_ROWS = 21;
constexpr int UNIT_SLOTS = 10;
constexpr int TILE_SIZE = 64;

// Terrain codes of the map digits.
enum TerrainCode {
  TERRAIN_NONE = 0,
  TERRAIN_EDGE = 1,
  TERRAIN_GRASSLAND = 2,
  TERRAIN_WATER = 3,
  TERRAIN_PLAINS = 4,
  TERRAIN_FORREST = 5,
  TERRAIN_MOUNTAINS = 6,
  TERRAIN_HILLS = 7,
};
constexpr int TERRAIN_CODES = 8;

struct terrain_info {
  const char* name;           // panel name, null for codes 0 and 1
  int movement_cost;          // 0: cannot be entered
  const char* movement_text;  // panel movement text
  int defense_bonus;          // percent of the defender's defense
  const char* defense_text;   // panel defense text
  int weight;                 // the enemies' liking for the tile
};

extern const terrain_info terrain_table[TERRAIN_CODES];
extern const char* const world[MAP_ROWS];

extern game_unit Zuroruinfo, Sabrainfo, Baldurinfo, Boss;
extern game_unit Minion1, Minion2, Minion3, Minion4, Minion5;
extern int unit_x[UNIT_SLOTS];
extern int unit_y[UNIT_SLOTS];
extern int turn;

void Setup();

// The record of a slot (1 to 9), null for slot 0 and anything outside.
game_unit* Unit_In_Slot(int slot);
// The slot standing on a tile, 0 when it is free.
int Slot_At(int column, int row);
// Terrain code of a tile, TERRAIN_EDGE outside the map.
int Terrain_At(int column, int row);
