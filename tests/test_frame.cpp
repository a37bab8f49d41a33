#include "battle_harness.h"
#include "game/game_sounds.h"
#include "game/sprites.h"

using namespace harness;

namespace {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override { new_battle(); }
};

struct Mode {
  bool curser;
  int order;
  bool canmove;
  bool attack;
  bool operator==(const Mode& o) const {
    return curser == o.curser && order == o.order && canmove == o.canmove && attack == o.attack;
  }
};
std::ostream& operator<<(std::ostream& os, const Mode& m) {
  return os << "{curserflag " << m.curser << ", orderposition " << m.order << ", canmoveflag "
            << m.canmove << ", attackflag " << m.attack << "}";
}
Mode mode() { return {curserflag, orderposition, canmoveflag, attackflag}; }

constexpr Mode kCursor{true, -1, false, false};
constexpr Mode kMoveTarget{true, -1, true, false};
constexpr Mode kAttackTarget{true, 1, false, true};
Mode menu(int order) { return {false, order, false, false}; }

TEST_F(FrameTest, StartValues) {
  EXPECT_EQ(kCursor, mode());
  EXPECT_FALSE(victoryflag || defeatflag);
  EXPECT_EQ(0, world_x + world_y);
  EXPECT_EQ(64, curser_x);
  EXPECT_EQ(64, curser_y);
  EXPECT_EQ(1, curserindex_x);
  EXPECT_EQ(1, curserindex_y);
  EXPECT_EQ(1, turn);
}

// From the start the cursor is on (1, 1); "RD" takes it to Zuroru on (2, 2).
TEST_F(FrameTest, ModeTransitionsFollowTheirKeys) {
  struct Case {
    const char* what;
    const char* script;
    Mode expected;
  } cases[] = {
      {"Enter on an empty tile", "E", kCursor},
      {"Enter on Zuroru opens the menu", "RD E", menu(0)},
      {"Enter on Sabra opens the menu", "RR E", menu(0)},
      {"Enter on an enemy", "RRRR DDDDDD E", kCursor},
      {"Down in the menu", "RD E D", menu(1)},
      {"Down held within the menu", "RD E DDDDD", menu(3)},
      {"Up held within the menu", "RD E D UUU", menu(0)},
      {"Left and Right do nothing in the menu", "RD E R L", menu(0)},
      {"Move on a hero that has not moved", "RD E E", kMoveTarget},
      {"Move target outside the range", "RD E E RRRRRR E", kMoveTarget},
      {"Move target on the hero's own tile", "RD E E E", kCursor},
      {"Move on a hero that has moved", "RD E E E E E", kCursor},
      {"Attack", "RD E D E", kAttackTarget},
      {"Arrow keys while aiming the attack", "RD E D E R", kAttackTarget},
      {"Enter anywhere ends the attack", "RD E D E E", kCursor},
      {"Defend", "RD E DD E", kCursor},
      {"Enter on a hero that has acted", "RD E DD E E", kCursor},
      {"Quit keeps the menu", "RD E DDD E", menu(3)},
  };
  for (const Case& c : cases) {
    new_battle();
    keys(c.script);
    EXPECT_EQ(c.expected, mode()) << c.what;
  }
}

TEST_F(FrameTest, ArrowsMoveTheCursorInEveryModeButTheMenu) {
  keys("RD E R");
  EXPECT_EQ(2, curserindex_x);
  keys("E R");  // move-target mode
  EXPECT_EQ(3, curserindex_x);
}

TEST_F(FrameTest, NoKeyCancelsATargetMode) {
  keys("RD E E");
  press(VK_ESCAPE, 1);
  frame();
  EXPECT_EQ(kMoveTarget, mode());
  keys("E E D E");  // Enter on his own tile moves him; then Attack
  press(VK_ESCAPE, 1);
  frame();
  EXPECT_EQ(kAttackTarget, mode());
}

TEST_F(FrameTest, QuitRequestsTheEnd) {
  keys("RD E DDD");
  EXPECT_FALSE(destroy_posted());
  keys("E");
  EXPECT_TRUE(destroy_posted());
}

TEST_F(FrameTest, EnterActsOnlyOnceReleased) {
  keys("RD");
  std::vector<int> seen_while_held;
  on_key_poll = [&](int key) {
    if (key == VK_RETURN) seen_while_held.push_back(orderposition);
  };
  press(VK_RETURN, 50);  // held through fifty polls
  frame();
  ASSERT_EQ(50u, seen_while_held.size());
  for (int order : seen_while_held) EXPECT_EQ(-1, order);
  EXPECT_EQ(menu(0), mode());
  // However long it was held, it was one press: the menu did not go on to Move.
  frame();
  EXPECT_EQ(menu(0), mode());
}

