// Bitmap images: plain rectangles of 8-bit or 16-bit pixels in ordinary
// memory, cut from loaded bitmap files, drawn into locked surface memory,
// copied and scrolled sideways with wrap-around.
#pragma once
#include <cstdint>

#include "engine/bitmap_file.h"

// Set in attr once pixels have been cut into the image from a bitmap file.
constexpr int BITMAP_IMAGE_LOADED = 128;

struct BITMAP_IMAGE_TYP {
  int state;  // 1 after Create_Bitmap, 0 after Destroy_Bitmap
  int attr;   // BITMAP_IMAGE_LOADED once cut from a file
  int x, y;   // where it is drawn
  int width, height;
  int num_bytes;    // width * height * (bpp / 8)
  int bpp;          // 8 or 16
  uint8_t* pixels;  // height rows of width pixels, top row first; owned
};

// A zeroed image; 0 when the size or depth is unusable or memory runs out,
// and the record is then left as it was.
int Create_Bitmap(BITMAP_IMAGE_TYP* image, int x, int y, int width, int height, int bpp);
int Destroy_Bitmap(BITMAP_IMAGE_TYP* image);
// Cuts the image's size out of the file: in cell mode (mode 0) cell (cx, cy)
// of a grid with one-pixel lines around every cell, else the block at pixel
// (cx, cy). 0 when the block reaches outside the file or the image.
int Load_Image_Bitmap(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* bitmap, int cx, int cy, int mode);
int Load_Image_Bitmap16(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* bitmap, int cx, int cy, int mode);
// Draws at the image's (x, y) in locked memory with a row pitch in bytes;
// transparent leaves out pixels of value 0. No clipping: the caller keeps the
// image inside the memory. 0 for an image never loaded or placed at a
// negative position.
int Draw_Bitmap(BITMAP_IMAGE_TYP* source_bitmap, uint8_t* dest_buffer, int lpitch, int transparent);
int Draw_Bitmap16(BITMAP_IMAGE_TYP* source_bitmap, uint8_t* dest_buffer, int lpitch,
                  int transparent);
// Copies a rectangle of the source's depth between two images; 0 when it
// reaches outside either.
int Copy_Bitmap(BITMAP_IMAGE_TYP* dest_bitmap, int dest_x, int dest_y,
                BITMAP_IMAGE_TYP* source_bitmap, int source_x, int source_y, int width, int height);
// Rotates every row dx pixels to the right (left when negative); dy only
// matters for the early return when both are 0.
int Scroll_Bitmap(BITMAP_IMAGE_TYP* image, int dx, int dy);
