// The battlefield view: terrain, movement highlight, units and map cursor,
// drawn from the scroll offset into the back buffer.
#pragma once

struct BOB_TYP;

// The sprite of the unit being drawn.
extern BOB_TYP* object_ptr;

void Draw_Battlefield();

// The sprite that shows the unit of a slot (1 to 9); null for other slots.
BOB_TYP* Unit_Sprite(int slot);
