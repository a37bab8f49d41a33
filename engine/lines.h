// Pixels, lines, runs and rectangles drawn into locked surface memory, and
// the line clipper. The 8-bit routines write palette indices (one byte), the
// 16-bit ones pixel words; lpitch is always the row pitch in bytes.
// Draw_Pixel and Draw_Line do not clip; runs and clipped lines clip to the
// clip rectangle (min_clip_x..max_clip_x, min_clip_y..max_clip_y).
#pragma once
#include <cstdint>

#include "platform/surface.h"

int Draw_Pixel(int x, int y, int color, uint8_t* video_buffer, int lpitch);
int Draw_Pixel16(int x, int y, int color, uint8_t* video_buffer, int lpitch);
int Draw_Line(int x0, int y0, int x1, int y1, int color, uint8_t* vb_start, int lpitch);
int Draw_Line16(int x0, int y0, int x1, int y1, int color, uint8_t* vb_start, int lpitch);
// Cuts the line to the clip rectangle: 1 with the visible part's end points
// in place of the coordinates, or 0 with the coordinates unchanged.
int Clip_Line(int& x1, int& y1, int& x2, int& y2);
int Draw_Clip_Line(int x0, int y0, int x1, int y1, int color, uint8_t* dest_buffer, int lpitch);
int Draw_Clip_Line16(int x0, int y0, int x1, int y1, int color, uint8_t* dest_buffer, int lpitch);
void HLine(int x1, int x2, int y, int color, uint8_t* vbuffer, int lpitch);
void HLine16(int x1, int x2, int y, int color, uint8_t* vbuffer, int lpitch);
void VLine(int y1, int y2, int x, int color, uint8_t* vbuffer, int lpitch);
void VLine16(int y1, int y2, int x, int color, uint8_t* vbuffer, int lpitch);
// Colour fill of columns x1..x2-1 and rows y1..y2-1 through the surface's
// clipper; 0 for a null surface.
int Draw_Rectangle(int x1, int y1, int x2, int y2, int color, plat::Surface* lpdds);
// count consecutive words of value from dest; nothing for a count of 0 or less.
void Mem_Set_WORD(void* dest, uint16_t data, int count);
