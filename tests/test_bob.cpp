#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/bob.h"
#include "engine/ddraw.h"
#include "platform/display.h"

namespace {

// A 16-bit picture whose every pixel tells where it came from.
uint16_t marker(int x, int y) { return uint16_t(((y & 0xFF) << 8) | (x & 0xFF) | 0x0101); }

struct Picture {
  BITMAP_FILE_TAG tag{};
  Picture(int width, int height, int bits = 16) {
    tag.info_header.biWidth = width;
    tag.info_header.biHeight = height;
    tag.info_header.biBitCount = uint16_t(bits);
    tag.pixels = static_cast<uint8_t*>(std::malloc(size_t(width) * height * bits / 8));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (bits == 16)
          reinterpret_cast<uint16_t*>(tag.pixels)[y * width + x] = marker(x, y);
        else
          tag.pixels[y * width + x] = uint8_t(x + y + 1);
      }
  }
  ~Picture() { Unload_Bitmap_File(&tag); }
};

uint16_t pixel(const plat::Surface* s, int x, int y) {
  return reinterpret_cast<const uint16_t*>(s->memory + y * s->pitch)[x];
}

class Sprite : public testing::Test {
 protected:
  void SetUp() override {
    screen_ = plat::create_surface(800, 600, 16);
    plat::Rect whole{0, 0, 800, 600};
    clipper_ = DDraw_Attach_Clipper(screen_, 1, &whole);
  }
  void TearDown() override {
    Destroy_BOB(&bob_);
    plat::release_clipper(clipper_);
    plat::release_surface(screen_);
  }
  // A loaded 64 x 64 sprite whose frame i comes from cell (i, 0).
  void make(int frames, int attr) {
    ASSERT_EQ(Create_BOB(&bob_, 0, 0, 64, 64, frames, attr, DDSCAPS_SYSTEMMEMORY, 0, 16), 1);
    for (int i = 0; i < frames; ++i)
      ASSERT_EQ(Load_Frame_BOB16(&bob_, &sheet_.tag, i, i % 4, i / 4, BOB_CELL_MODE), 1);
  }
  plat::Surface* screen_ = nullptr;
  plat::Clipper* clipper_ = nullptr;
  Picture sheet_{260, 131};
  BOB_TYP bob_{};
  BOB_TYP copy_{};
};

TEST_F(Sprite, CellsStartAfterTheGridLines) {
  make(8, BOB_VISIBLE);
  struct Case {
    int frame, x, y;
  };
  for (Case c : {Case{0, 1, 1}, Case{5, 66, 66}, Case{6, 131, 66}, Case{3, 196, 1}})
    EXPECT_EQ(pixel(bob_.frames[c.frame], 0, 0), marker(c.x, c.y)) << c.frame;
  EXPECT_EQ(pixel(bob_.frames[7], 63, 63), marker(196 + 63, 66 + 63));
  EXPECT_TRUE(bob_.attr & BOB_LOADED);

  ASSERT_EQ(Load_Frame_BOB16(&bob_, &sheet_.tag, 1, 10, 20, BOB_ABSOLUTE_MODE), 1);
  EXPECT_EQ(pixel(bob_.frames[1], 0, 0), marker(10, 20));

  BOB_TYP banner{};
  Picture big(504, 156);
  ASSERT_EQ(Create_BOB(&banner, 0, 0, 500, 154, 1, BOB_VISIBLE, 0, 0, 16), 1);
  ASSERT_EQ(Load_Frame_BOB16(&banner, &big.tag, 0, 0, 0, BOB_CELL_MODE), 1);
  EXPECT_EQ(pixel(banner.frames[0], 0, 0), marker(1, 1));
  EXPECT_EQ(pixel(banner.frames[0], 499, 153), marker(500, 154));
  Destroy_BOB(&banner);
}

