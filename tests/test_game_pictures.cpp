// The generated pictures load through our reader as the game cuts them, and a
// contact sheet of all fifteen sprites is saved for a look.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/bitmap_file.h"
#include "engine/ddraw.h"
#include "game/assets.h"
#include "game/sprites.h"
#include "game/units.h"
#include "shell/winmain.h"
#include "tools/png_writer.h"

namespace {

struct PictureFile {
  const char* name;
  BOB_TYP* sprite;
  int frame_w, frame_h, frames;
};

const PictureFile kPictures[] = {
    {"TERRAINTEXTURES.BMP", &textures, 64, 64, 8},
    {"CURSER.BMP", &curser, 64, 64, 2},
    {"ZURORU.BMP", &zuroru, 64, 64, 2},
    {"ZURORURANGER.BMP", &zuroru_ranger, 64, 64, 2},
    {"ZURORUHORSEMEN.BMP", &zuroru_horsemen, 64, 64, 2},
    {"SABRA.BMP", &sabra, 64, 64, 2},
    {"SABRARANGER.BMP", &sabra_ranger, 64, 64, 2},
    {"SABRAHORSEMEN.BMP", &sabra_horsemen, 64, 64, 2},
    {"BALDUR.BMP", &baldur, 64, 64, 2},
    {"BALDURRANGER.BMP", &baldur_ranger, 64, 64, 2},
    {"BALDURHORSEMEN.BMP", &baldur_horsemen, 64, 64, 2},
    {"ENEMYBOSS.BMP", &enemyboss, 64, 64, 2},
    {"ENEMYMINION.BMP", &enemyminion, 64, 64, 2},
    {"VICTORY.BMP", &victory, 500, 154, 1},
    {"DEFEAT.BMP", &defeat, 500, 154, 1},
};

std::vector<uint8_t> read_file(const char* name) {
  std::vector<uint8_t> bytes;
  if (std::FILE* f = std::fopen(name, "rb")) {
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
    std::fclose(f);
  }
  return bytes;
}

// Words of one frame, cut the way the game cuts it.
std::vector<uint16_t> frame_words(const BITMAP_FILE_TAG& b, const PictureFile& p, int i) {
  const int x0 = (i % 4) * (p.frame_w + 1) + 1, y0 = (i / 4) * (p.frame_h + 1) + 1;
  const auto* words = reinterpret_cast<const uint16_t*>(b.pixels);
  std::vector<uint16_t> out;
  for (int y = 0; y < p.frame_h; ++y)
    for (int x = 0; x < p.frame_w; ++x)
      out.push_back(words[(y0 + y) * b.info_header.biWidth + x0 + x]);
  return out;
}

double clear_share(const std::vector<uint16_t>& words) {
  size_t clear = 0;
  for (uint16_t w : words) clear += w == 0;
  return double(clear) / words.size();
}

TEST(GamePictures, EveryFileIsAStandardPictureHoldingItsCells) {
  for (const PictureFile& p : kPictures) {
    SCOPED_TRACE(p.name);
    const std::vector<uint8_t> bytes = read_file(p.name);
    ASSERT_GE(bytes.size(), 54u);
    BITMAP_FILE_TAG b{};
    ASSERT_EQ(Load_Bitmap_Bytes(&b, bytes.data(), bytes.size()), 1);
    EXPECT_EQ(b.file_header.bfOffBits, 54u);
    EXPECT_EQ(b.info_header.biSize, 40u);
    EXPECT_EQ(b.info_header.biCompression, 0u);
    EXPECT_EQ(b.info_header.biWidth % 4, 0);
    EXPECT_EQ(b.info_header.biSizeImage,
              uint32_t(b.info_header.biWidth * 3 * b.info_header.biHeight));
    EXPECT_EQ(bytes.size(), 54u + b.info_header.biSizeImage);
    EXPECT_EQ(b.info_header.biBitCount, 16);  // converted from 24
    const int columns = p.frames < 4 ? p.frames : 4, rows = (p.frames + 3) / 4;
    EXPECT_GE(b.info_header.biWidth, columns * (p.frame_w + 1) + 1 - 1);
    EXPECT_GE(b.info_header.biHeight, rows * (p.frame_h + 1));
    for (int i = 0; i < p.frames; ++i) {
      const int right = (i % 4) * (p.frame_w + 1) + 1 + p.frame_w;
      const int bottom = (i / 4) * (p.frame_h + 1) + 1 + p.frame_h;
      EXPECT_LE(right, b.info_header.biWidth) << "frame " << i;
      EXPECT_LE(bottom, b.info_header.biHeight) << "frame " << i;
    }
    Unload_Bitmap_File(&b);
  }
}

// What the art must do for the game: opaque tiles and banners, units and the
// cursor with see-through parts, two different frames per unit.
TEST(GamePictures, ArtKeepsTheTransparencyRules) {
  BITMAP_FILE_TAG b{};
  for (const PictureFile& p : kPictures) {
    SCOPED_TRACE(p.name);
    ASSERT_EQ(Load_Bitmap_File(&b, p.name), 1);
    const std::string name = p.name;
    if (name == "TERRAINTEXTURES.BMP") {
      for (int i = 0; i < 8; ++i) EXPECT_EQ(clear_share(frame_words(b, p, i)), 0.0) << i;
      for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j) EXPECT_NE(frame_words(b, p, i), frame_words(b, p, j));
    } else if (name == "CURSER.BMP") {
      const auto cursor = frame_words(b, p, 0), highlight = frame_words(b, p, 1);
      EXPECT_EQ(cursor[32 * 64 + 32], 0);  // the inside shows the tile
      EXPECT_NE(cursor[0], 0);
      EXPECT_NEAR(clear_share(highlight), 0.5, 0.05);
    } else if (p.frames == 2) {
      const auto a = frame_words(b, p, 0), c = frame_words(b, p, 1);
      EXPECT_NE(a, c);
      EXPECT_GT(clear_share(a), 0.2);
      EXPECT_LT(clear_share(a), 0.8);
    } else {
      const auto banner = frame_words(b, p, 0);
      EXPECT_LT(clear_share(banner), 0.01);
      EXPECT_NE(banner[77 * 500 + 250], 0);
    }
  }
  Unload_Bitmap_File(&b);
}

