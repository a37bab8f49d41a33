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

// Puts every global of the frame logic back to its start value (tests).
void Reset_Game_State();