TEST_F(Sprite, FramesThatCannotBeCutAreRefusedUntouched) {
  make(2, BOB_VISIBLE);
  const uint16_t before = pixel(bob_.frames[1], 0, 0);
  Picture narrow(100, 66), eight_bit(260, 131, 8);
  BITMAP_FILE_TAG empty{};
  empty.info_header = sheet_.tag.info_header;
  struct Case {
    const char* name;
    BITMAP_FILE_TAG* picture;
    int frame, cx, cy, mode;
  };
  const Case cases[] = {
      {"frame -1", &sheet_.tag, -1, 0, 0, 0},
      {"frame past the created ones", &sheet_.tag, 2, 0, 0, 0},
      {"frame 64", &sheet_.tag, 64, 0, 0, 0},
      {"cell beyond the right edge", &narrow.tag, 1, 1, 0, 0},
      {"cell below the picture", &sheet_.tag, 1, 0, 2, 0},
      {"negative cell", &sheet_.tag, 1, -1, 0, 0},
      {"absolute beyond the edge", &sheet_.tag, 1, 197, 0, 1},
      {"empty picture", &empty, 1, 0, 0, 0},
      {"8-bit picture", &eight_bit.tag, 1, 0, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Load_Frame_BOB16(&bob_, c.picture, c.frame, c.cx, c.cy, c.mode), 0) << c.name;
  EXPECT_EQ(Load_Frame_BOB16(&bob_, nullptr, 1, 0, 0, 0), 0);
  EXPECT_EQ(Load_Frame_BOB16(nullptr, &sheet_.tag, 1, 0, 0, 0), 0);
  EXPECT_EQ(pixel(bob_.frames[1], 0, 0), before);
}

TEST_F(Sprite, EightBitFramesComeFromEightBitPictures) {
  plat::set_desktop_bits(8);
  BOB_TYP small{};
  Picture picture(130, 66, 8);
  ASSERT_EQ(Create_BOB(&small, 0, 0, 64, 64, 2, BOB_VISIBLE, 0, 0, 8), 1);
  plat::set_desktop_bits(16);
  ASSERT_EQ(small.frames[0]->bpp, 8);
  EXPECT_EQ(Load_Frame_BOB(&small, &picture.tag, 1, 1, 0, BOB_CELL_MODE), 1);
  EXPECT_EQ(small.frames[1]->memory[0], uint8_t(66 + 1 + 1));
  EXPECT_EQ(Load_Frame_BOB16(&small, &sheet_.tag, 0, 0, 0, BOB_CELL_MODE), 0);
  Destroy_BOB(&small);
}

TEST_F(Sprite, DrawsTruncatedTowardZeroAndClipped) {
  make(1, BOB_VISIBLE);
  bob_.x = 10.7f;
  bob_.y = -3.5f;
  ASSERT_EQ(Draw_BOB16(&bob_, screen_), 1);
  EXPECT_EQ(pixel(screen_, 10, 0), marker(1, 1 + 3));  // rows above the screen dropped
  // Top -3 and bottom 60 make the rectangle 63 rows tall: the blit squeezes
  // the frame by a row, so the last row shown is the frame's row 62.
  EXPECT_EQ(pixel(screen_, 73, 59), marker(64, 1 + 62));
  EXPECT_EQ(pixel(screen_, 9, 0), 0);
  EXPECT_EQ(pixel(screen_, 74, 0), 0);
  EXPECT_EQ(pixel(screen_, 10, 60), 0);

  // Key-coloured frame pixels leave the destination alone.
  plat::fill(screen_, nullptr, 0x1234);
  plat::Surface* frame = bob_.frames[0];
  reinterpret_cast<uint16_t*>(frame->memory)[0] = 0;
  bob_.x = 100.0f;
  bob_.y = 100.0f;
  ASSERT_EQ(Draw_BOB(&bob_, screen_), 1);
  EXPECT_EQ(pixel(screen_, 100, 100), 0x1234);
  EXPECT_EQ(pixel(screen_, 101, 100), marker(2, 1));

  // Stretched to twice the size, the frame's last pixel reaches (227, 227).
  ASSERT_EQ(Draw_Scaled_BOB16(&bob_, 128, 128, screen_), 1);
  EXPECT_EQ(pixel(screen_, 227, 227), marker(64, 64));
  EXPECT_EQ(pixel(screen_, 228, 228), 0x1234);
}

TEST_F(Sprite, DrawingSkipsWhatIsNotThere) {
  make(2, BOB_VISIBLE);
  plat::fill(screen_, nullptr, 0x1234);
  Hide_BOB(&bob_);
  EXPECT_EQ(Draw_BOB16(&bob_, screen_), 1);
  EXPECT_EQ(pixel(screen_, 0, 0), 0x1234);
  Show_BOB(&bob_);
  for (int frame : {-1, 2, 64, 1000}) {
    bob_.curr_frame = frame;
    EXPECT_EQ(Draw_BOB16(&bob_, screen_), 0) << frame;
  }
  bob_.curr_frame = 0;
  EXPECT_EQ(Draw_BOB16(&bob_, nullptr), 0);
  BOB_TYP never_created{};
  never_created.attr = BOB_VISIBLE | BOB_CYCLE;
  never_created.num_frames = 2;
  EXPECT_EQ(Draw_BOB16(&never_created, screen_), 0);
  bob_.x = 3e30f;  // far off: no overflow, nothing to see
  EXPECT_EQ(pixel(screen_, 799, 599), 0x1234);
  Draw_BOB16(&bob_, screen_);
  EXPECT_EQ(pixel(screen_, 799, 599), 0x1234);
  EXPECT_EQ(Draw_BOB16(nullptr, screen_), 0);
}

std::vector<int> run(BOB_TYP* bob, int calls) {
  std::vector<int> frames;
  for (int i = 0; i < calls; ++i) {
    Animate_BOB(bob);
    frames.push_back(bob->curr_frame);
  }
  return frames;
}

TEST_F(Sprite, CyclesAtItsSpeed) {
  make(2, BOB_VISIBLE | BOB_CYCLE);
  Set_Anim_Speed_BOB(&bob_, 40);
  const std::vector<int> frames = run(&bob_, 80);
  EXPECT_EQ(frames[0], 0);
  EXPECT_EQ(frames[38], 0);
  EXPECT_EQ(frames[39], 1);
  EXPECT_EQ(frames[78], 1);
  EXPECT_EQ(frames[79], 0);

  Set_Anim_Speed_BOB(&bob_, 0);
  EXPECT_EQ(run(&bob_, 3), (std::vector<int>{1, 0, 1}));
  bob_.attr |= BOB_STILL;
  EXPECT_EQ(run(&bob_, 3), (std::vector<int>{0, 0, 0}));
}

TEST_F(Sprite, PlaysSequencesAndOneShots) {
  make(8, BOB_VISIBLE | BOB_SEQUENCED);
  const int sequence[] = {3, 5, 7};
  ASSERT_EQ(Load_Animation_BOB(&bob_, 0, 3, sequence), 1);
  bob_.curr_frame = 6;
  Set_Animation_BOB(&bob_, 0);
  EXPECT_EQ(bob_.curr_frame, 6);  // selecting keeps the old frame until the next step
  Set_Anim_Speed_BOB(&bob_, 1);
  EXPECT_EQ(run(&bob_, 6), (std::vector<int>{5, 7, 3, 5, 7, 3}));

  bob_.attr |= BOB_ONE_SHOT;
  Set_Animation_BOB(&bob_, 0);
  EXPECT_EQ(run(&bob_, 1), (std::vector<int>{5}));
  EXPECT_EQ(bob_.anim_done, 0);
  EXPECT_EQ(run(&bob_, 3), (std::vector<int>{7, 7, 7}));
  EXPECT_EQ(bob_.anim_done, 1);
}

TEST_F(Sprite, BadSequencesNeverReadOutsideTheirLists) {
  make(2, BOB_VISIBLE | BOB_SEQUENCED);
  Set_Anim_Speed_BOB(&bob_, 1);
  const int one[] = {1};
  EXPECT_EQ(Load_Animation_BOB(&bob_, 16, 1, one), 0);
  EXPECT_EQ(Load_Animation_BOB(&bob_, -1, 1, one), 0);
  EXPECT_EQ(Load_Animation_BOB(&bob_, 0, -1, one), 0);
  EXPECT_EQ(Set_Animation_BOB(&bob_, 16), 0);
  EXPECT_EQ(bob_.curr_sequence, 0);
  EXPECT_EQ(run(&bob_, 2), (std::vector<int>{0, 0}));  // empty slot: nothing happens
  ASSERT_EQ(Load_Animation_BOB(&bob_, 2, 0, nullptr), 1);
  Set_Animation_BOB(&bob_, 2);
  EXPECT_EQ(run(&bob_, 3), (std::vector<int>{0, 0, 0}));
  ASSERT_EQ(Load_Animation_BOB(&bob_, 2, 1, one), 1);  // replaces the old list
  bob_.seq_pos = 1000;
  bob_.attr |= BOB_ONE_SHOT;
  EXPECT_EQ(run(&bob_, 2), (std::vector<int>{1, 1}));
  bob_.curr_sequence = 99;
  EXPECT_EQ(Animate_BOB(&bob_), 1);
}

TEST_F(Sprite, WrapsAndBouncesAtTheClipRectangle) {
  make(1, BOB_VISIBLE);
  struct Case {
    const char* name;
    int attr;
    float x, y, xv, yv;
    float want_x, want_y, want_xv, want_yv;
  };
  const Case cases[] = {
      {"wrap right", BOB_WRAP, 800.5f, 10, 0, 0, -64, 10, 0, 0},
      {"wrap left", BOB_WRAP, -64.5f, 10, 0, 0, 799, 10, 0, 0},
      {"wrap bottom", BOB_WRAP, 10, 598, 0, 2, 10, -64, 0, 2},
      {"wrap top", BOB_WRAP, 10, -60, 0, -5, 10, 599, 0, -5},
      {"bounce right", BOB_BOUNCE, 735, 10, 5, 0, 740, 10, -5, 0},
      {"bounce top", BOB_BOUNCE, 10, 2, 0, -4, 10, -2, 0, 4},
      {"inside", BOB_BOUNCE, 100, 100, 5, 5, 105, 105, 5, 5},
      {"wrap wins over bounce", BOB_WRAP | BOB_BOUNCE, 798, 10, 5, 0, -64, 10, 5, 0},
  };
  for (const Case& c : cases) {
    bob_.attr = c.attr;
    bob_.x = c.x, bob_.y = c.y, bob_.xv = c.xv, bob_.yv = c.yv;
    ASSERT_EQ(Move_BOB(&bob_), 1);
    EXPECT_FLOAT_EQ(bob_.x, c.want_x) << c.name;
    EXPECT_FLOAT_EQ(bob_.y, c.want_y) << c.name;
    EXPECT_FLOAT_EQ(bob_.xv, c.want_xv) << c.name;
    EXPECT_FLOAT_EQ(bob_.yv, c.want_yv) << c.name;
  }
}

TEST(Collision, ReducedBoxesMeetWithinFortySevenPixels) {
  BOB_TYP a{}, b{};
  a.width = a.height = b.width = b.height = 64;
  b.x = 47;
  EXPECT_EQ(Collision_BOBS(&a, &b), 1);
  b.x = 48;
  EXPECT_EQ(Collision_BOBS(&a, &b), 0);
  b.x = -47.5f;  // truncation of the reference point, not rounding
  EXPECT_EQ(Collision_BOBS(&a, &b), 1);
  b.x = 0;
  b.y = 48;
  EXPECT_EQ(Collision_BOBS(&a, &b), 0);
  EXPECT_EQ(Collision_BOBS(&a, nullptr), 0);
}

TEST_F(Sprite, ClonesShareAndOnlyTheOwnerReleases) {
  make(2, BOB_VISIBLE);
  EXPECT_EQ(Clone_BOB(&bob_, &bob_), 0);
  EXPECT_EQ(Clone_BOB(&bob_, nullptr), 0);
  BOB_TYP copy{};
  ASSERT_EQ(Clone_BOB(&bob_, &copy), 1);
  EXPECT_TRUE(copy.attr & BOB_CLONE);
  EXPECT_EQ(copy.frames[1], bob_.frames[1]);
  EXPECT_EQ(Destroy_BOB(&copy), 1);
  EXPECT_EQ(copy.frames[0], nullptr);
  EXPECT_EQ(Draw_BOB16(&bob_, screen_), 1);  // the source still works
  EXPECT_EQ(pixel(screen_, 0, 0), marker(1, 1));
  EXPECT_EQ(Destroy_BOB(&bob_), 1);
  EXPECT_EQ(bob_.frames[0], nullptr);
  EXPECT_EQ(Destroy_BOB(&bob_), 1);  // a second destroy finds nothing
  EXPECT_EQ(Destroy_BOB(nullptr), 0);
}

TEST_F(Sprite, CreationSetsTheRecordUp) {
  EXPECT_EQ(Create_BOB(&bob_, 0, 0, 64, 64, 0, BOB_VISIBLE, 0, 0, 16), 0);
  EXPECT_EQ(Create_BOB(&bob_, 0, 0, 64, 64, 65, BOB_VISIBLE, 0, 0, 16), 0);
  EXPECT_EQ(Create_BOB(nullptr, 0, 0, 64, 64, 1, 0, 0, 0, 16), 0);
  ASSERT_EQ(Create_BOB(&bob_, 12, -7, 32, 16, 3, 18, DDSCAPS_SYSTEMMEMORY, 0, 16), 1);
  EXPECT_EQ(bob_.state, 1);
  EXPECT_FLOAT_EQ(bob_.x, 12);
  EXPECT_FLOAT_EQ(bob_.y, -7);
  EXPECT_EQ(bob_.num_frames, 3);
  EXPECT_EQ(bob_.attr, 18);
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(bob_.frames[i], nullptr);
    EXPECT_EQ(bob_.frames[i]->width, 32);
    EXPECT_EQ(bob_.frames[i]->color_key, 0u);
  }
  EXPECT_EQ(bob_.frames[3], nullptr);
  EXPECT_EQ(Create_BOB(&copy_, 0, 0, 0, 64, 2, 0, 0, 0, 16), 0);  // no surface of width 0
  Destroy_BOB(&copy_);
  EXPECT_EQ(Scroll_BOB(), 1);
  EXPECT_EQ(Set_Pos_BOB(&bob_, 5, 6), 1);
  EXPECT_EQ(Set_Vel_BOB(&bob_, -1, 2), 1);
  EXPECT_FLOAT_EQ(bob_.x + bob_.yv, 7);
}

}  // namespace
