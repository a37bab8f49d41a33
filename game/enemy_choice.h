// The enemies' choice of destination from the range list.
#pragma once

// Scores every entry of the range list against every hero on the map and
// writes the best tile to x and y; leaves both unchanged when the list is
// empty or no hero is on the map.
void AI_Move(int& x, int& y);
