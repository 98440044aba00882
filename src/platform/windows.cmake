# The Windows executable: a program of the GUI subsystem, so no console opens
# with it, entered through SDL's WinMain, carrying our icon, its version and a
# manifest that makes it aware of each monitor's density.
find_program(ZELVANE_ICOTOOL icotool REQUIRED)

# Small sizes as 32-bit bitmaps with their soft edges, which every part of
# Windows reads; large ones as PNG.
set(zelvane_ico ${CMAKE_CURRENT_BINARY_DIR}/zelvane.ico)
set(icon_dir ${PROJECT_SOURCE_DIR}/assets/icons)
add_custom_command(OUTPUT ${zelvane_ico}
  COMMAND ${ZELVANE_ICOTOOL} --create --bit-depth=32 --output=${zelvane_ico}
          ${icon_dir}/zelvane-16.png ${icon_dir}/zelvane-32.png ${icon_dir}/zelvane-48.png
          --raw=${icon_dir}/zelvane-64.png --raw=${icon_dir}/zelvane-128.png
  DEPENDS ${icon_dir}/zelvane-16.png ${icon_dir}/zelvane-32.png ${icon_dir}/zelvane-48.png
          ${icon_dir}/zelvane-64.png ${icon_dir}/zelvane-128.png
  VERBATIM)

set(zelvane_manifest ${CMAKE_CURRENT_BINARY_DIR}/zelvane.exe.manifest)
configure_file(zelvane.exe.manifest.in ${zelvane_manifest} @ONLY)
configure_file(zelvane.rc.in ${CMAKE_CURRENT_BINARY_DIR}/zelvane.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/zelvane.rc PROPERTIES
  OBJECT_DEPENDS "${zelvane_ico};${zelvane_manifest};${CMAKE_CURRENT_SOURCE_DIR}/windows_resources.h")

target_sources(zelvane PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/zelvane.rc)
set_target_properties(zelvane PROPERTIES WIN32_EXECUTABLE ON)
target_link_libraries(zelvane PRIVATE SDL2::SDL2main)

# Windows 10 is the oldest the game runs on: it asks for each monitor's density.
target_compile_definitions(zelvane_platform PRIVATE _WIN32_WINNT=0x0A00 WINVER=0x0A00 WIN32_LEAN_AND_MEAN NOMINMAX)
