#include "game/sprites.h"

#include "engine/bitmap_file.h"
#include "engine/ddraw.h"

BOB_TYP textures, curser;
BOB_TYP zuroru, zuroru_ranger, zuroru_horsemen;
BOB_TYP sabra, sabra_ranger, sabra_horsemen;
BOB_TYP baldur, baldur_ranger, baldur_horsemen;
BOB_TYP enemyboss, enemyminion;
BOB_TYP victory, defeat;

namespace {

struct sprite_entry {
  BOB_TYP* sprite;
  const char* file;
  int width, height, frames;
  bool unit;  // unit sprites step through their two frames
};

const sprite_entry sprite_table[] = {
    {&textures, "TERRAINTEXTURES.BMP", 64, 64, 8, false},
    {&curser, "CURSER.BMP", 64, 64, 2, false},
    {&zuroru, "ZURORU.BMP", 64, 64, 2, true},
    {&zuroru_ranger, "ZURORURANGER.BMP", 64, 64, 2, true},
    {&zuroru_horsemen, "ZURORUHORSEMEN.BMP", 64, 64, 2, true},
    {&sabra, "SABRA.BMP", 64, 64, 2, true},
    {&sabra_ranger, "SABRARANGER.BMP", 64, 64, 2, true},
    {&sabra_horsemen, "SABRAHORSEMEN.BMP", 64, 64, 2, true},
    {&baldur, "BALDUR.BMP", 64, 64, 2, true},
    {&baldur_ranger, "BALDURRANGER.BMP", 64, 64, 2, true},
    {&baldur_horsemen, "BALDURHORSEMEN.BMP", 64, 64, 2, true},
    {&enemyboss, "ENEMYBOSS.BMP", 64, 64, 2, true},
    {&enemyminion, "ENEMYMINION.BMP", 64, 64, 2, true},
    {&victory, "VICTORY.BMP", 500, 154, 1, false},
    {&defeat, "DEFEAT.BMP", 500, 154, 1, false},
};

constexpr int kSpriteAttr = BOB_VISIBLE | BOB_CYCLE;
constexpr int kUnitAnimSpeed = 40;

}  // namespace

int Load_Game_Sprites() {
  for (const sprite_entry& e : sprite_table) {
    // A picture that fails to load leaves bitmap16bit empty; the frames are
    // then refused and the sprite stays blank.
    Load_Bitmap_File(&bitmap16bit, e.file);
    if (!Create_BOB(e.sprite, 0, 0, e.width, e.height, e.frames, kSpriteAttr, DDSCAPS_SYSTEMMEMORY,
                    0, 16))
      return 0;
    for (int i = 0; i < e.frames; ++i)
      Load_Frame_BOB16(e.sprite, &bitmap16bit, i, i % 4, i / 4, BOB_CELL_MODE);
    if (e.unit) {
      Set_Animation_BOB(e.sprite, 0);
      Set_Anim_Speed_BOB(e.sprite, kUnitAnimSpeed);
    }
    Unload_Bitmap_File(&bitmap16bit);
  }
  return 1;
}

void Destroy_Game_Sprites() {
  for (const sprite_entry& e : sprite_table) Destroy_BOB(e.sprite);
}
