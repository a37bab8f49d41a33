#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/math2d.h"
#include "engine/polygon.h"
#include "engine/triangle.h"
#include "engine_fixture.h"

namespace {

using TriangleFn = void (*)(int, int, int, int, int, int, int, uint8_t*, int);

// The filled columns of each row: {row, first, last}; rows with no pixel are
// left out.
struct Span {
  int row, first, last;
  bool operator==(const Span& o) const {
    return row == o.row && first == o.first && last == o.last;
  }
};
std::ostream& operator<<(std::ostream& os, const Span& s) {
  return os << "{" << s.row << "," << s.first << "," << s.last << "}";
}

template <typename Pixel>
std::vector<Span> spans(const Canvas<Pixel>& c, Pixel value) {
  std::vector<Span> out;
  for (int y = 0; y < c.height; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < c.width; ++x)
      if (c.at(x, y) == value) {
        if (first < 0) first = x;
        last = x;
      }
    if (first >= 0) out.push_back({y, first, last});
  }
  return out;
}

// Runs a triangle routine of either depth and returns what it filled.
std::vector<Span> draw(TriangleFn fn, bool words, std::vector<int> v, int w = 40, int h = 40) {
  if (words) {
    Canvas<uint16_t> c(w, h);
    fn(v[0], v[1], v[2], v[3], v[4], v[5], 0x1ABCD, c.buffer(), c.pitch);
    return spans<uint16_t>(c, 0xABCD);
  }
  Canvas<uint8_t> c(w, h);
  fn(v[0], v[1], v[2], v[3], v[4], v[5], 0x1AB, c.buffer(), c.pitch);
  return spans<uint8_t>(c, 0xAB);
}

struct Family {
  const char* name;
  TriangleFn triangle, top, bottom;
  bool words;
};
const Family kFamilies[] = {
    {"float8", Draw_Triangle_2D, Draw_Top_Tri, Draw_Bottom_Tri, false},
    {"float16", Draw_Triangle_2D16, Draw_Top_Tri16, Draw_Bottom_Tri16, true},
    {"fixed8", Draw_TriangleFP_2D, Draw_Top_TriFP, Draw_Bottom_TriFP, false},
};

class Triangles : public ::testing::Test {
 protected:
  void SetUp() override { set_clip(0, 0, 39, 39); }
};

TEST_F(Triangles, GeneralTriangleSplitsAtTheMiddleRow) {
  // Split at row 4 with new_x = 2 + trunc(0.5 + 4 * -2 / 6) = 2; row 4 is
  // filled by both halves.
  const std::vector<Span> expected = {{0, 2, 2}, {1, 2, 3}, {2, 2, 4}, {3, 2, 5},
                                      {4, 2, 6}, {5, 1, 3}, {6, 0, 0}};
  for (const Family& f : kFamilies) {
    for (auto corners : {std::vector<int>{2, 0, 6, 4, 0, 6}, std::vector<int>{0, 6, 2, 0, 6, 4},
                         std::vector<int>{6, 4, 0, 6, 2, 0}})
      EXPECT_EQ(draw(f.triangle, f.words, corners), expected) << f.name;
    std::vector<Span> halves = draw(f.bottom, f.words, {2, 0, 2, 4, 6, 4});
    std::vector<Span> lower = draw(f.top, f.words, {6, 4, 2, 4, 0, 6});
    EXPECT_EQ(halves.back(), lower.front()) << f.name;  // the shared row
    halves.insert(halves.end(), lower.begin() + 1, lower.end());
    EXPECT_EQ(halves, expected) << f.name;
  }
}

TEST_F(Triangles, FloatTruncatesWhereFixedPointRounds) {
  // Edges with slopes -1.5 and 0.5: row 1 runs from 2.5 to 4.5.
  const std::vector<int> flat_bottom = {4, 0, 1, 2, 5, 2};
  const std::vector<Span> truncated = {{0, 4, 4}, {1, 2, 4}, {2, 1, 5}};
  const std::vector<Span> rounded = {{0, 4, 4}, {1, 3, 5}, {2, 1, 5}};
  EXPECT_EQ(draw(Draw_Bottom_Tri, false, flat_bottom), truncated);
  EXPECT_EQ(draw(Draw_Bottom_Tri16, true, flat_bottom), truncated);
  EXPECT_EQ(draw(Draw_Bottom_TriFP, false, flat_bottom), rounded);
  // The flat top's right edge starts half a pixel in (float) or not (fixed).
  EXPECT_EQ(draw(Draw_Top_Tri, false, {0, 0, 3, 0, 1, 2}),
            (std::vector<Span>{{0, 0, 3}, {1, 0, 2}, {2, 1, 1}}));
  EXPECT_EQ(draw(Draw_Top_TriFP, false, {0, 0, 3, 0, 1, 2}),
            (std::vector<Span>{{0, 0, 3}, {1, 1, 3}, {2, 1, 1}}));  // run from unrounded edges
}

