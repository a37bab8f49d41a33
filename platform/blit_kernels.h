// The inner loops of the blitter, one row at a time. The fast kernels are
// held against the plain reference ones by the tests.
#pragma once
#include <cstdint>

namespace plat {

void keyed_row16_reference(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key);
void keyed_row8_reference(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key);
void fill_row16_reference(uint16_t* dst, int32_t count, uint16_t value);

// A whole keyed rectangle of 16-bit pixels; pitches in bytes.
void keyed_rect16_reference(uint8_t* dst, int32_t dst_pitch, const uint8_t* src, int32_t src_pitch,
                            int32_t width, int32_t height, uint16_t key);

// Best kernels for this processor (chosen once, at first use).
void keyed_rect16(uint8_t* dst, int32_t dst_pitch, const uint8_t* src, int32_t src_pitch,
                  int32_t width, int32_t height, uint16_t key);
void keyed_row16(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key);
void keyed_row8(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key);
void fill_row16(uint16_t* dst, int32_t count, uint16_t value);

// 5.6.5 words to 32-bit 0x00RRGGBB, each channel widened by repeating its
// top bits so white stays white.
void rgb565_to_xrgb_reference(uint32_t* dst, const uint16_t* src, int32_t count);
void rgb565_to_xrgb(uint32_t* dst, const uint16_t* src, int32_t count);

}  // namespace plat
