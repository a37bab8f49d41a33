// The game's fifteen sprites, cut from their picture files at start-up.
#pragma once
#include "engine/bob.h"

extern BOB_TYP textures;  // frame n: terrain of map digit n
extern BOB_TYP curser;    // frame 0: map cursor, frame 1: movement highlight
extern BOB_TYP zuroru, zuroru_ranger, zuroru_horsemen;
extern BOB_TYP sabra, sabra_ranger, sabra_horsemen;
extern BOB_TYP baldur, baldur_ranger, baldur_horsemen;
extern BOB_TYP enemyboss, enemyminion;
extern BOB_TYP victory, defeat;

// Loads each picture into bitmap16bit, creates its sprite and cuts the
// frames, in table order. 0 as soon as a sprite cannot be created.
int Load_Game_Sprites();
void Destroy_Game_Sprites();