TEST_F(Triangles, DegenerateAndInvisibleTrianglesDrawNothing) {
  const std::vector<std::vector<int>> nothing = {
      {1, 5, 9, 5, 20, 5},      // one row
      {7, 1, 7, 9, 7, 30},      // one column
      {1, -20, 9, -10, 5, -1},  // above the clip rectangle
      {-9, 1, -1, 9, -5, 30},   // left of it
      {45, 1, 50, 9, 41, 30},   // right of it
      {1, 40, 9, 45, 5, 60},    // below it
  };
  for (const Family& f : kFamilies)
    for (const auto& v : nothing) EXPECT_TRUE(draw(f.triangle, f.words, v).empty()) << f.name;
  // Flat triangles of no height: nothing, and no division by zero.
  for (const Family& f : kFamilies) {
    EXPECT_TRUE(draw(f.top, f.words, {1, 5, 9, 5, 4, 5}).empty()) << f.name;
    EXPECT_TRUE(draw(f.bottom, f.words, {4, 5, 1, 5, 9, 5}).empty()) << f.name;
  }
  EXPECT_TRUE(draw(Draw_Bottom_TriFP, false, {1, 5, 9, 5, 4, 9}).empty());  // y1 = y2
  EXPECT_TRUE(draw(Draw_Top_TriFP, false, {1, 5, 9, 9, 4, 9}).empty());     // y2 = y3
}

TEST_F(Triangles, PartlyVisibleTrianglesAreCutAtTheClipRectangle) {
  set_clip(10, 10, 20, 20);
  for (const Family& f : kFamilies) {
    std::vector<Span> got = draw(f.triangle, f.words, {-5, -5, 60, 0, 0, 60});
    ASSERT_EQ(got.size(), 11u) << f.name;
    for (const Span& s : got) {
      EXPECT_TRUE(s.row >= 10 && s.row <= 20) << f.name << s;
      EXPECT_EQ(s.first, 10) << f.name << s;
      EXPECT_EQ(s.last, 20) << f.name << s;
    }
  }
}

TEST_F(Triangles, FixedPointRunsStopAtTheRightClipColumn) {
  // Rounding carries row 3 from 798.5 + 0.5 to 800 unless the run is held.
  set_clip(0, 0, 799, 9);
  Canvas<uint8_t> c(801, 10);
  Draw_Top_TriFP(797, 0, 799, 0, 799, 4, 5, c.buffer(), c.pitch);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(c.at(800, y), 0) << y;
  EXPECT_EQ(c.at(799, 3), 5);
}

POLYGON2D_TYP polygon(std::vector<VERTEX2DF>& v, int x, int y, int color) {
  POLYGON2D_TYP p{};
  p.state = 1;
  p.vertex_count = int(v.size());
  p.pos_x = x;
  p.pos_y = y;
  p.color = color;
  p.vertices = v.data();
  return p;
}

TEST(Polygons, SquareFillsRowsAboveItsLowerEdge) {
  set_clip(0, 0, 199, 199);
  std::vector<VERTEX2DF> clockwise = {{-10, -10}, {10, -10}, {10, 10}, {-10, 10}};
  std::vector<VERTEX2DF> counter = {{-10, -10}, {-10, 10}, {10, 10}, {10, -10}};
  std::vector<Span> expected;
  for (int row = 90; row <= 109; ++row) expected.push_back({row, 90, 110});
  for (auto* v : {&clockwise, &counter}) {
    POLYGON2D_TYP p = polygon(*v, 100, 100, 0x1F7);
    Canvas<uint8_t> c8(200, 200);
    Draw_Filled_Polygon2D(&p, c8.buffer(), c8.pitch);
    EXPECT_EQ(spans<uint8_t>(c8, 0xF7), expected);
    EXPECT_EQ(c8.count(0xF7), 20 * 21);
    Canvas<uint16_t> c16(200, 200, 402);
    Draw_Filled_Polygon2D16(&p, c16.buffer(), c16.pitch);
    EXPECT_EQ(spans<uint16_t>(c16, 0x01F7), expected);
  }
}

TEST(Polygons, FillOfAHexagonStaysWithinItsOutline) {
  set_clip(0, 0, 99, 99);
  std::vector<VERTEX2DF> v = {{0, -20}, {17, -10}, {17, 10}, {0, 20}, {-17, 10}, {-17, -10}};
  POLYGON2D_TYP p = polygon(v, 50, 50, 3);
  Canvas<uint8_t> c(100, 100);
  Draw_Filled_Polygon2D(&p, c.buffer(), c.pitch);
  std::vector<Span> got = spans<uint8_t>(c, 3);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.front().row, 30);
  EXPECT_EQ(got.back().row, 69);  // the bottom row stays open
  for (const Span& s : got) {
    EXPECT_GE(s.first, 33);
    EXPECT_LE(s.last, 67);
  }
  EXPECT_EQ(got[20].first, 33);  // the widest rows reach the side edges
  EXPECT_EQ(got[20].last, 67);
}

