// Crafted bitmap files for the reader's tests and the fuzzer's seeds.
#pragma once
#include <cstdint>
#include <vector>

namespace testbmp {

struct Layout {
  int32_t width = 4;
  int32_t height = 2;  // negative: rows stored top first
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t info_size = 40;
  int palette_entries = -1;      // -1: 256 for 8-bit files, else none
  int64_t size_image = -1;       // -1: the padded rows' size
  int64_t off_bits = -1;         // -1: right after the headers and palette
  uint32_t gap = 0;              // bytes between the palette and the pixels
  bool pad_rows = true;          // false: rows stored without padding
  std::vector<uint8_t> palette;  // blue, green, red, reserved per entry
  std::vector<uint8_t> rows;     // stored rows, unpadded, in storage order
};

inline void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  v[at] = uint8_t(x);
  v[at + 1] = uint8_t(x >> 8);
}
inline void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  put16(v, at, x & 0xFFFF);
  put16(v, at + 2, x >> 16);
}

inline std::vector<uint8_t> build(const Layout& s) {
  const int entries = s.palette_entries >= 0 ? s.palette_entries : (s.bits == 8 ? 256 : 0);
  const size_t header = 14 + s.info_size;
  const size_t pixel_at = header + size_t(entries) * 4 + s.gap;
  const size_t row_bytes = s.width > 0 ? size_t(s.width) * s.bits / 8 : 0;
  const size_t stride = s.pad_rows ? (row_bytes + 3) / 4 * 4 : row_bytes;
  const size_t height = size_t(s.height < 0 ? -s.height : s.height);
  std::vector<uint8_t> out(pixel_at, 0);
  for (size_t r = 0; row_bytes > 0 && r * row_bytes < s.rows.size(); ++r) {
    for (size_t i = 0; i < row_bytes && r * row_bytes + i < s.rows.size(); ++i)
      out.push_back(s.rows[r * row_bytes + i]);
    for (size_t i = row_bytes; i < stride; ++i) out.push_back(0);
  }
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, uint32_t(out.size()));
  put32(out, 10, uint32_t(s.off_bits >= 0 ? s.off_bits : int64_t(pixel_at)));
  put32(out, 14, s.info_size);
  put32(out, 18, uint32_t(s.width));
  put32(out, 22, uint32_t(s.height));
  put16(out, 26, 1);
  put16(out, 28, s.bits);
  put32(out, 30, s.compression);
  put32(out, 34, uint32_t(s.size_image >= 0 ? s.size_image : int64_t(stride * height)));
  for (size_t i = 0; i < s.palette.size() && header + i < pixel_at; ++i)
    out[header + i] = s.palette[i];
  return out;
}

}  // namespace testbmp
