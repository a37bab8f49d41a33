// Float sprite positions to whole pixels.
#pragma once
#include <cstdint>

// Truncates toward zero like a plain conversion, but keeps far-off or
// undefined positions inside the int range instead of overflowing.
inline int32_t Truncate_Coord(float value) {
  constexpr float kLimit = 1 << 30;
  if (!(value == value)) return 0;
  if (value > kLimit) return int32_t(1) << 30;
  if (value < -kLimit) return -(int32_t(1) << 30);
  return static_cast<int32_t>(value);
}
