// Row access shared by the 8-bit and 16-bit drawing twins: a pixel type, the
// row step in pixels for a pitch in bytes, and a run fill.
#pragma once
#include <cstdint>
#include <cstring>

#include "platform/blit_kernels.h"

namespace pixel_rows {

// 8-bit rows step by the pitch, 16-bit rows by the pitch shifted right by 1
// words (the pitch rounded down to an even number of bytes).
template <typename Pixel>
inline int row_step(int lpitch) {
  return sizeof(Pixel) == 1 ? lpitch : lpitch >> 1;
}

template <typename Pixel>
inline Pixel* at(uint8_t* buffer, int lpitch, int x, int y) {
  return reinterpret_cast<Pixel*>(buffer) + static_cast<intptr_t>(y) * row_step<Pixel>(lpitch) + x;
}

template <typename Pixel>
inline void fill(Pixel* dest, Pixel value, int count) {
  if (count <= 0) return;
  if constexpr (sizeof(Pixel) == 1)
    std::memset(dest, value, static_cast<size_t>(count));
  else
    plat::fill_row16(dest, count, value);
}

}  // namespace pixel_rows
