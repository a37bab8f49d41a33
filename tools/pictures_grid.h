// Pixel art on a small grid of role letters ('.' is clear), painted through a
// palette at twice the size with a dark outline.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "tools/pictures_canvas.h"

namespace pictures {

struct Grid {
  static constexpr int kSize = 32;
  std::vector<std::string> rows = std::vector<std::string>(kSize, std::string(kSize, '.'));

  char at(int x, int y) const;
  void set(int x, int y, char c);
  // Rows of letters with their first at (x, y); '.' leaves a cell alone.
  void overlay(const std::vector<std::string>& art, int x, int y);
  void rect(int x, int y, int w, int h, char c);
  void line(int x0, int y0, int x1, int y1, char c);
  // Moves rows [first, last) down by one; row last is lost, row first cleared.
  void sink(int first, int last);
  // Rings every shape with the outline letter 'K'.
  void outline();
};

using Palette = std::map<char, Rgb>;

// Paints the grid at twice its size with its top-left at (x, y).
void render(Canvas& canvas, const Grid& grid, const Palette& palette, int x, int y);

}  // namespace pictures
