# The game for a browser tab: the page's canvas, the Web Audio device and the
# records file kept in the browser's IndexedDB (see packaging/web). The sound
# cues are not packed in: the page fetches them after the first frame.
set(web ${PROJECT_SOURCE_DIR}/packaging/web)
add_executable(zelvane browser_main.cpp browser_scores.cpp)
target_link_libraries(zelvane PRIVATE zelvane_platform zelvane_warnings)
# EM_ASM names the values it is handed $0, $1, ... (after the warning set, which would warn of them)
set_source_files_properties(browser_main.cpp PROPERTIES COMPILE_OPTIONS -Wno-dollar-in-identifier-extension)
target_link_options(zelvane PRIVATE
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  # SDL's audio calls two helpers of emscripten's library that only the SDL
  # emscripten downloads itself would ask for; named in a file, as make and
  # the shell would take their dollar signs.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${web}/sdl-audio-helpers.json
  # SHELL: keeps each --pre-js with its file; CMake would fold repeated options into one.
  "SHELL:--pre-js ${web}/pre.js" "SHELL:--pre-js ${web}/cues.js" "SHELL:--pre-js ${web}/scores.js")
include(${PROJECT_SOURCE_DIR}/cmake/Cues.cmake)
set_property(TARGET zelvane APPEND PROPERTY LINK_DEPENDS ${web}/pre.js ${web}/cues.js ${web}/scores.js
  ${web}/sdl-audio-helpers.json ${zelvane_cue_files})
# The page fetches the cues from cues/ beside the game once its first frame is up.
add_custom_command(TARGET zelvane POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:zelvane>/cues
  COMMAND ${CMAKE_COMMAND} -E copy ${zelvane_cue_files} $<TARGET_FILE_DIR:zelvane>/cues)
