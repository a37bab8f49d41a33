#include "battle_harness.h"
#include "engine/bob.h"
#include "engine/text.h"
#include "game/sprites.h"

using namespace harness;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 255;

struct Line {
  const char* text;
  int x, y;
  COLORREF color;
};

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    new_battle();
    expected = plat::create_surface(800, 600, 16);
  }
  void TearDown() override { plat::release_surface(expected); }

  // The lower part of the screen (y 448 on) must be exactly these lines, the
  // terrain picture of the digit (if any) and the order menu.
  void expect_panels(std::vector<Line> lines, int terrain_digit, int order, const char* what) {
    static const Line menu[] = {{"Move", 375, 460, 0},
                                {"Attack", 375, 485, 0},
                                {"Defend", 375, 510, 0},
                                {"Quit", 375, 560, 0}};
    for (int i = 0; i < 4; ++i) {
      Line l = menu[i];
      l.color = order == i ? kRed : kWhite;
      lines.push_back(l);
    }
    frame();
    plat::fill(expected, nullptr, 0);
    if (terrain_digit >= 0) {
      textures.curr_frame = terrain_digit;
      textures.x = 450;
      textures.y = 478;
      Draw_BOB16(&textures, expected);
    }
    for (const Line& l : lines) Draw_Text_GDI(l.text, l.x, l.y, l.color, expected);
    for (int y = 448; y < 600; ++y)
      for (int x = 0; x < 800; ++x) {
        uint16_t want =
            reinterpret_cast<const uint16_t*>(expected->memory + y * expected->pitch)[x];
        ASSERT_EQ(want, back_pixel(x, y)) << what << " at " << x << "," << y;
      }
  }

  plat::Surface* expected = nullptr;
};

TEST_F(PanelsTest, AHeroOnPlains) {
  Zuroruinfo.experience = 42;
  curserindex_x = 2, curserindex_y = 2;
  expect_panels({{"Zuroru", 25, 453, kWhite},
                 {"Levels:  Fighter:  1", 25, 468, kWhite},
                 {"Hit Points:  [100] / [100]", 25, 493, kWhite},
                 {"Attack:  [10]", 25, 508, kWhite},
                 {"Defense:  [10]     +[0] Defend bonus", 25, 523, kWhite},
                 {"Movement:  [4]", 25, 538, kWhite},
                 {"Experence:  [42] / [100]", 25, 553, kWhite},
                 {"Plains", 450, 463, kWhite},
                 {"Normal Movement", 525, 478, kWhite},
                 {"+0 Defense Bonus", 525, 518, kWhite},
                 {"Turn:  1", 725, 453, kWhite}},
                4, -1, "Zuroru");
}

TEST_F(PanelsTest, TheBossWithValuesAsTheyAre) {
  place(4, 1, 1);         // onto Forrest
  Boss.hit_points = 230;  // above its maximum after a negative blow
  Boss.defend_bonus = 10;
  turn = 7;
  expect_panels({{"Morgen", 25, 453, kWhite},
                 {"Levels:  Fighter:  5", 25, 468, kWhite},
                 {"Hit Points:  [230] / [200]", 25, 493, kWhite},
                 {"Attack:  [21]", 25, 508, kWhite},
                 {"Defense:  [19]     +[10] Defend bonus", 25, 523, kWhite},
                 {"Movement:  [5]", 25, 538, kWhite},
                 {"Forrest", 450, 463, kWhite},
                 {"Modarate Movement Penalty", 525, 478, kWhite},
                 {"+10 Defense Bonus", 525, 518, kWhite},
                 {"Turn:  7", 725, 453, kWhite}},
                5, -1, "boss");
}

TEST_F(PanelsTest, ASoldierIsNamedBySlotNotRecord) {
  place(9, 1, 1);
  std::snprintf(Minion5.name, sizeof Minion5.name, "Bogus");
  expect_panels({{"Soldier", 25, 453, kWhite},
                 {"Levels:  Fighter:  2", 25, 468, kWhite},
                 {"Hit Points:  [125] / [125]", 25, 493, kWhite},
                 {"Attack:  [15]", 25, 508, kWhite},
                 {"Defense:  [10]     +[0] Defend bonus", 25, 523, kWhite},
                 {"Movement:  [4]", 25, 538, kWhite},
                 {"Forrest", 450, 463, kWhite},
                 {"Modarate Movement Penalty", 525, 478, kWhite},
                 {"+10 Defense Bonus", 525, 518, kWhite},
                 {"Turn:  1", 725, 453, kWhite}},
                5, -1, "soldier");
}

TEST_F(PanelsTest, EmptyTilesShowOnlyTerrainMenuAndTurn) {
  struct Case {
    int col, row, digit;
    std::vector<Line> terrain;
  } cases[] = {
      {1,
       1,
       5,
       {{"Forrest", 450, 463, kWhite},
        {"Modarate Movement Penalty", 525, 478, kWhite},
        {"+10 Defense Bonus", 525, 518, kWhite}}},
      {5,
       3,
       3,
       {{"Water", 450, 463, kWhite},
        {"High Movement Penalty", 525, 478, kWhite},
        {"-10 Defense Bonus", 525, 518, kWhite}}},
      {13,
       4,
       7,
       {{"Hills", 450, 463, kWhite},
        {"High Movement Penalty", 525, 478, kWhite},
        {"+20 Defense Bonus", 525, 518, kWhite}}},
      {7,
       3,
       2,
       {{"Grassland", 450, 463, kWhite},
        {"Normal Movement", 525, 478, kWhite},
        {"+0 Defense Bonus", 525, 518, kWhite}}},
      {21, 6, 6, {{"Mountains", 450, 463, kWhite}, {"Impassable", 525, 478, kWhite}}},
  };
  for (const Case& c : cases) {
    new_battle();
    ASSERT_EQ(c.digit, Terrain_At(c.col, c.row));
    curserindex_x = c.col, curserindex_y = c.row;
    std::vector<Line> lines = c.terrain;
    lines.push_back({"Turn:  1", 725, 453, kWhite});
    expect_panels(lines, c.digit, -1, terrain_table[c.digit].name);
  }
}

TEST_F(PanelsTest, MenuColoursFollowTheMode) {
  std::vector<Line> empty_tile = {{"Forrest", 450, 463, kWhite},
                                  {"Modarate Movement Penalty", 525, 478, kWhite},
                                  {"+10 Defense Bonus", 525, 518, kWhite},
                                  {"Turn:  1", 725, 453, kWhite}};
  for (int order : {0, 1, 2, 3}) {
    new_battle();
    orderposition = order;
    curserflag = false;
    expect_panels(empty_tile, 5, order, "menu");
  }
  // Aiming an attack keeps Attack red while the cursor roams.
  new_battle();
  orderposition = 1;
  attackflag = true;
  expect_panels(empty_tile, 5, 1, "attack-target");
}

}  // namespace