TEST(Polygons, FillRefusesWhatWouldWriteOutOfBounds) {
  set_clip(0, 0, 19, 19);
  std::vector<VERTEX2DF> two = {{0, 0}, {10, 10}};
  POLYGON2D_TYP p = polygon(two, 5, 5, 9);
  Canvas<uint8_t> c(20, 20);
  Draw_Filled_Polygon2D(&p, c.buffer(), c.pitch);
  Draw_Filled_Polygon2D(nullptr, c.buffer(), c.pitch);
  EXPECT_EQ(c.count(9), 0);
  // Reaching past the clip rectangle: only the visible part is written.
  std::vector<VERTEX2DF> big = {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
  p = polygon(big, 10, 10, 9);
  Draw_Filled_Polygon2D(&p, c.buffer(), c.pitch);
  EXPECT_EQ(c.count(9), 400);
}

TEST(Polygons, OutlineIsClosedAndNeedsState) {
  set_clip(0, 0, 29, 29);
  std::vector<VERTEX2DF> v = {{0, 0}, {10, 0}, {10, 10}};
  POLYGON2D_TYP p = polygon(v, 5, 5, 4);
  Canvas<uint8_t> c(30, 30);
  EXPECT_EQ(Draw_Polygon2D(&p, c.buffer(), c.pitch), 1);
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(c.at(5 + i, 5), 4);      // top edge
    EXPECT_EQ(c.at(15, 5 + i), 4);     // right edge
    EXPECT_EQ(c.at(5 + i, 5 + i), 4);  // back from the last vertex to the first
  }
  EXPECT_EQ(c.count(4), 11 + 11 + 11 - 3);
  Canvas<uint16_t> c16(30, 30);
  p.state = 0;
  EXPECT_EQ(Draw_Polygon2D16(&p, c16.buffer(), c16.pitch), 0);
  EXPECT_EQ(c16.count(4), 0);
  p.state = 1;
  EXPECT_EQ(Draw_Polygon2D16(&p, c16.buffer(), c16.pitch), 1);
  EXPECT_EQ(c16.count(4), 30);
}

TEST(Math2D, BoundingBoxAlwaysHoldsTheOrigin) {
  std::vector<VERTEX2DF> v = {{5, 3}, {9, 7}, {6, 4}};
  POLYGON2D_TYP p = polygon(v, 100, 100, 0);
  float min_x = -1, max_x = -1, min_y = -1, max_y = -1;
  ASSERT_EQ(Find_Bounding_Box_Poly2D(&p, min_x, max_x, min_y, max_y), 1);
  EXPECT_EQ((std::vector<float>{min_x, max_x, min_y, max_y}), (std::vector<float>{0, 9, 0, 7}));
  p.vertex_count = 0;
  EXPECT_EQ(Find_Bounding_Box_Poly2D(&p, min_x, max_x, min_y, max_y), 0);
  EXPECT_EQ(Find_Bounding_Box_Poly2D(nullptr, min_x, max_x, min_y, max_y), 0);
}

TEST(Math2D, RotationsTurnByTheTables) {
  Build_Sin_Cos_Tables();
  EXPECT_EQ(cos_look[0], 1.0f);
  EXPECT_FLOAT_EQ(sin_look[30], 0.5f);
  EXPECT_EQ(sin_look[90], 1.0f);
  using Rotate = int (*)(POLYGON2D_TYP*, int);
  for (Rotate rotate : {Rotate(Rotate_Polygon2D), Rotate(Rotate_Polygon2D_Mat)}) {
    std::vector<VERTEX2DF> v = {{1, 0}, {0, 2}};
    POLYGON2D_TYP p = polygon(v, 0, 0, 0);
    ASSERT_EQ(rotate(&p, 90), 1);
    EXPECT_NEAR(v[0].x, 0, 1e-6);
    EXPECT_NEAR(v[0].y, 1, 1e-6);
    EXPECT_NEAR(v[1].x, -2, 1e-6);
    ASSERT_EQ(rotate(&p, -90), 1);  // as 270
    EXPECT_NEAR(v[0].x, 1, 1e-6);
    EXPECT_NEAR(v[0].y, 0, 1e-6);
    EXPECT_EQ(rotate(&p, -360), 1);
    // Angles the tables do not hold are refused, the vertices untouched.
    const VERTEX2DF before = v[0];
    EXPECT_EQ(rotate(&p, 361), 0);
    EXPECT_EQ(rotate(&p, -361), 0);
    EXPECT_EQ(v[0].x, before.x);
    EXPECT_EQ(rotate(nullptr, 10), 0);
  }
  // Both ways give the very same float32 results.
  std::vector<VERTEX2DF> a = {{3.7f, -1.2f}, {-5.5f, 8.25f}}, b = a;
  POLYGON2D_TYP pa = polygon(a, 0, 0, 0), pb = polygon(b, 0, 0, 0);
  Rotate_Polygon2D(&pa, 37);
  Rotate_Polygon2D_Mat(&pb, 37);
  EXPECT_EQ(a[0].x, b[0].x);
  EXPECT_EQ(a[1].y, b[1].y);
}

