# The game's six sounds and the MIDI module's test file.
add_executable(make_sounds
  ${CMAKE_CURRENT_LIST_DIR}/make_sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compose.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pcm.cpp)
target_link_libraries(make_sounds PRIVATE thalryn_core)

set(THALRYN_SOUND_FILES
  ${CMAKE_BINARY_DIR}/Combat_Skirmish.wav
  ${CMAKE_BINARY_DIR}/Combat_BattleWon.wav
  ${CMAKE_BINARY_DIR}/Combat_BattleLost.wav
  ${CMAKE_BINARY_DIR}/Unit_ArmyMove.wav
  ${CMAKE_BINARY_DIR}/Unit_ArmySelected.wav
  ${CMAKE_BINARY_DIR}/CROSS_OR_CROWN.wav
  ${CMAKE_BINARY_DIR}/Test_Phrase.mid)
add_custom_command(
  OUTPUT ${THALRYN_SOUND_FILES}
  COMMAND make_sounds ${CMAKE_BINARY_DIR}
  DEPENDS make_sounds
  COMMENT "Composing and rendering the game's sounds")
add_custom_target(sound_files DEPENDS ${THALRYN_SOUND_FILES})
add_dependencies(game_data sound_files)
