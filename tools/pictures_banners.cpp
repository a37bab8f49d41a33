// The victory and defeat banners: a framed plate with bevelled block letters.
#include <cctype>
#include <cstring>
#include <string>

#include "tools/pictures_art.h"

namespace pictures {
namespace {

constexpr int kWidth = 500, kHeight = 154;

// 5 x 7 capitals, one string of 35 cells per glyph.
const char* glyph(char c) {
  switch (c) {
    case 'A': return ".###.#...##...#######...##...##...#";
    case 'C': return ".###.#...##....#....#....#...#.###.";
    case 'D': return "####.#...##...##...##...##...#####.";
    case 'E': return "######....#....####.#....#....#####";
    case 'F': return "######....#....####.#....#....#....";
    case 'H': return "#...##...##...#######...##...##...#";
    case 'I': return ".###...#....#....#....#....#...###.";
    case 'L': return "#....#....#....#....#....#....#####";
    case 'M': return "#...###.###.#.##.#.##...##...##...#";
    case 'N': return "#...###..##.#.##..###...##...##...#";
    case 'O': return ".###.#...##...##...##...##...#.###.";
    case 'R': return "####.#...##...#####.#.#..#..#.#...#";
    case 'S': return ".#####....#.....###.....#....#####.";
    case 'T': return "#####..#....#....#....#....#....#..";
    case 'U': return "#...##...##...##...##...##...#.###.";
    case 'V': return "#...##...##...##...#.#.#..#.#...#..";
    case 'Y': return "#...##...#.#.#...#....#....#....#..";
    case 'W': return "#...##...##...##.#.##.#.##.#.#.#.#.";
    default: return nullptr;
  }
}

bool ink(char c, int col, int row) {
  const char* g = glyph(char(std::toupper(static_cast<unsigned char>(c))));
  return g && std::strlen(g) >= 35 && g[row * 5 + col] == '#';
}

int text_width(const std::string& text, int size) { return (int(text.size()) * 6 - 1) * size; }

struct Style {
  Rgb top, bottom, edge_light, edge_dark, shadow;
};

// Each font cell becomes a size x size block, shaded top to bottom and
// bevelled, over a drop shadow and a dark outline.
void letters(Canvas& c, const std::string& text, int x0, int y0, int size, const Style& s) {
  const int w = text_width(text, size), h = 7 * size;
  Canvas mask(w + 2 * size, h + 2 * size);
  for (size_t i = 0; i < text.size(); ++i)
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (ink(text[i], col, row))
          mask.fill(size + (int(i) * 6 + col) * size, size + row * size, size, size, 1);
  auto on = [&](int x, int y) { return mask.get(x, y) != kClear; };
  const int drop = size / 3 + 1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (on(x - drop, y - drop)) c.put(x0 - size + x, y0 - size + y, s.shadow);
  const int rim = size >= 6 ? 2 : 1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      bool near = false;
      for (int dy = -rim; dy <= rim && !near; ++dy)
        for (int dx = -rim; dx <= rim && !near; ++dx) near = on(x + dx, y + dy);
      if (near && !on(x, y)) c.put(x0 - size + x, y0 - size + y, Rgb{22, 14, 18});
    }
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      if (!on(x, y)) continue;
      const double t = double(y - size) / h;
      Rgb col = mix(s.top, s.bottom, t);
      const int cx = (x - size) % size, cy = (y - size) % size;
      if (size >= 6) {
        if (!on(x, y - 1) || (cy == 0 && !on(x, y - size)))
          col = s.edge_light;
        else if (!on(x, y + 1) || !on(x + 1, y))
          col = s.edge_dark;
        else if (!on(x - 1, y))
          col = mix(col, s.edge_light, 0.5);
      }
      (void)cx;
      c.put(x0 - size + x, y0 - size + y, col);
    }
}

