#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/ddraw.h"
#include "platform/blit_kernels.h"
#include "shell/winmain.h"

namespace {

uint16_t px(const plat::Surface* s, int x, int y) {
  return reinterpret_cast<const uint16_t*>(s->memory + y * s->pitch)[x];
}

void put(plat::Surface* s, int x, int y, uint16_t v) {
  reinterpret_cast<uint16_t*>(s->memory + y * s->pitch)[x] = v;
}

TEST(ColourPacking, Examples) {
  struct Case {
    USHORT (*pack)(int, int, int);
    int r, g, b;
    USHORT word;
  } cases[] = {
      {RGB16Bit565, 255, 255, 255, 0xFFFF},
      {RGB16Bit565, 255, 0, 0, 0xF800},
      {RGB16Bit565, 0, 255, 0, 0x07E0},
      {RGB16Bit565, 0, 0, 255, 0x001F},
      {RGB16Bit565, 7, 3, 7, 0},
      {RGB16Bit555, 255, 0, 0, 0x7C00},
      {RGB16Bit555, 0, 255, 0, 0x03E0},
      {RGB16Bit565, 256 + 8, 0, 0, 0x0800},
  };
  for (const Case& c : cases) EXPECT_EQ(c.pack(c.r, c.g, c.b), c.word) << c.r << "," << c.g;
}

TEST(ClipperBound, CoversTheListOrStaysInverted) {
  plat::Rect two[] = {{10, 10, 20, 20}, {5, 15, 30, 18}};
  plat::Rect b = DDraw_Clip_Bound(2, two);
  EXPECT_EQ(b.left, 5);
  EXPECT_EQ(b.top, 10);
  EXPECT_EQ(b.right, 30);
  EXPECT_EQ(b.bottom, 20);
  plat::Rect none = DDraw_Clip_Bound(0, nullptr);
  EXPECT_EQ(none.left, 64000);
  EXPECT_EQ(none.top, 64000);
  EXPECT_EQ(none.right, -64000);
  EXPECT_EQ(none.bottom, -64000);
}

class Display : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::reset_windows();
    plat::WindowClass wc{"DISPLAYTEST", WindowProc};
    ASSERT_TRUE(plat::register_class(wc));
    main_window_handle = plat::create_window("DISPLAYTEST", "t", 0, 0, 800, 600);
    ASSERT_NE(main_window_handle, nullptr);
    ASSERT_EQ(DDraw_Init(800, 600, 16, 1), 1);
  }
  void TearDown() override {
    DDraw_Shutdown();
    plat::reset_windows();
    main_window_handle = nullptr;
  }
};

TEST_F(Display, OpensWindowedAt565WithAClipperOverTheScreen) {
  EXPECT_EQ(dd_pixel_format, 16);
  EXPECT_EQ(RGB16Bit, &RGB16Bit565);
  EXPECT_EQ(screen_windowed, 1);
  EXPECT_EQ(min_clip_x, 0);
  EXPECT_EQ(max_clip_x, 799);
  EXPECT_EQ(min_clip_y, 0);
  EXPECT_EQ(max_clip_y, 599);
  ASSERT_NE(lpddclipper, nullptr);
  ASSERT_EQ(lpddclipper->rects.size(), 1u);
  EXPECT_EQ(lpddclipper->rects[0].right, 800);
  EXPECT_EQ(lpddclipper->rects[0].bottom, 600);
  EXPECT_EQ(lpddsback->width, 800);
  EXPECT_EQ(lpddsback->bpp, 16);
  EXPECT_GE(lpddsback->pitch, 1600);
}

TEST_F(Display, BackBufferLockIsCountedOnceAndBlocksTheFlip) {
  UCHAR* first = DDraw_Lock_Back_Surface();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(DDraw_Lock_Back_Surface(), first);
  EXPECT_EQ(lpddsback->lock_count, 1);
  EXPECT_GE(back_lpitch, 1600);
  EXPECT_EQ(DDraw_Flip(), 0);
  EXPECT_EQ(DDraw_Unlock_Back_Surface(), 1);
  EXPECT_EQ(DDraw_Unlock_Back_Surface(), 0);
  EXPECT_EQ(back_lpitch, 0);
  EXPECT_EQ(DDraw_Flip(), 1);
  EXPECT_EQ(DDraw_Unlock_Primary_Surface(), 0);
  EXPECT_EQ(DDraw_Lock_Surface(nullptr, nullptr), nullptr);
  EXPECT_EQ(DDraw_Unlock_Surface(nullptr), 0);
}

