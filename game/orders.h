// The player's keys: the map cursor and scrolling, the order menu and the
// Move, Attack, Defend and Quit orders.
#pragma once

// One frame's reading of Enter, then Right or Left, then Up or Down. Each
// action waits for its key's release, so a press is one action however long
// it is held.
void Player_Input();

// Terrain defense bonus, in percent, of the tile a defender stands on.
float Terrain_Defense_Bonus(int column, int row);