void centered(Canvas& c, const std::string& text, int y, int size, const Style& s) {
  letters(c, text, (kWidth - text_width(text, size)) / 2, y, size, s);
}

// A plate with cut corners, a bevelled gold frame and a shaded field.
void plate(Canvas& c, Rgb field_top, Rgb field_bottom) {
  const Rgb outline{20, 14, 16}, gold{226, 176, 64}, gold_light{255, 236, 150},
      gold_dark{136, 92, 30};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int dx = std::min(x, kWidth - 1 - x), dy = std::min(y, kHeight - 1 - y);
      if (dx + dy < 8) continue;  // cut corners stay clear
      const int d = std::min(dx, dy), diag = dx + dy - 8;
      const int edge = std::min(d, diag);
      Rgb col;
      if (edge < 2)
        col = outline;
      else if (edge < 3)
        col = (x < kWidth / 2 && y < kHeight / 2) || dy == d ? gold_light : gold;
      else if (edge < 8)
        col = mix(gold, gold_dark, (edge - 3) / 5.0);
      else if (edge < 10)
        col = outline;
      else if (edge < 11)
        col = gold_dark;
      else
        col = mix(field_top, field_bottom, double(y) / kHeight);
      c.put(x, y, col);
    }
  // Rivets in the frame's corners.
  for (int cx : {18, kWidth - 19})
    for (int cy : {18, kHeight - 19})
      for (int y = -3; y <= 3; ++y)
        for (int x = -3; x <= 3; ++x)
          if (x * x + y * y <= 9)
            c.put(cx + x, cy + y, x + y < -1 ? gold_light : (x + y > 1 ? gold_dark : gold));
}

// A diamond ornament with a highlight.
void gem(Canvas& c, int cx, int cy, int r, Rgb light, Rgb dark) {
  for (int y = -r - 2; y <= r + 2; ++y)
    for (int x = -r - 2; x <= r + 2; ++x) {
      const int d = std::abs(x) + std::abs(y);
      if (d > r + 2) continue;
      c.put(cx + x, cy + y, d > r ? Rgb{20, 14, 16} : (x + y < 0 ? light : dark));
    }
}

void banner(Canvas& sheet, int x, int y, bool won) {
  Canvas c(kWidth, kHeight);
  if (won) {
    plate(c, {30, 52, 120}, {12, 20, 58});
    const Style title{{255, 244, 160}, {236, 140, 30}, {255, 252, 220}, {150, 78, 16}, {8, 12, 30}};
    const Style sub{{226, 236, 255}, {160, 190, 240}, {255, 255, 255}, {90, 110, 160}, {8, 12, 30}};
    centered(c, "VICTORY", 24, 9, title);
    centered(c, "THE REALM IS SAVED", 106, 3, sub);
    gem(c, 42, 56, 9, {140, 230, 255}, {40, 120, 200});
    gem(c, kWidth - 43, 56, 9, {140, 230, 255}, {40, 120, 200});
  } else {
    plate(c, {96, 14, 20}, {30, 6, 10});
    const Style title{{255, 120, 100}, {150, 16, 20}, {255, 200, 180}, {70, 8, 10}, {12, 4, 6}};
    const Style sub{{236, 220, 210}, {190, 160, 150}, {255, 245, 240}, {110, 80, 76}, {12, 4, 6}};
    centered(c, "DEFEAT", 24, 9, title);
    centered(c, "YOUR HEROES HAVE FALLEN", 106, 3, sub);
    gem(c, 42, 56, 9, {120, 120, 130}, {50, 48, 60});
    gem(c, kWidth - 43, 56, 9, {120, 120, 130}, {50, 48, 60});
  }
  sheet.stamp(c, x, y);
}

}  // namespace

void draw_victory(Canvas& sheet, int x, int y) { banner(sheet, x, y, true); }
void draw_defeat(Canvas& sheet, int x, int y) { banner(sheet, x, y, false); }

}  // namespace pictures
