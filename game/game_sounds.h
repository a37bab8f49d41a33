// The game's six sounds: start of the sound and music modules with the loads,
// and their release at the end of the run.
#pragma once

// Sound slot ids, -1 for a sound whose file failed to load.
extern int battle_sound;
extern int victory_sound;
extern int defeat_sound;
extern int move_sound;
extern int defend_sound;
extern int music;

// DSound_Init, DMusic_Init, then the six loads in the order above.
void Game_Sounds_Init();
// Stops and deletes every sound, shuts the sound module, then the MIDI one.
void Game_Sounds_Shutdown();
