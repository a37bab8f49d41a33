// Frame and turn flow: the game's frame function and the state it shares.
#pragma once

extern bool curserflag;
extern int orderposition;
extern bool canmoveflag;
extern bool attackflag;
extern bool victoryflag;
extern bool defeatflag;
extern int unit_temp;
extern int temp_cx, temp_cy;
extern int world_x, world_y;
extern int curser_x, curser_y;
extern int curserindex_x, curserindex_y;

int Game_Main(void* parms, int num_parms);

// Every hero has attacked or defended this turn, or has fallen.
bool Heroes_Done();
// A hero has fallen when its hit points are gone or it has left the map (a
// fallen hero can be refilled by a late level-up, yet stays off the map).
bool Hero_Fallen(int slot);
bool All_Heroes_Fallen();
bool All_Enemies_Fallen();

// Puts every global of the frame logic back to its start value (tests).
void Reset_Game_State();