// Seamless terrain: where a tile meets its own copy, the step across the seam
// is no larger than the steps inside the tile.
TEST(GamePictures, TerrainTilesMeetWithoutSeams) {
  BITMAP_FILE_TAG b{};
  ASSERT_EQ(Load_Bitmap_File(&b, "TERRAINTEXTURES.BMP"), 1);
  auto brightness = [](uint16_t w) { return (w >> 11) * 2 + ((w >> 5) & 63) + (w & 31) * 2; };
  for (int code = 2; code <= 7; ++code) {
    const auto t = frame_words(b, kPictures[0], code);
    double inside = 0, seam = 0;
    for (int k = 0; k < 64; ++k) {
      seam += std::abs(brightness(t[k * 64 + 63]) - brightness(t[k * 64]));
      seam += std::abs(brightness(t[63 * 64 + k]) - brightness(t[k]));
      inside += std::abs(brightness(t[k * 64 + 31]) - brightness(t[k * 64 + 32]));
      inside += std::abs(brightness(t[31 * 64 + k]) - brightness(t[32 * 64 + k]));
    }
    EXPECT_LT(seam, inside * 1.6 + 64) << "terrain " << code;
  }
  Unload_Bitmap_File(&b);
}

class GameSprites : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    plat::WindowClass wc;
    wc.name = "WINCLASS1";
    wc.proc = WindowProc;
    plat::register_class(wc);
    main_window_handle = plat::create_window("WINCLASS1", "Thalryn", 0, 0, 800, 600);
    ASSERT_NE(main_window_handle, nullptr) << plat::last_error();
    init_result_ = Game_Init(nullptr, 0);
  }
  static void TearDownTestSuite() {
    Game_Shutdown(nullptr, 0);
    plat::reset_windows();
    main_window_handle = nullptr;
  }
  static int init_result_;
};
int GameSprites::init_result_ = 0;

TEST_F(GameSprites, StartUpCutsEverySpriteAsTheTableSays) {
  ASSERT_EQ(init_result_, 1);
  EXPECT_EQ(bitmap16bit.pixels, nullptr);
  BITMAP_FILE_TAG b{};
  for (const PictureFile& p : kPictures) {
    SCOPED_TRACE(p.name);
    const BOB_TYP& s = *p.sprite;
    EXPECT_EQ(s.num_frames, p.frames);
    EXPECT_EQ(s.width, p.frame_w);
    EXPECT_EQ(s.height, p.frame_h);
    EXPECT_EQ(s.attr & (BOB_VISIBLE | BOB_CYCLE | BOB_LOADED),
              BOB_VISIBLE | BOB_CYCLE | BOB_LOADED);
    const bool unit = p.frame_w == 64 && p.frames == 2 && p.sprite != &curser;
    EXPECT_EQ(s.anim_speed, unit ? 40 : 0);
    ASSERT_EQ(Load_Bitmap_File(&b, p.name), 1);
    for (int i = 0; i < p.frames; ++i) {
      const auto expected = frame_words(b, p, i);
      const plat::Surface* f = s.frames[i];
      ASSERT_NE(f, nullptr);
      for (int y = 0; y < p.frame_h; y += 7)
        for (int x = 0; x < p.frame_w; x += 5)
          ASSERT_EQ(reinterpret_cast<const uint16_t*>(f->memory + y * f->pitch)[x],
                    expected[y * p.frame_w + x])
              << "frame " << i << " at " << x << "," << y;
    }
  }
  Unload_Bitmap_File(&b);
}

