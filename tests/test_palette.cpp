#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ddraw.h"
#include "engine/palette.h"
#include "engine/transition.h"
#include "engine_fixture.h"
#include "platform/display.h"

namespace {

bool operator==(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
}

PALETTEENTRY entry(int r, int g, int b, int f = 0) {
  return {uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(f)};
}

PALETTEENTRY device(int index) {
  PALETTEENTRY e{};
  plat::get_palette_entries(lpddpal, index, 1, &e);
  return e;
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A device palette of our own, as an 8-bit display start-up makes it.
class Palette : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 256; ++i) palette[i] = entry(i, 255 - i, i / 2, 0);
    lpddpal = plat::create_palette(palette);
    path_ = ::testing::TempDir() + "palette_test.pal";
  }
  void TearDown() override {
    for (int id = 0; id < 256; ++id) Blink_Colors(BLINKER_DELETE, nullptr, id);
    plat::release_palette(lpddpal);
    lpddpal = nullptr;
    std::remove(path_.c_str());
  }
  std::string path_;
};

TEST_F(Palette, EntriesGoToDeviceAndEngineCopy) {
  PALETTEENTRY red = entry(255, 0, 0, 2), got{};
  EXPECT_EQ(Set_Palette_Entry(17, &red), 1);
  EXPECT_TRUE(device(17) == red);
  EXPECT_EQ(Get_Palette_Entry(17, &got), 1);
  EXPECT_TRUE(got == red);
  // Indices outside the palette and null entries are refused untouched.
  for (int bad : {-1, 256, 100000}) {
    EXPECT_EQ(Set_Palette_Entry(bad, &red), 0);
    EXPECT_EQ(Get_Palette_Entry(bad, &got), 0);
  }
  EXPECT_EQ(Set_Palette_Entry(3, nullptr), 0);

  PALETTEENTRY whole[256], saved[256];
  for (int i = 0; i < 256; ++i) whole[i] = entry(1, 2, i, 0);
  EXPECT_EQ(Set_Palette(whole), 1);
  EXPECT_EQ(Save_Palette(saved), 1);
  for (int i = 0; i < 256; ++i) {
    EXPECT_TRUE(saved[i] == whole[i]);
    EXPECT_TRUE(device(i) == whole[i]);
  }
}

TEST_F(Palette, WithoutDevicePaletteOnlyTheEngineCopyChanges) {
  plat::release_palette(lpddpal);
  lpddpal = nullptr;
  PALETTEENTRY blue = entry(0, 0, 255);
  EXPECT_EQ(Set_Palette_Entry(5, &blue), 1);
  EXPECT_TRUE(palette[5] == blue);
  PALETTEENTRY before[256];
  Save_Palette(before);
  EXPECT_EQ(Rotate_Colors(0, 10), 0);
  for (int i = 0; i < 256; ++i) EXPECT_TRUE(palette[i] == before[i]);
  BLINKER_TYP light{9, entry(9, 9, 9), entry(1, 1, 1), 1, 1, 0, 0};
  int id = Blink_Colors(BLINKER_ADD, &light, 0);
  EXPECT_GE(id, 0);
  EXPECT_EQ(Blink_Colors(BLINKER_RUN, nullptr, 0), 1);
}

TEST_F(Palette, FileRoundTripAndFormat) {
  PALETTEENTRY original[256], loaded[256] = {};
  for (int i = 0; i < 256; ++i) original[i] = entry(i, (i * 7) & 255, 255 - i, i & 3);
  ASSERT_EQ(Save_Palette_To_File(path_.c_str(), original), 1);
  std::stringstream text;
  text << std::ifstream(path_).rdbuf();
  EXPECT_EQ(text.str().substr(0, 25), "\n0 0 255 0\n1 7 254 1\n2 14");
  EXPECT_NE(text.str().back(), '\n');
  ASSERT_EQ(Load_Palette_From_File(path_.c_str(), loaded), 1);
  for (int i = 0; i < 256; ++i) EXPECT_TRUE(loaded[i] == original[i]) << i;
}

TEST_F(Palette, FileNumbersKeepTheirLowBitsAndShortFilesKeepTheRest) {
  PALETTEENTRY p[256];
  for (auto& e : p) e = entry(1, 2, 3, 4);
  // Any white space separates the numbers; the file ends inside entry 2.
  write_file(path_, "300 -1 256\n0   10\t20 30 40 50 60");
  ASSERT_EQ(Load_Palette_From_File(path_.c_str(), p), 1);
  EXPECT_TRUE(p[0] == entry(44, 255, 0, 0));
  EXPECT_TRUE(p[1] == entry(10, 20, 30, 40));
  EXPECT_TRUE(p[2] == entry(50, 60, 3, 4));
  EXPECT_TRUE(p[255] == entry(1, 2, 3, 4));

  write_file(path_, "7 8 junk 9 9 9 9");  // reading stops at the text
  for (auto& e : p) e = entry(1, 2, 3, 4);
  ASSERT_EQ(Load_Palette_From_File(path_.c_str(), p), 1);
  EXPECT_TRUE(p[0] == entry(7, 8, 3, 4));
  EXPECT_TRUE(p[1] == entry(1, 2, 3, 4));

  EXPECT_EQ(Load_Palette_From_File("/no/such/dir/x.pal", p), 0);
  EXPECT_TRUE(p[0] == entry(7, 8, 3, 4));
  EXPECT_EQ(Save_Palette_To_File("/no/such/dir/x.pal", p), 0);
}

