// Below the battlefield: the unit panel, the terrain panel, the order menu
// and the turn line.
#pragma once

// Each panel line is formatted here before it is drawn.
extern char buffer[80];

void Draw_Info_Panels();
