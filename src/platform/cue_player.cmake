# The sound cues on SDL's audio device, kept apart from the window's target.
find_package(SDL2 REQUIRED)

add_library(zelvane_cue_sdl STATIC ${CMAKE_CURRENT_LIST_DIR}/sdl_cue_player.cpp)
target_include_directories(zelvane_cue_sdl PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zelvane_cue_sdl PUBLIC SDL2::SDL2 PRIVATE zelvane_warnings)
