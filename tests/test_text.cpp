#include <gtest/gtest.h>

#include <vector>

#include "engine/ddraw.h"
#include "engine/text.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace {

constexpr uint16_t kBackground = 0x1234;

struct Canvas {
  plat::Surface* s;
  explicit Canvas(int w, int h) : s(plat::create_surface(w, h, 16)) {
    plat::fill(s, nullptr, kBackground);
  }
  ~Canvas() { plat::release_surface(s); }
  uint16_t at(int x, int y) const {
    return reinterpret_cast<const uint16_t*>(s->memory + y * s->pitch)[x];
  }
  // Pixels that are no longer the background, by value.
  std::vector<uint16_t> changed() const {
    std::vector<uint16_t> out;
    for (int y = 0; y < s->height; ++y)
      for (int x = 0; x < s->width; ++x)
        if (at(x, y) != kBackground) out.push_back(at(x, y));
    return out;
  }
  int changed_in(int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += at(x, y) != kBackground;
    return n;
  }
};

TEST(DrawText, EmptyTextDrawsNothingAndSucceeds) {
  Canvas c(64, 32);
  EXPECT_EQ(1, Draw_Text_GDI("", 5, 5, COLORREF{0xFFFFFF}, c.s));
  EXPECT_TRUE(c.changed().empty());
}

TEST(DrawText, ColourValuesDrawOnlyTheCharactersInThatColour) {
  struct Case {
    COLORREF color;
    uint16_t pixel;
  } cases[] = {{255, 0xF800}, {0xFFFFFF, 0xFFFF}, {0x00FF00, 0x07E0}, {0xFF0000, 0x001F}};
  for (const Case& k : cases) {
    Canvas c(200, 30);
    ASSERT_EQ(1, Draw_Text_GDI("Hit Points:  [100]", 2, 2, k.color, c.s));
    std::vector<uint16_t> px = c.changed();
    ASSERT_GT(px.size(), 50u);
    for (uint16_t p : px) ASSERT_EQ(k.pixel, p);
    // Transparent background: inside the text's box most pixels stay.
    EXPECT_LT(px.size(), 200u * 14 / 2);
  }
}

TEST(DrawText, DifferentTextsGiveDifferentPictures) {
  Canvas a(80, 20), b(80, 20);
  Draw_Text_GDI("Move", 0, 0, COLORREF{0xFFFFFF}, a.s);
  Draw_Text_GDI("Quit", 0, 0, COLORREF{0xFFFFFF}, b.s);
  EXPECT_NE(a.changed_in(0, 0, 80, 20), 0);
  bool differ = false;
  for (int y = 0; y < 20 && !differ; ++y)
    for (int x = 0; x < 80 && !differ; ++x) differ = a.at(x, y) != b.at(x, y);
  EXPECT_TRUE(differ);
}

TEST(DrawText, LinesFifteenPixelsApartStayApart) {
  int h = plat::text_line_height();
  EXPECT_GE(h, 11);  // readable
  EXPECT_LE(h, 15);
  Canvas c(300, 60);
  Draw_Text_GDI("Defense:  [10]     +[0] Defend bonus", 0, 20, COLORREF{0xFFFFFF}, c.s);
  // Every pixel of a line lies in its own 15-pixel band, descenders included.
  EXPECT_EQ(0, c.changed_in(0, 0, 300, 20));
  EXPECT_EQ(0, c.changed_in(0, 35, 300, 60));
  EXPECT_GT(c.changed_in(0, 20, 300, 35), 0);
}

TEST(DrawText, PaletteFormUsesTheEntryAsItIsAtTheCall) {
  palette[5] = {255, 0, 0, 0};
  Canvas c(100, 20);
  ASSERT_EQ(1, Draw_Text_GDI("Attack", 0, 0, 5, c.s));
  for (uint16_t p : c.changed()) ASSERT_EQ(0xF800, p);
  palette[5] = {0, 0, 255, 0};
  Canvas d(100, 20);
  ASSERT_EQ(1, Draw_Text_GDI("Attack", 0, 0, 5, d.s));
  ASSERT_FALSE(d.changed().empty());
  for (uint16_t p : d.changed()) ASSERT_EQ(0x001F, p);
}

TEST(DrawText, BadArgumentsFailWithoutDrawing) {
  Canvas c(100, 20);
  EXPECT_EQ(0, Draw_Text_GDI("Move", 0, 0, COLORREF{255}, nullptr));
  EXPECT_EQ(0, Draw_Text_GDI(nullptr, 0, 0, COLORREF{255}, c.s));
  EXPECT_EQ(0, Draw_Text_GDI("Move", 0, 0, 256, c.s));
  EXPECT_EQ(0, Draw_Text_GDI("Move", 0, 0, -1, c.s));
  int32_t pitch = 0;
  plat::lock(c.s, &pitch);
  EXPECT_EQ(0, Draw_Text_GDI("Move", 0, 0, COLORREF{255}, c.s));
  plat::unlock(c.s);
  EXPECT_TRUE(c.changed().empty());
}

TEST(DrawText, TextPastTheEdgesIsCut) {
  // Running off the right edge must not wrap into the next row's start.
  Canvas c(40, 40);
  EXPECT_EQ(1, Draw_Text_GDI("WWWWWWWW", 30, 10, COLORREF{0xFFFFFF}, c.s));
  EXPECT_GT(c.changed_in(30, 10, 40, 25), 0);
  EXPECT_EQ(0, c.changed_in(0, 0, 30, 40));
  // Off the top, bottom and left: only what lies inside is drawn.
  Canvas d(40, 40);
  EXPECT_EQ(1, Draw_Text_GDI("WWWWWWWW", -30, -6, COLORREF{0xFFFFFF}, d.s));
  EXPECT_EQ(1, Draw_Text_GDI("WWWWWWWW", 0, 35, COLORREF{0xFFFFFF}, d.s));
  EXPECT_EQ(1, Draw_Text_GDI("WWWW", 5000, -5000, COLORREF{0xFFFFFF}, d.s));
  EXPECT_GT(d.changed_in(0, 0, 40, 8), 0);
  EXPECT_GT(d.changed_in(0, 35, 40, 40), 0);
}

TEST(DrawText, EightBitSurfacesTakeTheNearestPaletteColour) {
  plat::Surface* s = plat::create_surface(60, 20, 8);
  EXPECT_EQ(0, Draw_Text_GDI("Move", 0, 0, COLORREF{255}, s));  // no palette: no context
  plat::PaletteEntry entries[256] = {};
  entries[9] = {250, 5, 0, 0};
  plat::Palette* pal = plat::create_palette(entries);
  s->palette = pal;
  EXPECT_EQ(1, Draw_Text_GDI("Move", 0, 0, COLORREF{255}, s));
  int drawn = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      uint8_t p = s->memory[y * s->pitch + x];
      ASSERT_TRUE(p == 0 || p == 9);
      drawn += p == 9;
    }
  EXPECT_GT(drawn, 10);
  s->palette = nullptr;
  plat::release_palette(pal);
  plat::release_surface(s);
}

}  // namespace