TEST_F(Display, FlipCopiesTheBackBufferIntoThePrimary) {
  DDraw_Fill_Surface(lpddsback, 0x1234, nullptr);
  ASSERT_EQ(DDraw_Flip(), 1);
  // The window's client area is what the primary shows here.
  EXPECT_EQ(px(lpddsprimary, 0, 0), 0x1234);
  EXPECT_EQ(px(lpddsprimary, lpddsprimary->width - 1, lpddsprimary->height - 1), 0x1234);
}

TEST_F(Display, FillWholeOrRectangle) {
  DDraw_Fill_Surface(lpddsback, 0xFFFF, nullptr);
  EXPECT_EQ(px(lpddsback, 0, 0), 0xFFFF);
  EXPECT_EQ(px(lpddsback, 799, 599), 0xFFFF);
  plat::Rect r{10, 20, 30, 25};
  DDraw_Fill_Surface(lpddsback, 0, &r);
  EXPECT_EQ(px(lpddsback, 10, 20), 0);
  EXPECT_EQ(px(lpddsback, 29, 24), 0);
  EXPECT_EQ(px(lpddsback, 30, 24), 0xFFFF);
  EXPECT_EQ(px(lpddsback, 29, 25), 0xFFFF);
  EXPECT_EQ(px(lpddsback, 9, 20), 0xFFFF);
  // A rectangle reaching past the edges is cut, not written outside.
  plat::Rect wide{-50, -50, 900, 700};
  DDraw_Fill_Surface(lpddsback, 7, &wide);
  EXPECT_EQ(px(lpddsback, 799, 599), 7);
}

// A 4x4 sprite: key 0 in the corners, distinct values elsewhere.
plat::Surface* make_sprite() {
  plat::Surface* s = DDraw_Create_Surface(4, 4, DDSCAPS_SYSTEMMEMORY, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) put(s, x, y, static_cast<uint16_t>(1 + y * 4 + x));
  put(s, 0, 0, 0);
  put(s, 3, 3, 0);
  return s;
}

TEST_F(Display, KeyedBlitSkipsKeyPixelsAndIsCutAtEveryEdge) {
  plat::Surface* sprite = make_sprite();
  struct Case {
    int x, y;
  } cases[] = {{100, 100}, {-2, 50}, {798, 50}, {50, -3}, {50, 598}, {-3, -3}, {799, 599}};
  for (const Case& c : cases) {
    DDraw_Fill_Surface(lpddsback, 0xAAAA, nullptr);
    plat::Rect dest{c.x, c.y, c.x + 4, c.y + 4};
    ASSERT_TRUE(plat::blit(lpddsback, &dest, sprite, nullptr, true));
    for (int y = -1; y < 5; ++y)
      for (int x = -1; x < 5; ++x) {
        int dx = c.x + x, dy = c.y + y;
        if (dx < 0 || dy < 0 || dx >= 800 || dy >= 600) continue;
        bool inside = x >= 0 && y >= 0 && x < 4 && y < 4;
        uint16_t want = 0xAAAA;
        if (inside && !((x == 0 && y == 0) || (x == 3 && y == 3))) want = 1 + y * 4 + x;
        ASSERT_EQ(px(lpddsback, dx, dy), want) << c.x << "," << c.y << " at " << x << "," << y;
      }
  }
  plat::release_surface(sprite);
}

TEST_F(Display, StretchedBlitPicksNearestSourcePixels) {
  plat::Surface* sprite = make_sprite();
  DDraw_Fill_Surface(lpddsback, 0xAAAA, nullptr);
  plat::Rect dest{10, 10, 18, 18};  // twice the size
  ASSERT_TRUE(plat::blit(lpddsback, &dest, sprite, nullptr, true));
  EXPECT_EQ(px(lpddsback, 10, 10), 0xAAAA);  // key corner, two by two
  EXPECT_EQ(px(lpddsback, 11, 11), 0xAAAA);
  EXPECT_EQ(px(lpddsback, 12, 10), 2);
  EXPECT_EQ(px(lpddsback, 13, 11), 2);
  EXPECT_EQ(px(lpddsback, 17, 10), 4);
  EXPECT_EQ(px(lpddsback, 17, 17), 0xAAAA);
  EXPECT_EQ(px(lpddsback, 18, 10), 0xAAAA);
  // Shrunk and partly off the left edge: still inside both surfaces.
  plat::Rect small{-1, 0, 1, 2};
  EXPECT_TRUE(plat::blit(lpddsback, &small, sprite, nullptr, true));
  EXPECT_EQ(px(lpddsback, 0, 0), 3);
  plat::release_surface(sprite);
}

