#include "engine/triangle.h"

#include <utility>

#include "engine/ddraw.h"
#include "engine/pixel_rows.h"
#include "engine/triangle_edges.h"

// The edge arithmetic is float32 by design; keep the compiler from fusing it.
#ifdef __clang__
#pragma STDC FP_CONTRACT OFF
#endif

namespace {

using triangle_edges::FixedEdges;
using triangle_edges::FloatEdges;

template <typename Pixel>
struct Target {
  uint8_t* buffer;
  int pitch;  // bytes
  Pixel color;
  Pixel* row(int y) const { return pixel_rows::at<Pixel>(buffer, pitch, 0, y); }
};

bool column_inside(int x) { return x >= min_clip_x && x <= max_clip_x; }

// Fills rows y1..y3 between two edges that start at `left` and `right` and
// move by their slopes each row, cut to the clip rectangle.
template <typename E, typename Pixel>
void fill_flat(typename E::Value left, typename E::Value right, typename E::Value left_slope,
               typename E::Value right_slope, int y1, int y3, bool corners_inside,
               const Target<Pixel>& target) {
  if (y1 < min_clip_y) {
    left = E::skip(left, left_slope, min_clip_y - y1);
    right = E::skip(right, right_slope, min_clip_y - y1);
    y1 = min_clip_y;
  }
  if (y3 > max_clip_y) y3 = max_clip_y;

  if (corners_inside) {
    // Every corner lies in the clip columns, so the runs need no clipping,
    // except that fixed-point rounding can carry one a pixel past the right
    // clip column.
    for (int y = y1; y <= y3; ++y) {
      const int x = E::column(left);
      int count = E::run(left, right);
      if (x + count - 1 > max_clip_x) count = max_clip_x - x + 1;
      pixel_rows::fill(target.row(y) + x, target.color, count);
      left += left_slope;
      right += right_slope;
    }
    return;
  }
  for (int y = y1; y <= y3; ++y) {
    int x_left = E::column(left), x_right = E::column(right);
    left += left_slope;
    right += right_slope;
    if (x_left < min_clip_x) {
      x_left = min_clip_x;
      if (x_right < min_clip_x) continue;
    }
    if (x_right > max_clip_x) {
      x_right = max_clip_x;
      if (x_left > max_clip_x) continue;
    }
    pixel_rows::fill(target.row(y) + x_left, target.color, x_right - x_left + 1);
  }
}

// Flat top: corners 1 and 2 on the top row, corner 3 below.
template <typename E, typename Pixel>
void top_tri(int x1, int y1, int x2, int y2, int x3, int y3, const Target<Pixel>& target) {
  if (E::kRejectDegenerate && (y1 == y3 || y2 == y3)) return;
  if (y3 == y1) return;  // no height: nothing to fill, and no division by zero
  if (x2 < x1) std::swap(x1, x2);
  const int height = y3 - y1;
  const bool inside = column_inside(x1) && column_inside(x2) && column_inside(x3);
  fill_flat<E>(E::at(x1), E::at_right_top(x2), E::slope(x3 - x1, height), E::slope(x3 - x2, height),
               y1, y3, inside, target);
}

// Flat bottom: corner 1 on top, corners 2 and 3 on the bottom row.
template <typename E, typename Pixel>
void bottom_tri(int x1, int y1, int x2, int y2, int x3, int y3, const Target<Pixel>& target) {
  if (E::kRejectDegenerate && (y1 == y2 || y1 == y3)) return;
  if (y3 == y1) return;
  if (x3 < x2) std::swap(x2, x3);
  const int height = y3 - y1;
  const bool inside = column_inside(x1) && column_inside(x2) && column_inside(x3);
  fill_flat<E>(E::at(x1), E::at(x1), E::slope(x2 - x1, height), E::slope(x3 - x1, height), y1, y3,
               inside, target);
}

template <typename E, typename Pixel>
void triangle(int x1, int y1, int x2, int y2, int x3, int y3, const Target<Pixel>& target) {
  if ((x1 == x2 && x2 == x3) || (y1 == y2 && y2 == y3)) return;
  if (y2 < y1) std::swap(x1, x2), std::swap(y1, y2);
  if (y3 < y1) std::swap(x1, x3), std::swap(y1, y3);
  if (y3 < y2) std::swap(x2, x3), std::swap(y2, y3);
  if (y3 < min_clip_y || y1 > max_clip_y ||
      (x1 < min_clip_x && x2 < min_clip_x && x3 < min_clip_x) ||
      (x1 > max_clip_x && x2 > max_clip_x && x3 > max_clip_x))
    return;
  if (y1 == y2) {
    top_tri<E>(x1, y1, x2, y2, x3, y3, target);
  } else if (y2 == y3) {
    bottom_tri<E>(x1, y1, x2, y2, x3, y3, target);
  } else {
    // Split at the middle row; both halves fill that row.
    const float t =
        static_cast<float>(y2 - y1) * static_cast<float>(x3 - x1) / static_cast<float>(y3 - y1);
    const int new_x = x1 + static_cast<int>(0.5 + t);
    bottom_tri<E>(x1, y1, new_x, y2, x2, y2, target);
    top_tri<E>(x2, y2, new_x, y2, x3, y3, target);
  }
}

Target<uint8_t> target8(int color, uint8_t* buffer, int pitch) {
  return {buffer, pitch, static_cast<uint8_t>(color)};
}
Target<uint16_t> target16(int color, uint8_t* buffer, int pitch) {
  return {buffer, pitch, static_cast<uint16_t>(color)};
}

}  // namespace

void Draw_Triangle_2D(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                      uint8_t* dest_buffer, int mempitch) {
  triangle<FloatEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}

void Draw_Triangle_2D16(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                        uint8_t* dest_buffer, int mempitch) {
  triangle<FloatEdges>(x1, y1, x2, y2, x3, y3, target16(color, dest_buffer, mempitch));
}

void Draw_TriangleFP_2D(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                        uint8_t* dest_buffer, int mempitch) {
  triangle<FixedEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}

void Draw_Top_Tri(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                  int mempitch) {
  top_tri<FloatEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}

void Draw_Top_Tri16(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                    int mempitch) {
  top_tri<FloatEdges>(x1, y1, x2, y2, x3, y3, target16(color, dest_buffer, mempitch));
}

void Draw_Top_TriFP(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                    int mempitch) {
  top_tri<FixedEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}

void Draw_Bottom_Tri(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                     uint8_t* dest_buffer, int mempitch) {
  bottom_tri<FloatEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}

void Draw_Bottom_Tri16(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                       uint8_t* dest_buffer, int mempitch) {
  bottom_tri<FloatEdges>(x1, y1, x2, y2, x3, y3, target16(color, dest_buffer, mempitch));
}

void Draw_Bottom_TriFP(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                       uint8_t* dest_buffer, int mempitch) {
  bottom_tri<FixedEdges>(x1, y1, x2, y2, x3, y3, target8(color, dest_buffer, mempitch));
}
