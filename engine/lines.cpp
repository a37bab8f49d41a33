#include "engine/lines.h"

#include <utility>

#include "engine/ddraw.h"
#include "engine/pixel_rows.h"

namespace {

using pixel_rows::at;
using pixel_rows::row_step;

template <typename Pixel>
void draw_line(int x0, int y0, int x1, int y1, Pixel color, uint8_t* vb_start, int lpitch) {
  Pixel* address = at<Pixel>(vb_start, lpitch, x0, y0);
  int dx = x1 - x0, dy = y1 - y0;
  int x_inc = 1, y_inc = row_step<Pixel>(lpitch);
  if (dx < 0) {
    x_inc = -1;
    dx = -dx;
  }
  if (dy < 0) {
    y_inc = -y_inc;
    dy = -dy;
  }
  const int dx2 = dx * 2, dy2 = dy * 2;
  if (dx > dy) {
    int error = dy2 - dx;
    for (int i = 0; i <= dx; ++i) {
      *address = color;
      if (error >= 0) {
        error -= dx2;
        address += y_inc;
      }
      error += dy2;
      address += x_inc;
    }
  } else {
    int error = dx2 - dy;
    for (int i = 0; i <= dy; ++i) {
      *address = color;
      if (error >= 0) {
        error -= dy2;
        address += x_inc;
      }
      error += dx2;
      address += y_inc;
    }
  }
}

template <typename Pixel>
void hline(int x1, int x2, int y, Pixel color, uint8_t* vbuffer, int lpitch) {
  if (y < min_clip_y || y > max_clip_y) return;
  if (x1 > x2) std::swap(x1, x2);
  if (x1 > max_clip_x || x2 < min_clip_x) return;
  if (x1 < min_clip_x) x1 = min_clip_x;
  if (x2 > max_clip_x) x2 = max_clip_x;
  pixel_rows::fill(at<Pixel>(vbuffer, lpitch, x1, y), color, x2 - x1 + 1);
}

template <typename Pixel>
void vline(int y1, int y2, int x, Pixel color, uint8_t* vbuffer, int lpitch) {
  if (x < min_clip_x || x > max_clip_x) return;
  if (y1 > y2) std::swap(y1, y2);
  if (y1 > max_clip_y || y2 < min_clip_y) return;
  if (y1 < min_clip_y) y1 = min_clip_y;
  if (y2 > max_clip_y) y2 = max_clip_y;
  Pixel* address = at<Pixel>(vbuffer, lpitch, x, y1);
  const int step = row_step<Pixel>(lpitch);
  for (int y = y1; y <= y2; ++y, address += step) *address = color;
}

// Region codes of an end point against the clip rectangle.
constexpr int kTop = 8, kBottom = 4, kLeft = 1, kRight = 2;

int region(int x, int y) {
  int code = 0;
  if (y < min_clip_y)
    code |= kTop;
  else if (y > max_clip_y)
    code |= kBottom;
  if (x < min_clip_x)
    code |= kLeft;
  else if (x > max_clip_x)
    code |= kRight;
  return code;
}

// Coordinates far outside the int range only arise from absurd input; keep
// them outside the clip rectangle without overflowing.
int to_coordinate(double v) {
  constexpr double kLimit = 1 << 30;
  if (v > kLimit) return 1 << 30;
  if (v < -kLimit) return -(1 << 30);
  return static_cast<int>(v);
}

// a + 0.5 + q in double precision, truncated toward zero.
int rounded(int a, int64_t q) { return to_coordinate(a + 0.5 + static_cast<double>(q)); }
int plain(int a, int64_t q) { return to_coordinate(static_cast<double>(a + q)); }

// Where the line from (ax, ay) toward (bx, by) crosses a clip edge, for the
// point a with region code `code`. Single edges use `edge_round`, corners
// always round.
void clip_point(int code, int ax, int ay, int bx, int by, bool round_edges, int* nx, int* ny) {
  auto along_y = [&](int edge_y) {  // x where the line meets row edge_y
    int64_t q = int64_t(edge_y - ay) * (bx - ax) / (by - ay);
    return round_edges ? rounded(ax, q) : plain(ax, q);
  };
  auto along_x = [&](int edge_x) {  // y where the line meets column edge_x
    int64_t q = int64_t(edge_x - ax) * (by - ay) / (bx - ax);
    return round_edges ? rounded(ay, q) : plain(ay, q);
  };
  auto corner = [&](int edge_y, int edge_x) {
    int64_t q = int64_t(edge_y - ay) * (bx - ax) / (by - ay);
    int x = rounded(ax, q);
    if (x < min_clip_x || x > max_clip_x) {
      q = int64_t(edge_x - ax) * (by - ay) / (bx - ax);
      *nx = edge_x;
      *ny = rounded(ay, q);
    } else {
      *nx = x;
      *ny = edge_y;
    }
  };
  switch (code) {
    case kTop: *ny = min_clip_y, *nx = along_y(min_clip_y); break;
    case kBottom: *ny = max_clip_y, *nx = along_y(max_clip_y); break;
    case kLeft: *nx = min_clip_x, *ny = along_x(min_clip_x); break;
    case kRight: *nx = max_clip_x, *ny = along_x(max_clip_x); break;
    case kTop | kLeft: corner(min_clip_y, min_clip_x); break;
    case kTop | kRight: corner(min_clip_y, max_clip_x); break;
    case kBottom | kLeft: corner(max_clip_y, min_clip_x); break;
    case kBottom | kRight: corner(max_clip_y, max_clip_x); break;
    default: *nx = ax, *ny = ay; break;
  }
}

bool inside(int x, int y) {
  return x >= min_clip_x && x <= max_clip_x && y >= min_clip_y && y <= max_clip_y;
}

}  // namespace