TEST_F(Display, BlitRefusesSourceRectanglesOutsideTheSource) {
  plat::Surface* sprite = make_sprite();
  plat::Rect dest{0, 0, 4, 4};
  plat::Rect outside{2, 2, 6, 6};
  EXPECT_FALSE(plat::blit(lpddsback, &dest, sprite, &outside, true));
  plat::Rect empty{2, 2, 2, 6};
  EXPECT_FALSE(plat::blit(lpddsback, &dest, sprite, &empty, true));
  plat::release_surface(sprite);
}

TEST_F(Display, ClipperWithSeveralRectanglesCutsToTheirUnion) {
  plat::Surface* target = DDraw_Create_Surface(8, 4, 0, 0);
  plat::Rect list[] = {{0, 0, 2, 4}, {6, 1, 8, 2}};
  plat::Clipper* clipper = DDraw_Attach_Clipper(target, 2, list);
  ASSERT_NE(clipper, nullptr);
  DDraw_Fill_Surface(target, 9, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      bool in = x < 2 || (x >= 6 && y == 1);
      EXPECT_EQ(px(target, x, y), in ? 9 : 0) << x << "," << y;
    }
  plat::release_clipper(clipper);
  plat::release_surface(target);
}

TEST(BlitKernels, FastKernelsMatchTheReference) {
  std::mt19937 rng(7);
  for (int count : {0, 1, 7, 8, 15, 16, 17, 31, 64, 100, 801}) {
    std::vector<uint16_t> src(count), a(count), b(count);
    std::vector<uint8_t> src8(count), a8(count), b8(count);
    for (int i = 0; i < count; ++i) {
      src[i] = rng() % 3 == 0 ? 0x5555 : static_cast<uint16_t>(rng());
      a[i] = b[i] = static_cast<uint16_t>(rng());
      src8[i] = rng() % 3 == 0 ? 9 : static_cast<uint8_t>(rng());
      a8[i] = b8[i] = static_cast<uint8_t>(rng());
    }
    plat::keyed_row16(a.data(), src.data(), count, 0x5555);
    plat::keyed_row16_reference(b.data(), src.data(), count, 0x5555);
    EXPECT_EQ(a, b) << count;
    plat::keyed_row8(a8.data(), src8.data(), count, 9);
    plat::keyed_row8_reference(b8.data(), src8.data(), count, 9);
    EXPECT_EQ(a8, b8) << count;
    std::vector<uint32_t> wide(count), wide_ref(count);
    plat::rgb565_to_xrgb(wide.data(), src.data(), count);
    plat::rgb565_to_xrgb_reference(wide_ref.data(), src.data(), count);
    EXPECT_EQ(wide, wide_ref) << count;
    plat::fill_row16(a.data(), count, 0x1357);
    EXPECT_EQ(std::count(a.begin(), a.end(), 0x1357), count);
  }
  // Whole rectangles, including widths that end in a partial block.
  for (int width : {1, 5, 16, 17, 37, 64}) {
    const int h = 3, pitch = 160;
    std::vector<uint8_t> src(pitch * h), a(pitch * h), b(pitch * h);
    for (size_t i = 0; i < src.size(); i += 2) {
      uint16_t v = rng() % 2 ? 0 : static_cast<uint16_t>(rng());
      std::memcpy(&src[i], &v, 2);
      a[i] = b[i] = static_cast<uint8_t>(rng());
    }
    plat::keyed_rect16(a.data() + 2, pitch, src.data(), pitch, width, h, 0);
    plat::keyed_rect16_reference(b.data() + 2, pitch, src.data(), pitch, width, h, 0);
    EXPECT_EQ(a, b) << width;
  }
  uint32_t white;
  uint16_t w = 0xFFFF;
  plat::rgb565_to_xrgb_reference(&white, &w, 1);
  EXPECT_EQ(white, 0xFFFFFFu);
}

}  // namespace