TEST_F(Palette, RotationMovesColoursUpAndWraps) {
  const PALETTEENTRY p = entry(1, 0, 0), q = entry(2, 0, 0), r = entry(3, 0, 0), s = entry(4, 0, 0);
  Set_Palette_Entry(10, const_cast<PALETTEENTRY*>(&p));
  Set_Palette_Entry(11, const_cast<PALETTEENTRY*>(&q));
  Set_Palette_Entry(12, const_cast<PALETTEENTRY*>(&r));
  Set_Palette_Entry(13, const_cast<PALETTEENTRY*>(&s));
  const PALETTEENTRY outside9 = palette[9], outside14 = palette[14];
  ASSERT_EQ(Rotate_Colors(10, 13), 1);
  PALETTEENTRY got{};
  Get_Palette_Entry(10, &got);  // the engine copy follows the device
  EXPECT_TRUE(got == s);
  EXPECT_TRUE(palette[11] == p && palette[12] == q && palette[13] == r);
  EXPECT_TRUE(palette[9] == outside9 && palette[14] == outside14);
  for (int i = 0; i < 3; ++i) Rotate_Colors(10, 13);
  EXPECT_TRUE(palette[10] == p && palette[11] == q && palette[12] == r && palette[13] == s);

  EXPECT_EQ(Rotate_Colors(20, 20), 1);
  EXPECT_TRUE(palette[20] == entry(20, 235, 10));
  EXPECT_EQ(Rotate_Colors(0, 255), 1);
  EXPECT_TRUE(palette[0] == entry(255, 0, 127));
  // Backwards or outside the palette: refused, nothing moves.
  for (auto range : {std::pair{13, 10}, std::pair{-1, 5}, std::pair{250, 256}}) {
    EXPECT_EQ(Rotate_Colors(range.first, range.second), 0);
    EXPECT_TRUE(palette[0] == entry(255, 0, 127));
  }
}

TEST_F(Palette, LightBlinksOffFiveOnThree) {
  const PALETTEENTRY before = device(40);
  EXPECT_EQ(Blink_Colors(BLINKER_RUN, nullptr, 0), 1);  // nothing added: nothing written
  EXPECT_TRUE(device(40) == before);

  BLINKER_TYP light{40, entry(200, 200, 0), entry(10, 10, 0), 3, 5, 99, 7};
  const int id = Blink_Colors(BLINKER_ADD, &light, 0);
  ASSERT_EQ(id, 0);
  const PALETTEENTRY on = light.on_entry, off = light.off_entry;
  std::string seen;
  seen += device(40) == off ? '-' : '+';
  for (int run = 0; run < 16; ++run) {
    Blink_Colors(BLINKER_RUN, nullptr, 0);
    seen += device(40) == off ? '-' : device(40) == on ? '+' : '?';
  }
  EXPECT_EQ(seen, "-----+++-----+++-");
  EXPECT_TRUE(palette[40] == entry(40, 215, 20));  // lights leave the engine copy alone

  // Update takes colours and frame counts, not the index or the phase.
  BLINKER_TYP changed{77, entry(1, 2, 3), entry(4, 5, 6), 1, 1, 0, 1};
  EXPECT_EQ(Blink_Colors(BLINKER_UPDATE, &changed, id), id);
  EXPECT_TRUE(device(40) == entry(4, 5, 6));  // still off
  EXPECT_TRUE(device(77) == entry(77, 178, 38));
  Blink_Colors(BLINKER_RUN, nullptr, 0);
  EXPECT_TRUE(device(40) == entry(1, 2, 3));
  Blink_Colors(BLINKER_RUN, nullptr, 0);
  EXPECT_TRUE(device(40) == entry(4, 5, 6));

  EXPECT_EQ(Blink_Colors(BLINKER_DELETE, nullptr, id), id);
  Blink_Colors(BLINKER_RUN, nullptr, 0);
  EXPECT_TRUE(device(40) == entry(4, 5, 6));  // keeps its last colour
  EXPECT_EQ(Blink_Colors(BLINKER_DELETE, nullptr, id), -1);
  EXPECT_EQ(Blink_Colors(BLINKER_UPDATE, &changed, id), -1);
  EXPECT_EQ(Blink_Colors(9, nullptr, 0), 1);
}

