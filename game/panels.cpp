#include "game/panels.h"

#include <cstdint>
#include <cstdio>

#include "engine/bob.h"
#include "engine/ddraw.h"
#include "engine/text.h"
#include "game/frame.h"
#include "game/sprites.h"
#include "game/units.h"

char buffer[80];

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 255;

// Panel lines hang from the bottom of the screen, k pixels above this.
int panel_y(int k) { return screen_height - 32 - k; }

void text(const char* line, int x, int y, COLORREF color = kWhite) {
  Draw_Text_GDI(line, x, y, color, lpddsback);
}

template <typename... Args>
void line(int x, int k, const char* format, Args... values) {
  std::snprintf(buffer, sizeof buffer, format, values...);
  text(buffer, x, panel_y(k));
}

void draw_unit_panel() {
  static const char* const names[UNIT_SLOTS] = {"",        "Zuroru",  "Sabra",   "Baldur",
                                                "Morgen",  "Soldier", "Soldier", "Soldier",
                                                "Soldier", "Soldier"};
  int slot = 0;
  for (int s = 1; s < UNIT_SLOTS && !slot; ++s)
    if (unit_x[s] == curserindex_x && unit_y[s] == curserindex_y) slot = s;
  if (!slot) return;
  const game_unit& u = *Unit_In_Slot(slot);
  constexpr int x = 25;
  line(x, 115, "%s", names[slot]);
  line(x, 100, "Levels:  Fighter:  %d", u.level);
  line(x, 75, "Hit Points:  [%d] / [%d]", u.hit_points, u.max_hit_points);
  line(x, 60, "Attack:  [%d]", u.attack);
  line(x, 45, "Defense:  [%d]     +[%d] Defend bonus", u.defense, u.defend_bonus);
  line(x, 30, "Movement:  [%d]", u.movement);
  if (slot <= 3) line(x, 15, "Experence:  [%d] / [%d]", u.experience, u.next_level);
}

void draw_terrain_panel() {
  int code = Terrain_At(curserindex_x, curserindex_y);
  const terrain_info& t = terrain_table[code];
  if (!t.name) return;  // the map's border and code 0 have no panel
  textures.curr_frame = code;
  textures.x = 450;
  textures.y = static_cast<float>(panel_y(90));
  Draw_BOB16(&textures, lpddsback);
  text(t.name, 450, panel_y(105));
  text(t.movement_text, 525, panel_y(90));
  if (t.defense_text) text(t.defense_text, 525, panel_y(50));
}

void draw_order_menu() {
  static const struct {
    const char* label;
    int y;
  } entries[] = {{"Move", 460}, {"Attack", 485}, {"Defend", 510}, {"Quit", 560}};
  for (int i = 0; i < 4; ++i)
    text(entries[i].label, 375, entries[i].y, orderposition == i ? kRed : kWhite);
}

}  // namespace

void Draw_Info_Panels() {
  draw_unit_panel();
  draw_terrain_panel();
  draw_order_menu();
  line(725, 115, "Turn:  %d", turn);
}
