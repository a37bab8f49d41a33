// Movement range: the tiles a unit can reach with its movement points.
#pragma once
#include <vector>

// The range list, in search order and with one entry for every path that
// reaches a tile. Entries 0 to move_index - 1 are in use. The storage grows
// as needed, so add entries only through Append_Move; setting move_index to
// 0 (or Clear_Moves) empties the list.
extern std::vector<int> move_x;
extern std::vector<int> move_y;
extern int move_index;
// Slot (1 to 9) of the unit whose range was computed last.
extern int unit_move;

// Appends the range of the unit on this tile (not the tile itself) and sets
// unit_move; a tile with no unit appends nothing and keeps unit_move.
void Unit_Movement(int x_index, int y_index);
// One step of the search: enters the tile with moveleft points if it can.
void Recusive_Move(int moveleft, int x_index, int y_index);

void Append_Move(int x_index, int y_index);
void Clear_Moves();
