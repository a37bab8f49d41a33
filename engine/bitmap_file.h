// Bitmap files: loading 8-, 16- and 24-bit pictures into top-down pixel
// arrays in the display's pixel words.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/surface.h"

constexpr uint16_t BITMAP_ID = 0x4D42;  // "BM"
constexpr uint8_t PC_NOCOLLAPSE = 4;

// The 14-byte file header, field by field as stored in the file.
struct BITMAP_FILE_HEADER {
  uint16_t bfType;
  uint32_t bfSize;
  uint16_t bfReserved1;
  uint16_t bfReserved2;
  uint32_t bfOffBits;
};

// The first 40 bytes of the info header, field by field as stored in the file.
struct BITMAP_INFO_HEADER {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // positive after a load: the pixels are then top-down
  uint16_t biPlanes;
  uint16_t biBitCount;  // 16 after a 24-bit picture was converted
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};

struct BITMAP_FILE_TAG {
  BITMAP_FILE_HEADER file_header;
  BITMAP_INFO_HEADER info_header;
  plat::PaletteEntry file_palette[256];  // red, green, blue, flags; 8-bit files only
  uint8_t* pixels;  // biHeight rows of biWidth * biBitCount / 8 bytes, top row first
};

extern BITMAP_FILE_TAG bitmap8bit, bitmap16bit, bitmap24bit;

// Largest picture accepted, in pixels (4096 x 4096).
constexpr int64_t MAX_BITMAP_PIXELS = int64_t(1) << 24;

// 1 when loaded, 0 when the file is missing, not a bitmap, of an unsupported
// depth or compression, too large, or memory ran out.
int Load_Bitmap_File(BITMAP_FILE_TAG* bitmap, const char* filename);
// The same from the bytes of a whole file already in memory.
int Load_Bitmap_Bytes(BITMAP_FILE_TAG* bitmap, const uint8_t* data, size_t size);
int Unload_Bitmap_File(BITMAP_FILE_TAG* bitmap);
// Reverses the order of the rows in place.
int Flip_Bitmap(uint8_t* image, int bytes_per_line, int height);
