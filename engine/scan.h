// Rectangle collision with shrunken boxes, colour scans of a rectangle of
// locked surface memory (clamped to the screen), and a bitmap-file cell cut
// straight into a surface.
#pragma once
#include <cstdint>

#include "engine/bitmap_file.h"

// Each rectangle counts as the box of 3/8 of its width and height on either
// side of a centre that far from its top-left corner.
int Collision_Test(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
// 1 when a pixel of x1..x2 by y1..y2 holds an index in scan_start..scan_end.
int Color_Scan(int x1, int y1, int x2, int y2, uint8_t scan_start, uint8_t scan_end,
               uint8_t* scan_buffer, int scan_lpitch);
// 1 when a pixel of the rectangle equals scan_start or scan_end.
int Color_Scan16(int x1, int y1, int x2, int y2, uint16_t scan_start, uint16_t scan_end,
                 uint8_t* scan_buffer, int scan_lpitch);
// Copies cell (cx, cy) of the surface's size, one byte per pixel, from a grid
// of cells with one-pixel lines around them into the surface, locking it for
// the copy. 0 when the cell reaches outside the file or the lock fails.
int Scan_Image_Bitmap(BITMAP_FILE_TAG* bitmap, plat::Surface* lpdds, int cx, int cy);
