// The game's start-up and shut-down: engine modules, sounds and sprites.
#pragma once

int Game_Init(void* parms, int num_parms);
int Game_Shutdown(void* parms, int num_parms);
