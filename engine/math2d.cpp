#include "engine/math2d.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

// The transformations are float32 by design; keep the compiler from fusing.
#ifdef __clang__
#pragma STDC FP_CONTRACT OFF
#endif

float cos_look[361];
float sin_look[361];

namespace {

bool has_vertices(const POLYGON2D_TYP* poly) {
  return poly && (poly->vertex_count <= 0 || poly->vertices);
}

// A negative angle gets one turn added; the table index must then be 0..360.
bool table_angle(int* theta) {
  if (*theta < 0) *theta += 360;
  return *theta >= 0 && *theta <= 360;
}

// A float of any size, and NaN, to an int without leaving the defined range.
int to_int(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return static_cast<int>(v);
}

template <typename Transform>
int transform_vertices(POLYGON2D_TYP* poly, Transform transform) {
  for (int i = 0; i < poly->vertex_count; ++i) transform(poly->vertices[i]);
  return 1;
}

}  // namespace

void Build_Sin_Cos_Tables() {
  for (int angle = 0; angle <= 360; ++angle) {
    const float theta = static_cast<float>(angle) * 3.1415927f / 180.0f;
    cos_look[angle] = static_cast<float>(std::cos(static_cast<double>(theta)));
    sin_look[angle] = static_cast<float>(std::sin(static_cast<double>(theta)));
  }
}

int Find_Bounding_Box_Poly2D(POLYGON2D_TYP* poly, float& min_x, float& max_x, float& min_y,
                             float& max_y) {
  if (!poly || !poly->vertices || poly->vertex_count <= 0) return 0;
  min_x = max_x = min_y = max_y = 0.0f;
  for (int i = 0; i < poly->vertex_count; ++i) {
    const VERTEX2DF& v = poly->vertices[i];
    if (v.x > max_x) max_x = v.x;
    if (v.x < min_x) min_x = v.x;
    if (v.y > max_y) max_y = v.y;
    if (v.y < min_y) min_y = v.y;
  }
  return 1;
}

int Translate_Polygon2D(POLYGON2D_TYP* poly, int dx, int dy) {
  if (!poly) return 0;
  poly->pos_x += dx;
  poly->pos_y += dy;
  return 1;
}

int Translate_Polygon2D_Mat(POLYGON2D_TYP* poly, int dx, int dy) {
  if (!poly) return 0;
  MATRIX3X2_TYP translate;
  Mat_Init_3X2(&translate, 1, 0, 0, 1, static_cast<float>(dx), static_cast<float>(dy));
  MATRIX1X2_TYP position{{static_cast<float>(poly->pos_x), static_cast<float>(poly->pos_y)}};
  MATRIX1X2_TYP moved;
  Mat_Mul_1X2_3X2(&position, &translate, &moved);
  poly->pos_x = to_int(moved.M[0]);
  poly->pos_y = to_int(moved.M[1]);
  return 1;
}

int Rotate_Polygon2D(POLYGON2D_TYP* poly, int theta) {
  if (!has_vertices(poly) || !table_angle(&theta)) return 0;
  const float c = cos_look[theta], s = sin_look[theta];
  return transform_vertices(poly, [&](VERTEX2DF& v) {
    const float x = v.x * c - v.y * s;
    const float y = v.x * s + v.y * c;
    v.x = x;
    v.y = y;
  });
}

int Rotate_Polygon2D_Mat(POLYGON2D_TYP* poly, int theta) {
  if (!has_vertices(poly) || !table_angle(&theta)) return 0;
  MATRIX3X2_TYP rotate;
  Mat_Init_3X2(&rotate, cos_look[theta], sin_look[theta], -sin_look[theta], cos_look[theta], 0, 0);
  return transform_vertices(poly, [&](VERTEX2DF& v) {
    MATRIX1X2_TYP point{{v.x, v.y}}, turned;
    Mat_Mul_1X2_3X2(&point, &rotate, &turned);
    v.x = turned.M[0];
    v.y = turned.M[1];
  });
}

int Scale_Polygon2D(POLYGON2D_TYP* poly, float sx, float sy) {
  if (!has_vertices(poly)) return 0;
  return transform_vertices(poly, [&](VERTEX2DF& v) {
    v.x *= sx;
    v.y *= sy;
  });
}

int Scale_Polygon2D_Mat(POLYGON2D_TYP* poly, float sx, float sy) {
  if (!has_vertices(poly)) return 0;
  MATRIX3X2_TYP scale;
  Mat_Init_3X2(&scale, sx, 0, 0, sy, 0, 0);
  return transform_vertices(poly, [&](VERTEX2DF& v) {
    MATRIX1X2_TYP point{{v.x, v.y}}, scaled;
    Mat_Mul_1X2_3X2(&point, &scale, &scaled);
    v.x = scaled.M[0];
    v.y = scaled.M[1];
  });
}

int Mat_Init_3X2(MATRIX3X2_TYP* ma, float m00, float m01, float m10, float m11, float m20,
                 float m21) {
  if (!ma) return 0;
  ma->M[0][0] = m00;
  ma->M[0][1] = m01;
  ma->M[1][0] = m10;
  ma->M[1][1] = m11;
  ma->M[2][0] = m20;
  ma->M[2][1] = m21;
  return 1;
}

int Mat_Mul_1X2_3X2(MATRIX1X2_TYP* ma, MATRIX3X2_TYP* mb, MATRIX1X2_TYP* mprod) {
  if (!ma || !mb || !mprod) return 0;
  for (int col = 0; col < 2; ++col) {
    float sum = 0;
    sum += ma->M[0] * mb->M[0][col];
    sum += ma->M[1] * mb->M[1][col];
    sum += mb->M[2][col];  // the vector's implied third element is 1
    mprod->M[col] = sum;
  }
  return 1;
}

int Mat_Mul_1X3_3X3(MATRIX1X3_TYP* ma, MATRIX3X3_TYP* mb, MATRIX1X3_TYP* mprod) {
  if (!ma || !mb || !mprod) return 0;
  for (int col = 0; col < 3; ++col) {
    float sum = 0;
    for (int row = 0; row < 3; ++row) sum += ma->M[row] * mb->M[row][col];
    mprod->M[col] = sum;
  }
  return 1;
}

int Mat_Mul_3X3(MATRIX3X3_TYP* ma, MATRIX3X3_TYP* mb, MATRIX3X3_TYP* mprod) {
  if (!ma || !mb || !mprod) return 0;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      float sum = 0;
      for (int k = 0; k < 3; ++k) sum += ma->M[row][k] * mb->M[k][col];
      mprod->M[row][col] = sum;
    }
  return 1;
}

int Fast_Distance_2D(int x, int y) {
  // In 64 bits so that even the most negative int has a magnitude.
  const int64_t ax = std::llabs(int64_t{x}), ay = std::llabs(int64_t{y});
  const int64_t m = std::min(ax, ay);
  return static_cast<int>(ax + ay - (m >> 1) - (m >> 2) + (m >> 4));
}

float Fast_Distance_3D(float fx, float fy, float fz) {
  // Magnitudes beyond 2^21 would leave the int range once scaled; pin them.
  auto scaled = [](float f) {
    const float v = std::fabs(f) * 1024;
    return v == v && v < 2147483520.0f ? static_cast<int>(v) : INT32_MAX;
  };
  int x = scaled(fx), y = scaled(fy), z = scaled(fz);
  if (y < x) std::swap(x, y);
  if (z < y) std::swap(y, z);
  if (y < x) std::swap(x, y);
  const int64_t dist = int64_t{z} + 11 * int64_t{y >> 5} + (x >> 2);
  return static_cast<float>(dist >> 10);
}