TEST_F(Palette, LightTableFillsAndReusesFreedIds) {
  BLINKER_TYP light{1, entry(1, 1, 1), entry(0, 0, 0), 2, 2, 0, 0};
  for (int i = 0; i < 256; ++i) ASSERT_EQ(Blink_Colors(BLINKER_ADD, &light, 0), i);
  EXPECT_EQ(Blink_Colors(BLINKER_ADD, &light, 0), -1);
  EXPECT_EQ(Blink_Colors(BLINKER_DELETE, nullptr, 7), 7);
  EXPECT_EQ(Blink_Colors(BLINKER_ADD, &light, 0), 7);
  // Ids and palette indices outside 0..255 are refused.
  for (int bad : {-1, 256}) {
    EXPECT_EQ(Blink_Colors(BLINKER_DELETE, nullptr, bad), -1);
    EXPECT_EQ(Blink_Colors(BLINKER_UPDATE, &light, bad), -1);
  }
  Blink_Colors(BLINKER_DELETE, nullptr, 3);
  BLINKER_TYP stray{300, entry(1, 1, 1), entry(0, 0, 0), 2, 2, 0, 0};
  EXPECT_EQ(Blink_Colors(BLINKER_ADD, &stray, 0), -1);
  EXPECT_EQ(Blink_Colors(BLINKER_ADD, nullptr, 0), -1);
}

// The 8-bit display: the back buffer is shown in the window through the
// device palette, so changing the palette changes the picture.
class Display8 : public ::testing::Test {
 protected:
  void SetUp() override {
    VirtualClock::install();
    dir_ = ::testing::TempDir() + "display8_XXXXXX";
    ASSERT_NE(mkdtemp(dir_.data()), nullptr);
    ASSERT_EQ(getcwd(cwd_, sizeof cwd_), cwd_);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    PALETTEENTRY file[256];
    for (int i = 0; i < 256; ++i) file[i] = entry(i, 255 - i, 255, 1);
    Save_Palette_To_File("PALDATA2.PAL", file);
    ASSERT_TRUE(open_main_window(320, 240));
  }
  void TearDown() override {
    DDraw_Shutdown();
    plat::set_desktop_bits(16);
    plat::set_clock_source(nullptr);
    std::remove("PALDATA2.PAL");
    EXPECT_EQ(chdir(cwd_), 0);
    rmdir(dir_.c_str());
    plat::reset_windows();
  }
  // The colour the window shows at (x, y), as 0xRRGGBB.
  uint32_t window_pixel(int x, int y) {
    auto* sdl = static_cast<SDL_Window*>(plat::native_window(main_window_handle));
    SDL_Surface* s = SDL_GetWindowSurface(sdl);
    if (!s) return 0xDEADBEEF;
    uint32_t raw = 0;
    std::memcpy(&raw, static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
    uint8_t r, g, b;
    SDL_GetRGB(raw, s->format, &r, &g, &b);
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
  }
  std::string dir_;
  char cwd_[4096];
};

TEST_F(Display8, WindowedPaletteMarksTheSystemEntriesAndAFadeShows) {
  plat::set_desktop_bits(8);
  ASSERT_EQ(DDraw_Init(320, 240, 8, 1), 1);
  ASSERT_NE(lpddpal, nullptr);
  ASSERT_EQ(lpddsback->bpp, 8);
  for (int i : {0, 9, 246, 255}) EXPECT_EQ(device(i).flags, 2) << i;
  for (int i : {10, 128, 245}) EXPECT_EQ(device(i).flags, 1) << i;
  EXPECT_TRUE(palette[200] == entry(200, 55, 255, 1));

  DDraw_Fill_Surface(lpddsback, 200, nullptr);
  ASSERT_EQ(DDraw_Flip(), 1);
  EXPECT_EQ(window_pixel(10, 10), 0xC837FFu);

  Screen_Transitions(SCREEN_FADE_BLACK, nullptr, 0);
  // 200, 55 and 255 after 80 steps of 3 (or down to 0 once at 4 or less).
  EXPECT_EQ(window_pixel(10, 10), 0x00000Fu);
  EXPECT_TRUE(device(0) == entry(0, 255, 255, 2));  // entry 0 is not faded
}

TEST_F(Display8, FullScreenPaletteTakesEveryEntryAsItStands) {
  ASSERT_EQ(DDraw_Init(320, 240, 8, 0), 1);
  ASSERT_NE(lpddpal, nullptr);
  ASSERT_EQ(lpddsback->bpp, 8);
  for (int i = 0; i < 256; ++i) ASSERT_TRUE(device(i) == entry(i, 255 - i, 255, 1)) << i;
  DDraw_Fill_Surface(lpddsback, 7, nullptr);
  ASSERT_EQ(DDraw_Flip(), 1);
  EXPECT_EQ(window_pixel(3, 3), 0x07F8FFu);
  PALETTEENTRY green = entry(0, 255, 0);
  Set_Palette_Entry(7, &green);
  EXPECT_EQ(window_pixel(3, 3), 0x00FF00u);
}

TEST_F(Display8, SixteenBitDisplayHasNoDevicePalette) {
  ASSERT_EQ(DDraw_Init(320, 240, 16, 1), 1);
  EXPECT_EQ(lpddpal, nullptr);
  PALETTEENTRY before[256];
  Save_Palette(before);
  EXPECT_EQ(Rotate_Colors(0, 255), 0);
  Screen_Transitions(SCREEN_FADE_WHITE, nullptr, 0);  // returns at once, changes nothing
  for (int i = 0; i < 256; ++i) EXPECT_TRUE(palette[i] == before[i]);
}

}  // namespace
