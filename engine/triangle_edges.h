// The edge arithmetic of the triangle families. A flat triangle walks a left
// and a right edge down one row at a time; the families differ only in how an
// edge position is held (float32 or 16.16 fixed point), how it turns into a
// column, and whether a flat triangle of no height is rejected up front.
#pragma once
#include <cstdint>

namespace triangle_edges {

struct FloatEdges {
  using Value = float;
  static constexpr bool kRejectDegenerate = false;
  static Value at(int x) { return static_cast<float>(x); }
  // The flat-top triangle's right edge starts half a pixel in.
  static Value at_right_top(int x) { return static_cast<float>(x) + 0.5f; }
  static Value slope(int dx, int height) {
    return static_cast<float>(dx) / static_cast<float>(height);
  }
  static Value skip(Value v, Value slope, int rows) { return v + slope * static_cast<float>(rows); }
  static int column(Value v) { return static_cast<int>(v); }
  static int run(Value left, Value right) { return static_cast<int>(right - left + 1); }
};

// 16.16 fixed point, carried in 64 bits so that no shift or product of the
// 32-bit arithmetic can overflow; within range the results are the same.
struct FixedEdges {
  using Value = int64_t;
  static constexpr bool kRejectDegenerate = true;
  static constexpr int64_t kOne = 1 << 16;
  static constexpr int64_t kHalf = 0x8000;
  static Value at(int x) { return x * kOne; }
  static Value at_right_top(int x) { return x * kOne; }
  static Value slope(int dx, int height) { return (dx * kOne) / height; }
  static Value skip(Value v, Value slope, int rows) { return v + slope * rows; }
  static int column(Value v) { return static_cast<int>((v + kHalf) >> 16); }
  static int run(Value left, Value right) {
    return static_cast<int>(((right - left + kHalf) >> 16) + 1);
  }
};

}  // namespace triangle_edges
