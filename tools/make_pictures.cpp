// Writes the game's fifteen pictures into the directory given as the first
// argument (the current directory without one).
#include <cstdio>
#include <string>

#include "tools/pictures_art.h"

using namespace pictures;

namespace {

constexpr int kTile = 64;

// Four 64-wide cells and their lines need 261 columns; the last line is left
// off so that rows need no padding.
Canvas tile_sheet(int rows) {
  return make_sheet(260, rows * (kTile + 1) + 1, kTile, kTile, 4, rows);
}

bool save(const std::string& dir, const char* name, const Canvas& sheet) {
  const std::string path = dir + "/" + name;
  if (write_bmp(path, sheet)) return true;
  std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
  return false;
}

struct UnitFile {
  const char* name;
  Unit unit;
};

const UnitFile unit_files[] = {
    {"ZURORU.BMP", Unit::kZuroru},
    {"ZURORURANGER.BMP", Unit::kZuroruRanger},
    {"ZURORUHORSEMEN.BMP", Unit::kZuroruHorseman},
    {"SABRA.BMP", Unit::kSabra},
    {"SABRARANGER.BMP", Unit::kSabraRanger},
    {"SABRAHORSEMEN.BMP", Unit::kSabraHorseman},
    {"BALDUR.BMP", Unit::kBaldur},
    {"BALDURRANGER.BMP", Unit::kBaldurRanger},
    {"BALDURHORSEMEN.BMP", Unit::kBaldurHorseman},
    {"ENEMYBOSS.BMP", Unit::kBoss},
    {"ENEMYMINION.BMP", Unit::kSoldier},
};

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  bool ok = true;

  Canvas terrain = tile_sheet(2);
  for (int i = 0; i < 8; ++i) draw_terrain(terrain, cell_x(i % 4, kTile), cell_y(i / 4, kTile), i);
  ok &= save(dir, "TERRAINTEXTURES.BMP", terrain);

  // Two-frame pictures use the first two cells of one row: 132 x 66.
  Canvas cursor = make_sheet(132, kTile + 2, kTile, kTile, 2, 1);
  for (int i = 0; i < 2; ++i) draw_cursor(cursor, cell_x(i, kTile), cell_y(0, kTile), i);
  ok &= save(dir, "CURSER.BMP", cursor);

  for (const UnitFile& f : unit_files) {
    Canvas sheet = make_sheet(132, kTile + 2, kTile, kTile, 2, 1);
    for (int i = 0; i < 2; ++i) draw_unit(sheet, cell_x(i, kTile), cell_y(0, kTile), f.unit, i);
    ok &= save(dir, f.name, sheet);
  }

  // One 500 x 154 cell; 504 columns keep the rows unpadded.
  Canvas won = make_sheet(504, 156, 500, 154, 1, 1);
  draw_victory(won, 1, 1);
  ok &= save(dir, "VICTORY.BMP", won);
  Canvas lost = make_sheet(504, 156, 500, 154, 1, 1);
  draw_defeat(lost, 1, 1);
  ok &= save(dir, "DEFEAT.BMP", lost);
  return ok ? 0 : 1;
}
