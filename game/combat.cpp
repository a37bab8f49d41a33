#include "game/combat.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "game/random.h"

namespace {

bool Named(const game_unit& unit, const char* name) {
  // Bounded, so a name that fills all eight bytes cannot be overread.
  return std::strncmp(unit.name, name, sizeof unit.name) == 0;
}

// The hero record of that name, null for anyone else.
game_unit* Hero_Named(const game_unit& unit) {
  if (Named(unit, "Zuroru")) return &Zuroruinfo;
  if (Named(unit, "Sabra")) return &Sabrainfo;
  if (Named(unit, "Baldur")) return &Baldurinfo;
  return nullptr;
}

int Saturate(int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void Gain(game_unit& hero, int64_t amount) { hero.experience = Saturate(hero.experience + amount); }

void Level_Up(game_unit& hero, int attack_gain, int defense_gain) {
  hero.level += 1;
  hero.attack += attack_gain;
  hero.defense += defense_gain;
  hero.max_hit_points += 25;
  hero.hit_points = hero.max_hit_points;
  const double next = hero.next_level + hero.next_level * 1.5;
  // Held at the int range: converting a larger value would be undefined.
  hero.next_level = next >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(next);
  if (hero.level % 3 == 0) hero.movement += 1;
}

}  // namespace

int Attackfunction(game_unit unit_defend, game_unit unit_attack, float bonus) {
  Reseed_From_Clock();
  const int attack = unit_attack.attack;
  const int draw = Game_Rand();
  // An attack below 1 never occurs; it rolls no extra rather than dividing by zero.
  const int roll = attack * 2 + (attack >= 1 ? draw % attack : 0);
  const double d = unit_defend.defense;
  double defense = d + d * (unit_defend.defend_bonus / 100.0);
  defense = defense + d * (static_cast<double>(bonus) / 100.0);
  const int damage = roll - static_cast<int>(defense);
  Add_XP(unit_defend, unit_attack, damage);
  return damage;
}

void Add_XP(game_unit unit_defend, game_unit unit_attack, int damage) {
  int attack_gain = 0;
  int defense_gain = 0;
  while (attack_gain + defense_gain != 5) {
    attack_gain = Game_Rand() % 5;
    defense_gain = Game_Rand() % 5;
  }

  // A hero attacker earns its own attack plus the damage; only when the
  // attacker is no hero does a hero defender earn (or lose) the damage.
  if (game_unit* attacker = Hero_Named(unit_attack)) {
    Gain(*attacker, static_cast<int64_t>(attacker->attack) + damage);
  } else if (game_unit* defender = Hero_Named(unit_defend)) {
    Gain(*defender, damage);
  }

  for (game_unit* hero : {&Zuroruinfo, &Sabrainfo, &Baldurinfo}) {
    // A threshold held at the int range is out of reach: without this a hero
    // at the top would level up on every call, without end.
    if (hero->next_level < INT_MAX && hero->experience >= hero->next_level) {
      Level_Up(*hero, attack_gain, defense_gain);
      break;
    }
  }
}
