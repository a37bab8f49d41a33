# A headless demo of the drawing routines: lines, clipped lines, triangles,
# polygons and a wipe drawn into a surface and written out as a PNG file.
# Run it by hand: ./draw_demo [out.png]
add_executable(draw_demo ${CMAKE_CURRENT_LIST_DIR}/draw_demo.cpp)
target_link_libraries(draw_demo PRIVATE thalryn_core)
set_target_properties(draw_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
