# The game for a browser tab: the page's canvas, the Web Audio device and the
# records file kept in the browser's IndexedDB (see packaging/web).
set(web ${PROJECT_SOURCE_DIR}/packaging/web)
add_executable(zelvane browser_main.cpp browser_scores.cpp)
target_link_libraries(zelvane PRIVATE zelvane_platform zelvane_cue_sdl zelvane_warnings)
# EM_ASM names the values it is handed $0, $1, ... (after the warning set, which would warn of them)
set_source_files_properties(browser_main.cpp PROPERTIES COMPILE_OPTIONS -Wno-dollar-in-identifier-extension)
target_link_options(zelvane PRIVATE
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  # SDL's audio calls two helpers of emscripten's library that only the SDL
  # emscripten downloads itself would ask for; named in a file, as make and
  # the shell would take their dollar signs.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${web}/sdl-audio-helpers.json
  # SHELL: keeps CMake from taking the second --pre-js for a repeat of the first.
  "SHELL:--pre-js ${web}/pre.js" "SHELL:--pre-js ${web}/scores.js"
  --preload-file ${PROJECT_SOURCE_DIR}/assets/sounds@/cues)
file(GLOB cues CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/sounds/*.wav)
set_property(TARGET zelvane APPEND PROPERTY LINK_DEPENDS ${web}/pre.js ${web}/scores.js ${web}/sdl-audio-helpers.json ${cues})
