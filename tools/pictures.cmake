# The game's fifteen pictures, drawn by make_pictures into the run directory.
add_executable(make_pictures
  ${CMAKE_CURRENT_LIST_DIR}/make_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_terrain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures_banners.cpp)
target_include_directories(make_pictures PRIVATE ${CMAKE_SOURCE_DIR})

set(picture_files
  TERRAINTEXTURES.BMP CURSER.BMP
  ZURORU.BMP ZURORURANGER.BMP ZURORUHORSEMEN.BMP
  SABRA.BMP SABRARANGER.BMP SABRAHORSEMEN.BMP
  BALDUR.BMP BALDURRANGER.BMP BALDURHORSEMEN.BMP
  ENEMYBOSS.BMP ENEMYMINION.BMP VICTORY.BMP DEFEAT.BMP)
list(TRANSFORM picture_files PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE picture_outputs)
add_custom_command(OUTPUT ${picture_outputs}
  COMMAND make_pictures ${CMAKE_BINARY_DIR}
  DEPENDS make_pictures
  COMMENT "Drawing the game's pictures")
add_custom_target(pictures DEPENDS ${picture_outputs})
add_dependencies(game_data pictures)
