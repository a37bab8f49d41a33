#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <queue>
#include <set>
#include <utility>
#include <vector>

#include "game/movement.h"
#include "game/units.h"

namespace {

using Tile = std::pair<int, int>;

std::vector<Tile> Range_List() {
  std::vector<Tile> list;
  for (int i = 0; i < move_index; ++i) list.emplace_back(move_x[i], move_y[i]);
  return list;
}

void Clear_Map() {
  for (int slot = 0; slot < UNIT_SLOTS; ++slot) unit_x[slot] = unit_y[slot] = -1;
}

// Zuroru alone on the map with the given points.
void Place_Lone(int x, int y, int movement) {
  Clear_Map();
  unit_x[1] = x;
  unit_y[1] = y;
  Zuroruinfo.movement = movement;
}

// Cheapest cost to every tile from (x, y), the start tile itself excluded,
// with no unit on the map but the mover.
std::set<Tile> Reachable(int x, int y, int movement) {
  std::vector<int> cost(MAP_COLUMNS * MAP_ROWS, INT_MAX);
  using Item = std::pair<int, Tile>;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
  cost[y * MAP_COLUMNS + x] = 0;
  open.push({0, {x, y}});
  std::set<Tile> tiles;
  while (!open.empty()) {
    auto [c, tile] = open.top();
    open.pop();
    if (c > cost[tile.second * MAP_COLUMNS + tile.first]) continue;
    if (tile != Tile{x, y}) tiles.insert(tile);
    const int dx[] = {-1, 1, 0, 0}, dy[] = {0, 0, -1, 1};
    for (int k = 0; k < 4; ++k) {
      const int nx = tile.first + dx[k], ny = tile.second + dy[k];
      const int step = terrain_table[Terrain_At(nx, ny)].movement_cost;
      if (step <= 0 || (nx == x && ny == y) || c + step > movement) continue;
      if (c + step < cost[ny * MAP_COLUMNS + nx]) {
        cost[ny * MAP_COLUMNS + nx] = c + step;
        open.push({c + step, {nx, ny}});
      }
    }
  }
  return tiles;
}

class MovementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::Setup();
    Clear_Moves();
    unit_move = 0;
  }
};

TEST_F(MovementTest, BaldurAtStartReachesTheTwelveEntriesInSearchOrder) {
  Unit_Movement(1, 3);
  const std::vector<Tile> expected = {{2, 3}, {3, 3}, {4, 3}, {3, 2}, {3, 4}, {2, 4},
                                      {1, 2}, {1, 1}, {1, 4}, {2, 4}, {1, 5}, {1, 6}};
  EXPECT_EQ(Range_List(), expected);
  EXPECT_EQ(unit_move, 3);
}

TEST_F(MovementTest, ZuroruAtStartHasThirtyOneEntriesOverTwelveTiles) {
  Unit_Movement(2, 2);
  const std::vector<Tile> list = Range_List();
  EXPECT_EQ(list.size(), 31u);
  EXPECT_EQ(std::set<Tile>(list.begin(), list.end()).size(), 12u);
  EXPECT_EQ(unit_move, 1);
}

TEST_F(MovementTest, ListAppendsToWhatIsThereAndClearEmptiesIt) {
  Append_Move(5, 6);
  Unit_Movement(1, 3);
  ASSERT_EQ(move_index, 13);
  EXPECT_EQ(Range_List().front(), Tile(5, 6));
  EXPECT_EQ(Range_List()[1], Tile(2, 3));
  Clear_Moves();
  EXPECT_EQ(move_index, 0);
  // The callers empty the list by setting the count alone; appends still land in place.
  Unit_Movement(1, 3);
  move_index = 0;
  Append_Move(7, 8);
  EXPECT_EQ(Range_List(), std::vector<Tile>{Tile(7, 8)});
}

TEST_F(MovementTest, LargestLoneUnitListsOnThisMap) {
  const struct {
    int movement;
    int largest;
  } cases[] = {{4, 210}, {5, 734}, {6, 2506}};
  for (const auto& c : cases) {
    int largest = 0;
    Tile where{};
    for (int y = 1; y < MAP_ROWS - 1; ++y) {
      for (int x = 1; x < MAP_COLUMNS - 1; ++x) {
        if (terrain_table[Terrain_At(x, y)].movement_cost <= 0) continue;
        Place_Lone(x, y, c.movement);
        Clear_Moves();
        Unit_Movement(x, y);
        if (move_index > largest) largest = move_index, where = {x, y};
      }
    }
    EXPECT_EQ(largest, c.largest) << c.movement << " points";
    EXPECT_EQ(where, Tile(7, 8)) << c.movement << " points";
  }
}

// Up to ten points (the most a hero can reach) the list keeps every entry,
// and its tiles are exactly those the points can pay for.
TEST_F(MovementTest, LargeRangesKeepEveryEntryAndCoverExactlyThePayableTiles) {
  const struct {
    int movement;
    int entries;  // 0: not pinned
  } cases[] = {{7, 8657}, {8, 29411}, {10, 0}};
  for (const auto& c : cases) {
    Place_Lone(7, 8, c.movement);
    Clear_Moves();
    Unit_Movement(7, 8);
    if (c.entries) EXPECT_EQ(move_index, c.entries) << c.movement << " points";
    ASSERT_GE(move_x.size(), static_cast<size_t>(move_index));
    ASSERT_GE(move_y.size(), static_cast<size_t>(move_index));
    const std::vector<Tile> list = Range_List();
    EXPECT_EQ(std::set<Tile>(list.begin(), list.end()), Reachable(7, 8, c.movement))
        << c.movement << " points";
  }
}

