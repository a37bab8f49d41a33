// 2-D polygons: filled convex polygons and outlines in locked surface memory.
#pragma once
#include <cstdint>

struct VERTEX2DF {
  float x, y;
};

struct POLYGON2D_TYP {
  int state;  // non-zero: the outline draws draw it
  int vertex_count;
  int pos_x, pos_y;  // added to every vertex when drawing
  uint8_t spare[8];
  int color;            // low 8 bits at 8 bits per pixel, low 16 at 16
  VERTEX2DF* vertices;  // vertex_count vertices, relative to the position; not owned
};

// Fills a convex polygon row by row from its top vertex; the bottom row is
// left open. Rows and columns outside the clip rectangle are not written;
// fewer than three vertices draw nothing.
void Draw_Filled_Polygon2D(POLYGON2D_TYP* poly, uint8_t* vbuffer, int mempitch);
void Draw_Filled_Polygon2D16(POLYGON2D_TYP* poly, uint8_t* vbuffer, int mempitch);
// The closed outline through the clipped lines; 0 when state is 0.
int Draw_Polygon2D(POLYGON2D_TYP* poly, uint8_t* vbuffer, int lpitch);
int Draw_Polygon2D16(POLYGON2D_TYP* poly, uint8_t* vbuffer, int lpitch);
