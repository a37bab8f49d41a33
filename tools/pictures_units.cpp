// The eleven unit pictures: one figure template, dressed per class and hero,
// coloured per hero; enemies in dark iron with glowing eyes.
#include <cmath>

#include "tools/pictures_art.h"
#include "tools/pictures_grid.h"

namespace pictures {
namespace {

enum class Kind { kFighter, kRanger, kHorseman, kBoss, kSoldier };
enum class Hero { kZuroru, kSabra, kBaldur, kNone };

// Front-facing figure: head rows 3-12, tunic 13-20, legs 21-26.
const std::vector<std::string> kFigure = {
    "............HHHHHHHH",       // 3
    "...........HHHHHHHHHH",      // 4
    "..........HHHHHHHHHHHH",     // 5
    "..........HHSSSSSSSSHH",     // 6
    "..........HSSSSSSSSSSH",     // 7
    "..........SSEZSSSSEZSS",     // 8
    "..........SSEESSSSEESs",     // 9
    "..........sSSSSSSSSSSs",     // 10
    "...........sSSSssSSSs",      // 11
    "............ssSSSSss",       // 12
    "........TTTPPPPPPPPPPTTT",   // 13
    ".......PTTPPPPPTTPPPPpTTp",  // 14
    ".......PpPPPPPPTTPPPPppPp",  // 15
    ".......PpPPPPPPTTPPPPppPp",  // 16
    ".......SsPPPPPPTTPPPPppsS",  // 17
    ".......SSLLLLLLGGLLLLLLSs",  // 18
    ".........PPPPPPTTPPPPpp",    // 19
    ".........pPPPPPTTPPPPpp",    // 20
    ".........ppppp....ppppp",    // 21
    "..........DDD......DDd",     // 22
    "..........DdD......DDd",     // 23
    "..........DdD......DDd",     // 24
    ".........LLLL......LLLL",    // 25
    ".........llll......llll",    // 26
};

// Horse facing left; its legs are drawn per frame.
const std::vector<std::string> kHorse = {
    "..QQ",                            // 12
    ".QRRQ",                           // 13
    ".RRRRQ",                          // 14
    "RRRRRRQ",                         // 15
    "RRERRRRQ",                        // 16
    "RRRRRRRRQ",                       // 17
    ".rrRRRRRRQ",                      // 18
    "..rr.RRRRRQ",                     // 19
    "......RRRRRRRRRRRRRRRRRRR",       // 20
    "......RRRRRRRRRRRRRRRRRRRRRQ",    // 21
    ".......RRRRRRRRRRRRRRRRRRRRQQ",   // 22
    ".......RRRRRRRRRRRRRRRRRRRR.Q",   // 23
    ".......rRRRRRRRRRRRRRRRRRrr..Q",  // 24
    "........rrrRRRRRRRRRRRRrrr...Q",  // 25
};

struct Look {
  Kind kind;
  Hero hero;
  Palette colors;
};

Palette base_colors() {
  return {{'K', {26, 20, 30}},    {'S', {238, 190, 150}}, {'s', {198, 144, 112}},
          {'E', {30, 26, 44}},    {'Z', {250, 250, 246}}, {'M', {214, 220, 232}},
          {'m', {150, 158, 178}}, {'n', {92, 98, 118}},   {'L', {124, 80, 44}},
          {'l', {80, 50, 30}},    {'D', {74, 60, 70}},    {'d', {50, 40, 50}},
          {'W', {150, 104, 56}},  {'w', {100, 66, 36}},   {'G', {252, 212, 84}},
          {'q', {54, 44, 44}},    {'V', {255, 52, 40}}};
}

Palette hero_colors(Hero hero) {
  Palette p = base_colors();
  switch (hero) {
    case Hero::kZuroru:  // crimson and gold, dark hair, chestnut horse
      p['H'] = {70, 42, 30}, p['h'] = {44, 26, 20};
      p['P'] = {204, 38, 46}, p['p'] = {132, 22, 36};
      p['T'] = {240, 192, 64}, p['t'] = {176, 124, 36};
      p['R'] = {176, 100, 50}, p['r'] = {116, 62, 32}, p['Q'] = {70, 38, 22};
      break;
    case Hero::kSabra:  // emerald and silver, copper hair, grey horse
      p['H'] = {236, 140, 60}, p['h'] = {176, 90, 36};
      p['P'] = {34, 156, 96}, p['p'] = {18, 96, 62};
      p['T'] = {226, 234, 244}, p['t'] = {160, 172, 194};
      p['R'] = {226, 226, 234}, p['r'] = {164, 166, 184}, p['Q'] = {120, 122, 140};
      break;
    case Hero::kBaldur:  // royal blue and bronze, white hair and beard, dark horse
      p['H'] = {222, 222, 230}, p['h'] = {156, 156, 172};
      p['P'] = {52, 90, 210}, p['p'] = {30, 52, 136};
      p['T'] = {218, 140, 58}, p['t'] = {152, 88, 30};
      p['R'] = {92, 62, 48}, p['r'] = {58, 38, 30}, p['Q'] = {34, 28, 32};
      break;
    case Hero::kNone: break;
  }
  return p;
}

Palette boss_colors() {
  Palette p = base_colors();
  p['P'] = {74, 68, 98}, p['p'] = {46, 42, 66};
  p['T'] = {208, 166, 60}, p['t'] = {150, 110, 36};
  p['C'] = {136, 28, 92}, p['c'] = {86, 16, 62};
  p['M'] = {120, 120, 146}, p['m'] = {78, 78, 100}, p['n'] = {48, 48, 66};
  p['Z'] = {236, 224, 190};
  p['D'] = {44, 40, 56}, p['d'] = {30, 28, 40}, p['L'] = {58, 46, 46}, p['l'] = {38, 30, 32};
  p['S'] = {72, 70, 90}, p['s'] = {52, 50, 68};
  p['H'] = p['n'], p['h'] = p['n'];
  return p;
}

Palette soldier_colors() {
  Palette p = base_colors();
  p['P'] = {128, 42, 38}, p['p'] = {84, 26, 28};
  p['T'] = {96, 96, 108}, p['t'] = {66, 66, 78};
  p['M'] = {170, 174, 186}, p['m'] = {112, 116, 132}, p['n'] = {70, 72, 88};
  p['S'] = {150, 112, 92}, p['s'] = {104, 74, 62};
  p['D'] = {56, 50, 50}, p['d'] = {38, 34, 34};
  p['H'] = {70, 72, 88}, p['h'] = {50, 52, 66};  // under the helm
  return p;
}

Look look_of(Unit unit) {
  switch (unit) {
    case Unit::kZuroru: return {Kind::kFighter, Hero::kZuroru, hero_colors(Hero::kZuroru)};
    case Unit::kZuroruRanger: return {Kind::kRanger, Hero::kZuroru, hero_colors(Hero::kZuroru)};
    case Unit::kZuroruHorseman: return {Kind::kHorseman, Hero::kZuroru, hero_colors(Hero::kZuroru)};
    case Unit::kSabra: return {Kind::kFighter, Hero::kSabra, hero_colors(Hero::kSabra)};
    case Unit::kSabraRanger: return {Kind::kRanger, Hero::kSabra, hero_colors(Hero::kSabra)};
    case Unit::kSabraHorseman: return {Kind::kHorseman, Hero::kSabra, hero_colors(Hero::kSabra)};
    case Unit::kBaldur: return {Kind::kFighter, Hero::kBaldur, hero_colors(Hero::kBaldur)};
    case Unit::kBaldurRanger: return {Kind::kRanger, Hero::kBaldur, hero_colors(Hero::kBaldur)};
    case Unit::kBaldurHorseman: return {Kind::kHorseman, Hero::kBaldur, hero_colors(Hero::kBaldur)};
    case Unit::kBoss: return {Kind::kBoss, Hero::kNone, boss_colors()};
    case Unit::kSoldier: return {Kind::kSoldier, Hero::kNone, soldier_colors()};
  }
  return {Kind::kSoldier, Hero::kNone, soldier_colors()};
}

// Hair styles that tell the heroes apart; (x, y) is the figure's offset.
void hair(Grid& g, Hero hero, int x, int y) {
  switch (hero) {
    case Hero::kZuroru:  // spiky crop and a headband in the trim colour
      g.overlay({"..H..H..H", ".HHhHHhHH"}, x + 11, y + 1);
      g.rect(x + 10, y + 5, 12, 1, 'T');
      g.overlay({"TT", "T"}, x + 22, y + 5);
      break;
    case Hero::kSabra:  // long hair down to the shoulders
      for (int r = 6; r <= 15; ++r) {
        g.set(x + 9, y + r, r > 12 ? 'h' : 'H');
        g.set(x + 22, y + r, r > 12 ? 'h' : 'H');
      }
      for (int r = 10; r <= 12; ++r) {
        g.set(x + 10, y + r, 'H');
        g.set(x + 21, y + r, 'h');
      }
      g.overlay({"...HHHH", ".HHHHHHHH"}, x + 11, y + 1);
      g.overlay({"G"}, x + 12, y + 5);
      break;
    case Hero::kBaldur:  // high forehead and a full beard
      g.overlay({"SSSSSS", "hSSSSSSh"}, x + 13, y + 3);
      g.overlay({"HH........HH", "HH........HH", "HHHHsssHHHHH", ".HHHHHHHHHH", "..HHHhHHHH",
                 "...HHhHHH", "....HhH"},
                x + 10, y + 9);
      break;
    case Hero::kNone: break;
  }
}

void figure(Grid& g, int x, int y, int rows) {
  for (int j = 0; j < rows && j < int(kFigure.size()); ++j) g.overlay({kFigure[j]}, x, y + 3 + j);
}

void sword_and_shield(Grid& g, int frame) {
  const int lift = frame;  // the blade rises a little on the second frame
  g.line(25, 3 - lift, 25, 15, 'Z');
  g.line(26, 4 - lift, 26, 15, 'm');
  g.rect(23, 16, 6, 1, 'G');
  g.rect(25, 17, 2, 2, 'W');
  g.rect(25, 19, 2, 1, 'G');
  g.overlay({"ss"}, 24, 17);
  g.overlay({"MMMMMMMMM", "MTTTPTTTM", "MTTTPTTTM", "MPPPPPPPM", "MTTTPTTTM", "MTTTPTTTM",
             ".MTTPTTM.", "..MTPTM..", "...MTM...", "....M...."},
            0, 13);
  g.overlay({"n", "n", "n", "n", "n", "n", ".n", "..n", "...n"}, 8, 14);
}

void bow_and_quiver(Grid& g) {
  g.overlay({"Z.Z", "TZT", "LLL", "LlL", "LlL"}, 22, 8);  // fletching over the shoulder
  for (int y = 7; y <= 27; ++y) {
    const double t = (y - 7) / 20.0;
    const int x = 6 - int(std::lround(4 * std::sin(3.14159 * t)));
    g.set(x, y, y % 4 == 0 ? 'w' : 'W');
    g.set(x + 1, y, y < 9 || y > 25 ? 'W' : '.');
  }
  g.line(7, 8, 7, 26, 'm');  // string
  g.overlay({"SS"}, 6, 17);
  // A pointed cap with a feather.
  g.overlay({".....pp", "....pPPp", "..pPPPPPPp", ".pPPPPPPPPp..T", "pppppppppppTT"}, 9, 1);
}

void rider_and_horse(Grid& g, Hero hero, int frame) {
  figure(g, 2, 0, 16);  // head and tunic down to the belt
  hair(g, hero, 2, 0);
  g.overlay(kHorse, 0, 12);
  g.overlay({"PPPPPPPPPPPPP", "TTTTTTTTTTTTT"}, 11, 19);  // saddle cloth
  g.overlay({"DD", "DD", "LL", "Ll"}, 16, 21);            // the rider's leg
  // Lance with a pennant that flutters between frames.
  g.line(28, 1, 28, 24, 'W');
  g.set(28, 0, 'M');
  if (frame == 0)
    g.overlay({"PPPP", "TTT", "PP"}, 24, 2);
  else
    g.overlay({"PPP", "TTTT", "PPP"}, 24, 3);
  g.overlay({"SS"}, 26, 17);
  // Legs: straight, then mid-stride.
  const int front = frame ? -1 : 0, back = frame ? 1 : 0;
  for (int y = 26; y <= 29; ++y) {
    const int s = y - 26;
    g.set(9 + front * s / 2, y, 'R');
    g.set(10 + front * s / 2, y, 'r');
    g.set(13, y, 'R');
    g.set(14, y, 'r');
    g.set(20, y, 'R');
    g.set(21, y, 'r');
    g.set(23 + back * s / 2, y, 'R');
    g.set(24 + back * s / 2, y, 'r');
  }
  g.rect(9 + front, 29, 2, 1, 'q');
  g.rect(13, 29, 2, 1, 'q');
  g.rect(20, 29, 2, 1, 'q');
  g.rect(23 + back, 29, 2, 1, 'q');
}

void boss(Grid& g, int frame) {
  // Cape behind the figure.
  for (int y = 13; y <= 27; ++y)
    for (int x = 5; x <= 26; ++x)
      if (g.at(x, y) == '.' && std::abs(x - 15.5) < 6 + (y - 13) * 0.45)
        g.set(x, y, x > 18 ? 'c' : 'C');
  figure(g, 0, 0, 24);
  // Horned helm with a visor over the face.
  g.overlay({"..nmmmmmmmn", ".nmMMMMMMMmn", "nmMMMMMMMMMmn", "nmMmmmmmmmMmn", "nmnVVnnnVVnmn",
             "nmnnnnnnnnnmn", ".nmmnmmnmmn", "..nmmmmmmn"},
            9, 3);
  g.overlay({"Z", "Z", "ZZ", ".ZZ", "..ZZ"}, 7, 0);
  g.overlay({"...Z", "...Z", "..ZZ", ".ZZ", "ZZ"}, 21, 0);
  g.overlay({"MMM", "MmMZ", ".MM"}, 5, 12);  // spiked pauldrons
  g.overlay({".MMM", "ZMmM", ".MM"}, 23, 12);
  g.rect(11, 14, 10, 4, 'P');
  g.rect(15, 14, 2, 4, 'T');
  // Great axe.
  const int up = frame;
  g.line(26, 2 - up, 26, 25, 'W');
  g.overlay({"..MM", ".MMmM", "MMmmmn", "MMmmmn", "MMmmmn", ".MMmn", "..Mn"}, 26, 3 - up);
  g.overlay({"ss"}, 25, 17);
}

void soldier(Grid& g, int frame) {
  figure(g, 0, 0, 24);
  // Iron helm with a nasal guard; eyes glint red in its shadow.
  g.overlay(
      {"....nnnnnn", "..nmMMMMMmn", ".nmMMMMMMMmn", "nnnnnnnnnnnnn", "..ssssMssss", "..sVVsMsVVs"},
      9, 2);
  // Round shield.
  for (int y = -5; y <= 5; ++y)
    for (int x = -5; x <= 5; ++x) {
      const double d = std::sqrt(double(x * x + y * y));
      if (d > 5.3) continue;
      g.set(4 + x, 18 + y, d > 4.2 ? 'n' : (d < 1.5 ? 'm' : (x + y < 0 ? 'W' : 'w')));
    }
  // Spear with a pennant.
  g.line(25, 2, 25, 27, 'W');
  g.overlay({".M", "MZM", "MZm", ".m"}, 24, 0);
  if (frame == 0)
    g.overlay({"PPP", "PP"}, 26, 5);
  else
    g.overlay({"PP", "PPP", "P"}, 26, 5);
  g.overlay({"ss"}, 24, 17);
}

// A dithered shadow and a ring in the side's colour under the feet.
void base_ring(Canvas& c, int x0, int y0, bool hero) {
  const Rgb ring = hero ? Rgb{120, 210, 255} : Rgb{236, 56, 48};
  const Rgb dark = hero ? Rgb{50, 90, 140} : Rgb{120, 20, 20};
  const double cx = 32, cy = 55, rx = 22, ry = 6.5;
  for (int y = 44; y < 64; ++y)
    for (int x = 4; x < 60; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      const double d = dx * dx + dy * dy;
      if (d > 1.0) continue;
      if (d > 0.72)
        c.put(x0 + x, y0 + y, y + 0.5 > cy ? ring : dark);
      else if ((x + y) % 2 == 0)
        c.put(x0 + x, y0 + y, Rgb{18, 18, 24});
    }
}

}  // namespace

void draw_unit(Canvas& sheet, int x, int y, Unit unit, int frame) {
  const Look look = look_of(unit);
  Grid g;
  switch (look.kind) {
    case Kind::kFighter:
      figure(g, 0, 0, 24);
      hair(g, look.hero, 0, 0);
      sword_and_shield(g, frame);
      break;
    case Kind::kRanger:
      figure(g, 0, 0, 24);
      hair(g, look.hero, 0, 0);
      bow_and_quiver(g);
      break;
    case Kind::kHorseman: rider_and_horse(g, look.hero, frame); break;
    case Kind::kBoss: boss(g, frame); break;
    case Kind::kSoldier: soldier(g, frame); break;
  }
  // Second frame: a breath, the upper body sinks by one row.
  if (frame == 1 && look.kind != Kind::kHorseman) g.sink(0, 19);
  if (frame == 1 && look.kind == Kind::kHorseman) g.sink(0, 12);
  g.outline();
  Canvas cell(64, 64);
  base_ring(cell, 0, 0, look.hero != Hero::kNone);
  render(cell, g, look.colors, 0, 0);
  sheet.stamp(cell, x, y);
}

}  // namespace pictures
