// Sprite animation, motion and collision.
#include <cstdlib>
#include <cstring>

#include "engine/bob.h"
#include "engine/bob_coords.h"
#include "engine/ddraw.h"

namespace {

// Number of entries before the end mark; lists are built by
// Load_Animation_BOB and always carry one.
int sequence_length(const int32_t* list) {
  int n = 0;
  while (list[n] != -1) ++n;
  return n;
}

// One step of the selected sequence. The position moves before the entry is
// read, so the first step after selecting shows entry 1.
void step_sequence(BOB_TYP* bob) {
  if (bob->curr_sequence < 0 || bob->curr_sequence >= MAX_BOB_ANIMATIONS) return;
  const int32_t* list = bob->sequences[bob->curr_sequence];
  if (!list) return;
  const int length = sequence_length(list);
  if (length == 0) return;
  if (bob->seq_pos < 0) bob->seq_pos = 0;
  ++bob->seq_pos;
  if (bob->seq_pos < length) {
    bob->curr_frame = list[bob->seq_pos];
  } else if (bob->attr & BOB_ONE_SHOT) {
    bob->anim_done = 1;
    bob->seq_pos = length - 1;
    bob->curr_frame = list[bob->seq_pos];
  } else {
    bob->seq_pos = 0;
    bob->curr_frame = list[0];
  }
}

}  // namespace

int Animate_BOB(BOB_TYP* bob) {
  if (!bob) return 0;
  if (bob->attr & BOB_STILL) {
    bob->curr_frame = 0;
    return 1;
  }
  if (!(bob->attr & (BOB_CYCLE | BOB_SEQUENCED))) return 1;
  if (++bob->anim_tick < bob->anim_speed) return 1;
  bob->anim_tick = 0;
  if (bob->attr & BOB_CYCLE) {
    if (++bob->curr_frame >= bob->num_frames) bob->curr_frame = 0;
  } else {
    step_sequence(bob);
  }
  return 1;
}

int Load_Animation_BOB(BOB_TYP* bob, int anim_index, int num_frames, const int* sequence) {
  if (!bob || anim_index < 0 || anim_index >= MAX_BOB_ANIMATIONS || num_frames < 0) return 0;
  if (num_frames > 0 && !sequence) return 0;
  auto* list = static_cast<int32_t*>(std::malloc((size_t(num_frames) + 1) * sizeof(int32_t)));
  if (!list) return 0;
  if (num_frames > 0) std::memcpy(list, sequence, size_t(num_frames) * sizeof(int32_t));
  list[num_frames] = -1;
  // A clone shares its lists with the source, so only an owner frees one.
  if (!(bob->attr & BOB_CLONE)) std::free(bob->sequences[anim_index]);
  bob->sequences[anim_index] = list;
  return 1;
}

int Set_Animation_BOB(BOB_TYP* bob, int anim_index) {
  if (!bob || anim_index < 0 || anim_index >= MAX_BOB_ANIMATIONS) return 0;
  bob->curr_sequence = anim_index;
  bob->seq_pos = 0;
  return 1;
}

int Set_Anim_Speed_BOB(BOB_TYP* bob, int speed) {
  if (!bob) return 0;
  bob->anim_speed = speed;
  return 1;
}

int Move_BOB(BOB_TYP* bob) {
  if (!bob) return 0;
  bob->x += bob->xv;
  bob->y += bob->yv;
  const float w = float(bob->width), h = float(bob->height);
  if (bob->attr & BOB_WRAP) {
    if (bob->x > float(max_clip_x))
      bob->x = float(min_clip_x) - w;
    else if (bob->x < float(min_clip_x) - w)
      bob->x = float(max_clip_x);
    if (bob->y > float(max_clip_y))
      bob->y = float(min_clip_y) - h;
    else if (bob->y < float(min_clip_y) - h)
      bob->y = float(max_clip_y);
  } else if (bob->attr & BOB_BOUNCE) {
    if (bob->x > float(max_clip_x) - w || bob->x < float(min_clip_x)) bob->xv = -bob->xv;
    if (bob->y > float(max_clip_y) - h || bob->y < float(min_clip_y)) bob->yv = -bob->yv;
  }
  return 1;
}

int Set_Pos_BOB(BOB_TYP* bob, int x, int y) {
  if (!bob) return 0;
  bob->x = float(x);
  bob->y = float(y);
  return 1;
}

int Set_Vel_BOB(BOB_TYP* bob, int xv, int yv) {
  if (!bob) return 0;
  bob->xv = float(xv);
  bob->yv = float(yv);
  return 1;
}

int Hide_BOB(BOB_TYP* bob) {
  if (!bob) return 0;
  bob->attr &= ~BOB_VISIBLE;
  return 1;
}

int Show_BOB(BOB_TYP* bob) {
  if (!bob) return 0;
  bob->attr |= BOB_VISIBLE;
  return 1;
}

int Collision_BOBS(BOB_TYP* bob1, BOB_TYP* bob2) {
  if (!bob1 || !bob2) return 0;
  // Boxes shrunk by an eighth on each side, so touching corners do not count.
  const int32_t half_w1 = (bob1->width >> 1) - (bob1->width >> 3);
  const int32_t half_h1 = (bob1->height >> 1) - (bob1->height >> 3);
  const int32_t half_w2 = (bob2->width >> 1) - (bob2->width >> 3);
  const int32_t half_h2 = (bob2->height >> 1) - (bob2->height >> 3);
  const int64_t cx1 = Truncate_Coord(bob1->x + float(half_w1));
  const int64_t cy1 = Truncate_Coord(bob1->y + float(half_h1));
  const int64_t cx2 = Truncate_Coord(bob2->x + float(half_w2));
  const int64_t cy2 = Truncate_Coord(bob2->y + float(half_h2));
  const int64_t dx = std::llabs(cx2 - cx1), dy = std::llabs(cy2 - cy1);
  return dx < int64_t(half_w1) + half_w2 && dy < int64_t(half_h1) + half_h2 ? 1 : 0;
}

int Scroll_BOB() { return 1; }