TEST_F(FrameTest, RightWinsOverLeftAndLeftIsReadNextFrame) {
  keys("RR");
  press(VK_RIGHT);
  press(VK_LEFT);
  frame();
  EXPECT_EQ(4, curserindex_x);
  frame();  // Left is still down
  EXPECT_EQ(3, curserindex_x);
  press(VK_UP);
  press(VK_DOWN);
  frame();
  EXPECT_EQ(1, curserindex_y);  // Up won, held at row 1
  frame();
  EXPECT_EQ(2, curserindex_y);
}

TEST_F(FrameTest, EscapePostsTheEndAndTheFrameStillRunsAndWaits) {
  press(VK_ESCAPE, 1);
  press(VK_RIGHT);
  uint32_t before = now_ms;
  frame();
  EXPECT_TRUE(destroy_posted());
  EXPECT_EQ(2, curserindex_x);
  EXPECT_GE(now_ms - before, 30u);
  // The cursor was drawn and flipped: the back buffer is not blank.
  EXPECT_NE(0, back_pixel(curser_x + 32, curser_y + 32) | back_pixel(10, 10));
}

TEST_F(FrameTest, BattleOverKeysEndTheProgramAndStillAct) {
  victoryflag = true;
  frame();
  EXPECT_FALSE(destroy_posted());
  for (int key : {VK_RETURN, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_ESCAPE}) {
    press(key, 2);
    frame();
    EXPECT_TRUE(destroy_posted()) << key;
  }
  // Each key also did its own work: Down and Right moved the cursor.
  EXPECT_EQ(2, curserindex_x);
  EXPECT_EQ(2, curserindex_y);
}

TEST_F(FrameTest, HeroesDoneTest) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    bool done;
  } cases[] = {
      {"at start", [] {}, false},
      {"all acted",
       [] { Zuroruinfo.has_acted = Sabrainfo.has_acted = Baldurinfo.has_acted = true; }, true},
      {"one only moved",
       [] {
         Zuroruinfo.has_acted = Sabrainfo.has_acted = true;
         Baldurinfo.has_moved = true;
       },
       false},
      {"a fallen hero counts as done whatever its flags",
       [] {
         Zuroruinfo.has_acted = Sabrainfo.has_acted = true;
         Baldurinfo.hit_points = 0;
       },
       true},
      {"a hero off the map counts as done even with hit points",
       [] {
         Zuroruinfo.has_acted = Sabrainfo.has_acted = true;
         place(3, -1, -1);
         Baldurinfo.hit_points = 50;
       },
       true},
  };
  for (const Case& c : cases) {
    new_battle();
    c.arrange();
    EXPECT_EQ(c.done, Heroes_Done()) << c.what;
  }
}

TEST_F(FrameTest, EnemyPhaseRunsTheFrameAfterTheLastHeroActs) {
  Sabrainfo.has_acted = Baldurinfo.has_acted = true;
  keys("RD E DD");
  keys("E");  // Zuroru defends: the last hero is done
  EXPECT_TRUE(Zuroruinfo.has_acted);
  EXPECT_EQ(1, turn);
  keys(".");
  EXPECT_EQ(2, turn);
  EXPECT_FALSE(Zuroruinfo.has_acted || Sabrainfo.has_acted || Baldurinfo.has_acted);
  keys(".");
  EXPECT_EQ(2, turn);
}

// The picture covers x 200 to 699 and y 200 to 353 wherever it is not keyed.
void expect_picture_shown(BOB_TYP& picture) {
  plat::Surface* f = picture.frames[0];
  ASSERT_NE(nullptr, f);
  int compared = 0;
  for (int y = 0; y < 154; y += 7)
    for (int x = 0; x < 500; x += 7) {
      uint16_t p = reinterpret_cast<const uint16_t*>(f->memory + y * f->pitch)[x];
      if (p == 0) continue;
      ASSERT_EQ(p, back_pixel(200 + x, 200 + y)) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 100);
}

TEST_F(FrameTest, OutcomePicturesAndTheirSoundPlayingThrough) {
  struct Case {
    bool* flag;
    BOB_TYP* picture;
    int* sound;
  } cases[] = {{&victoryflag, &victory, &victory_sound}, {&defeatflag, &defeat, &defeat_sound}};
  for (const Case& c : cases) {
    new_battle();
    *c.flag = true;
    frame();
    expect_picture_shown(*c.picture);
    ASSERT_TRUE(sound_playing(*c.sound));
    // Let the sound run on; further frames must not rewind it.
    std::vector<float> mix(2 * 4410);
    plat::mix_render(lpds, mix.data(), 4410);
    uint32_t played = sound_position(*c.sound);
    EXPECT_GT(played, 0u);
    frame();
    frame();
    EXPECT_EQ(played, sound_position(*c.sound));
    // Once it has finished, the next frame starts it again.
    DSound_Stop_Sound(*c.sound);
    frame();
    EXPECT_TRUE(sound_playing(*c.sound));
  }
}

TEST_F(FrameTest, VictoryIsShownOverDefeatWhenBothAreSet) {
  victoryflag = defeatflag = true;
  frame();
  expect_picture_shown(victory);
}

}  // namespace
