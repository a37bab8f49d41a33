// Combat and experience: one blow, and the experience and level-up it gives.
#pragma once
#include "game/units.h"

// Resolves a blow; returns the damage, which may be 0 or negative. Reseeds
// the game's random sequence from the calendar time first. The caller takes
// the damage off the defender's hit points.
int Attackfunction(game_unit unit_defend, game_unit unit_attack, float bonus);

// Credits the heroes involved with experience and levels up at most one
// hero. Called by Attackfunction.
void Add_XP(game_unit unit_defend, game_unit unit_attack, int damage);