TEST(Math2D, TranslateAndScaleDirectlyAndByMatrix) {
  std::vector<VERTEX2DF> v = {{2, -3}};
  POLYGON2D_TYP p = polygon(v, 10, 20, 0);
  EXPECT_EQ(Translate_Polygon2D(&p, 5, -7), 1);
  EXPECT_EQ(p.pos_x, 15);
  EXPECT_EQ(p.pos_y, 13);
  EXPECT_EQ(Translate_Polygon2D_Mat(&p, -20, 2), 1);
  EXPECT_EQ(p.pos_x, -5);
  EXPECT_EQ(p.pos_y, 15);
  EXPECT_EQ(v[0].x, 2);  // the vertices stay
  EXPECT_EQ(Scale_Polygon2D(&p, 2.5f, -1), 1);
  EXPECT_EQ(v[0].x, 5);
  EXPECT_EQ(v[0].y, 3);
  EXPECT_EQ(Scale_Polygon2D_Mat(&p, 0.5f, 2), 1);
  EXPECT_EQ(v[0].x, 2.5f);
  EXPECT_EQ(v[0].y, 6);
  // Large positions go through float32 in the matrix path.
  p.pos_x = 16777217;
  Translate_Polygon2D_Mat(&p, 0, 0);
  EXPECT_EQ(p.pos_x, 16777216);
  for (auto* fn : {Translate_Polygon2D, Translate_Polygon2D_Mat}) EXPECT_EQ(fn(nullptr, 1, 1), 0);
  EXPECT_EQ(Scale_Polygon2D(nullptr, 1, 1), 0);
  EXPECT_EQ(Scale_Polygon2D_Mat(nullptr, 1, 1), 0);
}

TEST(Math2D, MatrixProducts) {
  MATRIX3X2_TYP m;
  ASSERT_EQ(Mat_Init_3X2(&m, 1, 2, 3, 4, 5, 6), 1);
  EXPECT_EQ(m.M[2][1], 6);
  MATRIX1X2_TYP v{{10, 100}}, r;
  Mat_Mul_1X2_3X2(&v, &m, &r);
  EXPECT_EQ(r.M[0], 10 + 300 + 5);
  EXPECT_EQ(r.M[1], 20 + 400 + 6);

  MATRIX3X3_TYP a{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}, b{{{9, 8, 7}, {6, 5, 4}, {3, 2, 1}}}, ab;
  Mat_Mul_3X3(&a, &b, &ab);
  const float expected[3][3] = {{30, 24, 18}, {84, 69, 54}, {138, 114, 90}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(ab.M[i][j], expected[i][j]);
  MATRIX1X3_TYP row{{1, 0, -1}}, prod;
  Mat_Mul_1X3_3X3(&row, &a, &prod);
  EXPECT_EQ(prod.M[0], -6);
  EXPECT_EQ(prod.M[2], -6);
  // Summed in float32 from the first term: 1e8 + 1 - 1e8 is 0, not 1.
  MATRIX3X3_TYP big{{{1e8f, 0, 0}, {1, 0, 0}, {-1e8f, 0, 0}}};
  MATRIX1X3_TYP ones{{1, 1, 1}};
  Mat_Mul_1X3_3X3(&ones, &big, &prod);
  EXPECT_EQ(prod.M[0], 0);
}

TEST(Math2D, FastDistances) {
  struct Case {
    int x, y, d;
  };
  for (Case c :
       {Case{3, 4, 6}, Case{10, 0, 10}, Case{-16, 16, 21}, Case{0, 0, 0}, Case{100, -100, 131}})
    EXPECT_EQ(Fast_Distance_2D(c.x, c.y), c.d) << c.x << "," << c.y;
  EXPECT_EQ(Fast_Distance_3D(1, 0, 0), 1.0f);
  EXPECT_EQ(Fast_Distance_3D(0, -2.5f, 0), 2.0f);
  EXPECT_EQ(Fast_Distance_3D(3, 4, 12), 14.0f);  // (12288 + 11 * 128 + 768) >> 10
  const float d = Fast_Distance_3D(7.3f, -2.2f, 5.9f);
  EXPECT_EQ(d, std::floor(d));
}

}  // namespace