void save_back_buffer(const std::string& path) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint16_t w =
          reinterpret_cast<const uint16_t*>(lpddsback->memory + y * lpddsback->pitch)[x];
      rgb.push_back(uint8_t(((w >> 11) & 31) * 255 / 31));
      rgb.push_back(uint8_t(((w >> 5) & 63) * 255 / 63));
      rgb.push_back(uint8_t((w & 31) * 255 / 31));
    }
  ASSERT_TRUE(testpng::write_rgb(path, 800, 600, rgb));
}

void draw_at(BOB_TYP* s, int frame, int x, int y) {
  s->curr_frame = frame;
  s->x = float(x);
  s->y = float(y);
  ASSERT_EQ(Draw_BOB16(s, lpddsback), 1);
}

// Every sprite and frame on one screen: terrain, cursor over grass, the units
// over grass and plains, and the banners over the map.
TEST_F(GameSprites, ContactSheetShowsEveryFrame) {
  ASSERT_EQ(init_result_, 1);
  DDraw_Fill_Surface(lpddsback, 0, nullptr);
  for (int i = 0; i < 8; ++i) draw_at(&textures, i, 8 + i * 72, 8);
  for (int i = 0; i < 2; ++i) {
    draw_at(&textures, 2, 8 + (8 + i) * 72, 8);
    draw_at(&curser, i, 8 + (8 + i) * 72, 8);
  }
  BOB_TYP* units[] = {&zuroru,          &zuroru_ranger,  &zuroru_horsemen, &sabra,
                      &sabra_ranger,    &sabra_horsemen, &baldur,          &baldur_ranger,
                      &baldur_horsemen, &enemyboss,      &enemyminion};
  for (int i = 0; i < 11; ++i)
    for (int f = 0; f < 2; ++f) {
      draw_at(&textures, f ? 4 : 2, 8 + i * 72, 88 + f * 72);
      draw_at(units[i], f, 8 + i * 72, 88 + f * 72);
    }
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 13; ++col)
      draw_at(&textures, world[row + 3][col + 8] - '0', col * 64, 232 + row * 64);
  draw_at(&victory, 0, 150, 240);
  draw_at(&defeat, 0, 150, 420);
  save_back_buffer("pictures_contact_sheet.png");
}

// A battlefield the way play shows it: map, highlight, units and cursor.
TEST_F(GameSprites, BattlefieldPreview) {
  ASSERT_EQ(init_result_, 1);
  ::Setup();
  DDraw_Fill_Surface(lpddsback, 0, nullptr);
  BOB_TYP* heroes[3][3] = {{&zuroru, &zuroru_ranger, &zuroru_horsemen},
                           {&sabra, &sabra_ranger, &sabra_horsemen},
                           {&baldur, &baldur_ranger, &baldur_horsemen}};
  const int col0 = 0, row0 = 0;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 13; ++col) {
      const int x = col * 64, y = row * 64;
      draw_at(&textures, world[row0 + row][col0 + col] - '0', x, y);
      if (std::abs(col - 4) + std::abs(row - 3) <= 2) draw_at(&curser, 1, x, y);
    }
  for (int slot = 1; slot < 10; ++slot) {
    const int col = unit_x[slot] - col0, row = unit_y[slot] - row0;
    if (col < 0 || col >= 13 || row < 0 || row >= 9) continue;
    BOB_TYP* s = slot <= 3   ? heroes[slot - 1][(slot - 1) % 3]
                 : slot == 4 ? &enemyboss
                             : &enemyminion;
    draw_at(s, 0, col * 64, row * 64);
  }
  draw_at(&curser, 0, 4 * 64, 3 * 64);
  save_back_buffer("pictures_battlefield.png");
}

}  // namespace
