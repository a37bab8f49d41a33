#include "engine/polygon.h"

#include <algorithm>
#include <cstdlib>

#include "engine/ddraw.h"
#include "engine/lines.h"
#include "engine/pixel_rows.h"

namespace {

struct Point {
  int x, y;
};

// Truncates toward zero; values no screen can hold (and NaN) are pinned so
// the conversion stays defined.
int truncate(float v) {
  constexpr float kLimit = 1 << 30;
  if (!(v == v)) return 0;
  return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

Point screen_point(const POLYGON2D_TYP* poly, int index) {
  const VERTEX2DF& v = poly->vertices[index];
  return {truncate(v.x + static_cast<float>(poly->pos_x)),
          truncate(v.y + static_cast<float>(poly->pos_y))};
}

// One side of the fill: walks from vertex to vertex with an integer error
// term, one row per step.
struct Walker {
  int vertex;  // the vertex it heads for
  int step;    // -1 for the left walker, +1 for the right one
  int x, y;    // where it stands
  int dx, dy, x_unit, error, count;
  bool x_major;

  void head_for(const POLYGON2D_TYP* poly) {
    Point end = screen_point(poly, vertex);
    dy = std::abs(end.y - y);
    dx = std::abs(end.x - x);
    x_unit = end.x - x < 0 ? -1 : 1;
    error = 0;
    x_major = dx > dy;
    count = x_major ? dx : dy;
  }
  void next_vertex(int vertex_count) { vertex = (vertex + step + vertex_count) % vertex_count; }
};

template <typename Pixel>
struct Canvas {
  uint8_t* buffer;
  int pitch;
  Pixel color;
  bool visible(int x, int y) const {
    return x >= min_clip_x && x <= max_clip_x && y >= min_clip_y && y <= max_clip_y;
  }
  void plot(int x, int y) const {
    if (visible(x, y)) *pixel_rows::at<Pixel>(buffer, pitch, x, y) = color;
  }
  void run(int x1, int x2, int y) const {
    if (y < min_clip_y || y > max_clip_y) return;
    x1 = std::max(x1, min_clip_x);
    x2 = std::min(x2, max_clip_x);
    if (x1 <= x2) pixel_rows::fill(pixel_rows::at<Pixel>(buffer, pitch, x1, y), color, x2 - x1 + 1);
  }
};

template <typename Pixel>
void walk_row(Walker& w, const Canvas<Pixel>& canvas) {
  if (w.x_major) {
    while (w.error < w.dx && w.count > 0) {
      --w.count;
      w.x += w.x_unit;
      w.error += w.dy;
      if (w.error < w.dx) canvas.plot(w.x, w.y);
    }
    w.error -= w.dx;
  } else {
    w.error += w.dx;
    if (w.error >= w.dy) {
      w.error -= w.dy;
      w.x += w.x_unit;
    }
    --w.count;
  }
}

template <typename Pixel>
void fill_polygon(const POLYGON2D_TYP* poly, uint8_t* vbuffer, int mempitch) {
  if (!poly || !poly->vertices || !vbuffer || poly->vertex_count < 3) return;
  const int n = poly->vertex_count;
  const Canvas<Pixel> canvas{vbuffer, mempitch, static_cast<Pixel>(poly->color)};

  // Top vertex; of vertices whose y truncate alike, the earlier one wins.
  int top = 0;
  int min_y = truncate(poly->vertices[0].y);
  for (int i = 1; i < n; ++i) {
    if (poly->vertices[i].y < static_cast<float>(min_y)) {
      top = i;
      min_y = truncate(poly->vertices[i].y);
    }
  }

  const Point start = screen_point(poly, top);
  Walker left{top, -1, start.x, start.y, 0, 0, 1, 0, 0, false};
  Walker right{top, +1, start.x, start.y, 0, 0, 1, 0, 0, false};
  left.next_vertex(n);
  right.next_vertex(n);
  int edges = n - 1;
  left.head_for(poly);
  right.head_for(poly);
  while (edges > 0) {
    while (left.count && right.count) {
      walk_row(left, canvas);
      walk_row(right, canvas);
      canvas.run(std::min(left.x, right.x), std::max(left.x, right.x), left.y);
      ++left.y;
      ++right.y;
    }
    // A walker at the end of its edge takes the next one from where it stands.
    for (Walker* w : {&left, &right}) {
      if (w->count) continue;
      --edges;
      w->next_vertex(n);
      w->head_for(poly);
    }
  }
}

template <typename DrawLine>
int outline(POLYGON2D_TYP* poly, uint8_t* vbuffer, int lpitch, DrawLine draw) {
  if (!poly || !poly->state) return 0;
  if (!poly->vertices || poly->vertex_count < 1) return 1;
  const int n = poly->vertex_count;
  for (int i = 0; i < n - 1; ++i) {
    Point a = screen_point(poly, i), b = screen_point(poly, i + 1);
    draw(a.x, a.y, b.x, b.y, poly->color, vbuffer, lpitch);
  }
  Point first = screen_point(poly, 0), last = screen_point(poly, n - 1);
  draw(first.x, first.y, last.x, last.y, poly->color, vbuffer, lpitch);
  return 1;
}

}  // namespace

void Draw_Filled_Polygon2D(POLYGON2D_TYP* poly, uint8_t* vbuffer, int mempitch) {
  fill_polygon<uint8_t>(poly, vbuffer, mempitch);
}

void Draw_Filled_Polygon2D16(POLYGON2D_TYP* poly, uint8_t* vbuffer, int mempitch) {
  fill_polygon<uint16_t>(poly, vbuffer, mempitch);
}

int Draw_Polygon2D(POLYGON2D_TYP* poly, uint8_t* vbuffer, int lpitch) {
  return outline(poly, vbuffer, lpitch, Draw_Clip_Line);
}

int Draw_Polygon2D16(POLYGON2D_TYP* poly, uint8_t* vbuffer, int lpitch) {
  return outline(poly, vbuffer, lpitch, Draw_Clip_Line16);
}