TEST_F(MovementTest, BlockingAndPayingForTerrain) {
  struct Blocker {
    int slot, x, y;
  };
  const struct {
    const char* what;
    Tile mover;
    int movement;
    std::vector<Blocker> blockers;
    std::vector<Tile> expected;
  } cases[] = {
      {"grassland with 1 point", {7, 4}, 1, {{2, 7, 3}, {4, 7, 5}, {5, 6, 4}}, {{8, 4}}},
      {"water with 3 points, then no farther",
       {7, 4},
       3,
       {{2, 7, 3}, {4, 7, 5}, {5, 8, 4}},
       {{6, 4}}},
      {"water with 2 points", {7, 4}, 2, {{2, 7, 3}, {4, 7, 5}, {5, 8, 4}}, {}},
      {"hills with 3 points, then no farther",
       {12, 4},
       3,
       {{3, 11, 4}, {6, 12, 3}, {9, 12, 5}},
       {{13, 4}}},
      {"hills with 2 points", {12, 4}, 2, {{3, 11, 4}, {6, 12, 3}, {9, 12, 5}}, {}},
      {"forrest with 2 points, then no farther", {4, 1}, 2, {{2, 3, 1}, {5, 4, 2}}, {{5, 1}}},
      {"forrest with 1 point", {4, 1}, 1, {{2, 3, 1}, {5, 4, 2}}, {}},
      {"hemmed in by friends and foes",
       {7, 4},
       6,
       {{2, 7, 3}, {3, 7, 5}, {4, 6, 4}, {5, 8, 4}},
       {}},
      {"a friend on the only open tile",
       {7, 4},
       1,
       {{2, 7, 3}, {4, 7, 5}, {5, 6, 4}, {3, 8, 4}},
       {}},
      {"a foe on the only open tile", {7, 4}, 1, {{2, 7, 3}, {4, 7, 5}, {5, 6, 4}, {6, 8, 4}}, {}},
      {"map edge", {1, 1}, 6, {{2, 2, 1}, {4, 1, 2}}, {}},
      {"mountains", {12, 10}, 6, {{2, 11, 10}, {4, 12, 9}, {5, 12, 11}}, {}},
      {"the mover's own tile is never entered",
       {7, 4},
       2,
       {{2, 7, 3}, {4, 7, 5}},
       {{8, 4}, {9, 4}, {8, 3}}},
  };
  for (const auto& c : cases) {
    Place_Lone(c.mover.first, c.mover.second, c.movement);
    for (const Blocker& b : c.blockers) unit_x[b.slot] = b.x, unit_y[b.slot] = b.y;
    Clear_Moves();
    Unit_Movement(c.mover.first, c.mover.second);
    EXPECT_EQ(Range_List(), c.expected) << c.what;
    EXPECT_EQ(unit_move, 1) << c.what;
  }
}

TEST_F(MovementTest, DeadUnitsTileCanBeEnteredAndPassed) {
  Unit_Movement(1, 3);
  const std::vector<Tile> alive = Range_List();
  ASSERT_EQ(std::count(alive.begin(), alive.end(), Tile(2, 2)), 0);

  unit_x[1] = unit_y[1] = -1;  // Zuroru fell on (2, 2)
  Clear_Moves();
  Unit_Movement(1, 3);
  const std::vector<Tile> dead = Range_List();
  EXPECT_GT(std::count(dead.begin(), dead.end(), Tile(2, 2)), 0);
  // The search goes on from the freed tile: from (2, 3) through (2, 2) to (3, 2).
  const std::vector<Tile> through = {{2, 2}, {3, 2}};
  EXPECT_NE(std::search(dead.begin(), dead.end(), through.begin(), through.end()), dead.end());
  EXPECT_GT(dead.size(), alive.size());
}

TEST_F(MovementTest, TileWithoutUnitAppendsNothingAndKeepsTheMover) {
  unit_move = 7;
  const Tile empty_tiles[] = {{10, 10}, {0, 0}, {-1, -1}, {29, 20}, {500, -3}};
  for (const Tile& t : empty_tiles) {
    // Empty and dead slots hold (-1, -1); that is no unit standing there.
    unit_x[8] = unit_y[8] = -1;
    Unit_Movement(t.first, t.second);
    EXPECT_EQ(move_index, 0) << t.first << "," << t.second;
    EXPECT_EQ(unit_move, 7) << t.first << "," << t.second;
  }
}

TEST_F(MovementTest, SurroundedUnitPlusOwnTileLeavesOneEntry) {
  // Sabra at (3, 1) under the edge, hemmed in by soldiers on her other sides.
  unit_x[4] = 4, unit_y[4] = 1;
  unit_x[5] = 2, unit_y[5] = 1;
  unit_x[6] = 3, unit_y[6] = 2;
  Unit_Movement(3, 1);
  EXPECT_EQ(move_index, 0);
  EXPECT_EQ(unit_move, 2);
  Append_Move(3, 1);
  EXPECT_EQ(Range_List(), std::vector<Tile>{Tile(3, 1)});
}

}  // namespace
