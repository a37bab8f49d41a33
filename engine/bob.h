// Sprites: up to 64 keyed frame surfaces with a position, a velocity and
// animation state.
#pragma once
#include <cstdint>

#include "engine/bitmap_file.h"
#include "platform/surface.h"

constexpr int MAX_BOB_FRAMES = 64;
constexpr int MAX_BOB_ANIMATIONS = 16;

constexpr int BOB_STILL = 1;
constexpr int BOB_CYCLE = 2;
constexpr int BOB_SEQUENCED = 4;
constexpr int BOB_ONE_SHOT = 8;
constexpr int BOB_VISIBLE = 16;
constexpr int BOB_BOUNCE = 32;
constexpr int BOB_WRAP = 64;
constexpr int BOB_LOADED = 128;
constexpr int BOB_CLONE = 256;

// Frame cutting modes.
constexpr int BOB_CELL_MODE = 0;
constexpr int BOB_ABSOLUTE_MODE = 1;

struct BOB_TYP {
  int32_t state;
  int32_t anim_done;
  int32_t attr;
  float x, y;
  float xv, yv;
  int32_t width, height;
  int32_t extra_width;
  int32_t bpp;
  int32_t reserved_int_1, reserved_int_2, reserved_int_3, reserved_int_4;
  uint32_t reserved_words[32];
  int32_t curr_frame;
  int32_t num_frames;
  int32_t curr_sequence;
  int32_t anim_tick;
  int32_t seq_pos;
  int32_t anim_speed;
  int32_t* sequences[MAX_BOB_ANIMATIONS];  // frame lists ending in -1
  plat::Surface* frames[MAX_BOB_FRAMES];
};

// num_frames must lie in 1..64.
int Create_BOB(BOB_TYP* bob, int x, int y, int width, int height, int num_frames, int attr,
               int mem_flags, uint16_t color_key_value, int bpp);
int Clone_BOB(BOB_TYP* source, BOB_TYP* dest);
int Destroy_BOB(BOB_TYP* bob);

// Copy one frame out of a loaded picture of the same depth; 0 when the frame,
// its surface or the cell's pixels are not there.
int Load_Frame_BOB(BOB_TYP* bob, BITMAP_FILE_TAG* bitmap, int frame, int cx, int cy, int mode);
int Load_Frame_BOB16(BOB_TYP* bob, BITMAP_FILE_TAG* bitmap, int frame, int cx, int cy, int mode);

int Draw_BOB(BOB_TYP* bob, plat::Surface* dest);
int Draw_BOB16(BOB_TYP* bob, plat::Surface* dest);
int Draw_Scaled_BOB(BOB_TYP* bob, int swidth, int sheight, plat::Surface* dest);
int Draw_Scaled_BOB16(BOB_TYP* bob, int swidth, int sheight, plat::Surface* dest);

int Animate_BOB(BOB_TYP* bob);
int Load_Animation_BOB(BOB_TYP* bob, int anim_index, int num_frames, const int* sequence);
int Set_Animation_BOB(BOB_TYP* bob, int anim_index);
int Set_Anim_Speed_BOB(BOB_TYP* bob, int speed);

int Move_BOB(BOB_TYP* bob);
int Set_Pos_BOB(BOB_TYP* bob, int x, int y);
int Set_Vel_BOB(BOB_TYP* bob, int xv, int yv);
int Hide_BOB(BOB_TYP* bob);
int Show_BOB(BOB_TYP* bob);
int Collision_BOBS(BOB_TYP* bob1, BOB_TYP* bob2);
int Scroll_BOB();