int Draw_Pixel(int x, int y, int color, uint8_t* video_buffer, int lpitch) {
  *at<uint8_t>(video_buffer, lpitch, x, y) = static_cast<uint8_t>(color);
  return 1;
}

int Draw_Pixel16(int x, int y, int color, uint8_t* video_buffer, int lpitch) {
  *at<uint16_t>(video_buffer, lpitch, x, y) = static_cast<uint16_t>(color);
  return 1;
}

int Draw_Line(int x0, int y0, int x1, int y1, int color, uint8_t* vb_start, int lpitch) {
  draw_line<uint8_t>(x0, y0, x1, y1, static_cast<uint8_t>(color), vb_start, lpitch);
  return 1;
}

int Draw_Line16(int x0, int y0, int x1, int y1, int color, uint8_t* vb_start, int lpitch) {
  draw_line<uint16_t>(x0, y0, x1, y1, static_cast<uint16_t>(color), vb_start, lpitch);
  return 1;
}

int Clip_Line(int& x1, int& y1, int& x2, int& y2) {
  const int code1 = region(x1, y1), code2 = region(x2, y2);
  if (code1 & code2) return 0;
  if (code1 == 0 && code2 == 0) return 1;
  // Point 1 rounds at every edge; point 2 only at the corners.
  int nx1, ny1, nx2, ny2;
  clip_point(code1, x1, y1, x2, y2, true, &nx1, &ny1);
  clip_point(code2, x2, y2, x1, y1, false, &nx2, &ny2);
  if (!inside(nx1, ny1) || !inside(nx2, ny2)) return 0;
  x1 = nx1;
  y1 = ny1;
  x2 = nx2;
  y2 = ny2;
  return 1;
}

int Draw_Clip_Line(int x0, int y0, int x1, int y1, int color, uint8_t* dest_buffer, int lpitch) {
  if (Clip_Line(x0, y0, x1, y1)) Draw_Line(x0, y0, x1, y1, color, dest_buffer, lpitch);
  return 1;
}

int Draw_Clip_Line16(int x0, int y0, int x1, int y1, int color, uint8_t* dest_buffer, int lpitch) {
  if (Clip_Line(x0, y0, x1, y1)) Draw_Line16(x0, y0, x1, y1, color, dest_buffer, lpitch);
  return 1;
}

void HLine(int x1, int x2, int y, int color, uint8_t* vbuffer, int lpitch) {
  hline<uint8_t>(x1, x2, y, static_cast<uint8_t>(color), vbuffer, lpitch);
}

void HLine16(int x1, int x2, int y, int color, uint8_t* vbuffer, int lpitch) {
  hline<uint16_t>(x1, x2, y, static_cast<uint16_t>(color), vbuffer, lpitch);
}

void VLine(int y1, int y2, int x, int color, uint8_t* vbuffer, int lpitch) {
  vline<uint8_t>(y1, y2, x, static_cast<uint8_t>(color), vbuffer, lpitch);
}

void VLine16(int y1, int y2, int x, int color, uint8_t* vbuffer, int lpitch) {
  vline<uint16_t>(y1, y2, x, static_cast<uint16_t>(color), vbuffer, lpitch);
}

int Draw_Rectangle(int x1, int y1, int x2, int y2, int color, plat::Surface* lpdds) {
  if (!lpdds) return 0;
  plat::Rect area{x1, y1, x2, y2};
  plat::fill(lpdds, &area, static_cast<uint32_t>(color));
  return 1;
}

void Mem_Set_WORD(void* dest, uint16_t data, int count) {
  pixel_rows::fill(static_cast<uint16_t*>(dest), data, count);
}
