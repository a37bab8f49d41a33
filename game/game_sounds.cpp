#include "game/game_sounds.h"

#include "sound/dmusic.h"
#include "sound/dsound.h"

int battle_sound = 0;
int victory_sound = 0;
int defeat_sound = 0;
int move_sound = 0;
int defend_sound = 0;
int music = 0;

namespace {
// Frequency, pan and volume control.
constexpr int kControlFlags = 224;
}  // namespace

void Game_Sounds_Init() {
  DSound_Init();
  DMusic_Init();
  battle_sound = DSound_Load_WAV("Combat_Skirmish.wav", kControlFlags);
  victory_sound = DSound_Load_WAV("Combat_BattleWon.wav", kControlFlags);
  defeat_sound = DSound_Load_WAV("Combat_BattleLost.wav", kControlFlags);
  move_sound = DSound_Load_WAV("Unit_ArmyMove.wav", kControlFlags);
  defend_sound = DSound_Load_WAV("Unit_ArmySelected.wav", kControlFlags);
  music = DSound_Load_WAV("CROSS_OR_CROWN.wav", kControlFlags);
}

void Game_Sounds_Shutdown() {
  DSound_Stop_All_Sounds();
  DSound_Delete_All_Sounds();
  DSound_Shutdown();
  DMusic_Delete_All_MIDI();
  DMusic_Shutdown();
}
