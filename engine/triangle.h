// Filled triangles in locked surface memory, clipped to the clip rectangle:
// a float 8-bit family, a float 16-bit family and a 16.16 fixed-point 8-bit
// family. The general triangles take their corners in any order; the flat
// ones take a flat-top (y1 = y2, corner 3 below) or flat-bottom (corner 1 on
// top, y2 = y3) triangle. mempitch is the row pitch in bytes.
#pragma once
#include <cstdint>

void Draw_Triangle_2D(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                      uint8_t* dest_buffer, int mempitch);
void Draw_Triangle_2D16(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                        uint8_t* dest_buffer, int mempitch);
void Draw_TriangleFP_2D(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                        uint8_t* dest_buffer, int mempitch);

void Draw_Top_Tri(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                  int mempitch);
void Draw_Top_Tri16(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                    int mempitch);
void Draw_Top_TriFP(int x1, int y1, int x2, int y2, int x3, int y3, int color, uint8_t* dest_buffer,
                    int mempitch);
void Draw_Bottom_Tri(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                     uint8_t* dest_buffer, int mempitch);
void Draw_Bottom_Tri16(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                       uint8_t* dest_buffer, int mempitch);
void Draw_Bottom_TriFP(int x1, int y1, int x2, int y2, int x3, int y3, int color,
                       uint8_t* dest_buffer, int mempitch);
