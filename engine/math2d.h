// 2-D math: polygon bounding box and transformations, small matrices, the
// sine and cosine tables and two fast distance estimates.
#pragma once

#include "engine/polygon.h"

struct MATRIX3X2_TYP {
  float M[3][2];
};
struct MATRIX1X2_TYP {
  float M[2];
};
struct MATRIX3X3_TYP {
  float M[3][3];
};
struct MATRIX1X3_TYP {
  float M[3];
};

// Indexed by whole degrees 0..360; zero until Build_Sin_Cos_Tables.
extern float cos_look[361];
extern float sin_look[361];

void Build_Sin_Cos_Tables();

// The box of the vertices and the origin, in the polygon's own coordinates;
// 0 when the polygon has no vertex.
int Find_Bounding_Box_Poly2D(POLYGON2D_TYP* poly, float& min_x, float& max_x, float& min_y,
                             float& max_y);

int Translate_Polygon2D(POLYGON2D_TYP* poly, int dx, int dy);
int Translate_Polygon2D_Mat(POLYGON2D_TYP* poly, int dx, int dy);
// theta in degrees, -360..360 (0 outside it); turns about the position.
int Rotate_Polygon2D(POLYGON2D_TYP* poly, int theta);
int Rotate_Polygon2D_Mat(POLYGON2D_TYP* poly, int theta);
int Scale_Polygon2D(POLYGON2D_TYP* poly, float sx, float sy);
int Scale_Polygon2D_Mat(POLYGON2D_TYP* poly, float sx, float sy);

int Mat_Init_3X2(MATRIX3X2_TYP* ma, float m00, float m01, float m10, float m11, float m20,
                 float m21);
// (a, b, 1) times a 3x2 matrix. The result must not be an input.
int Mat_Mul_1X2_3X2(MATRIX1X2_TYP* ma, MATRIX3X2_TYP* mb, MATRIX1X2_TYP* mprod);
int Mat_Mul_1X3_3X3(MATRIX1X3_TYP* ma, MATRIX3X3_TYP* mb, MATRIX1X3_TYP* mprod);
int Mat_Mul_3X3(MATRIX3X3_TYP* ma, MATRIX3X3_TYP* mb, MATRIX3X3_TYP* mprod);

// x + y less 11/16 of the smaller, each part rounded down.
int Fast_Distance_2D(int x, int y);
// A whole-number estimate of the length of (fx, fy, fz).
float Fast_Distance_3D(float fx, float fy, float fz);
