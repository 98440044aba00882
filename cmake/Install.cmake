# Installs the game as a desktop game: the launcher on the PATH, the executable
# in a directory of its own, the sound cues, the desktop entry, the AppStream
# metainfo, the icons, a manual page and the package documents. `cpack` packs
# the same tree into a Debian package.
include(GNUInstallDirs)

# Debian puts games' commands in games/, beside bin/ on a player's PATH.
set(ZELVANE_LAUNCHER_DIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
  "Where the zelvane command goes, relative to the prefix (games for a Debian package)")

set(zelvane_app_id org.zelvane.Zelvane)
set(zelvane_game_dir ${CMAKE_INSTALL_LIBEXECDIR}/zelvane)
set(zelvane_cues_dir ${CMAKE_INSTALL_DATADIR}/zelvane)
set(zelvane_packaging ${PROJECT_SOURCE_DIR}/packaging)

# The launcher keeps only paths relative to itself, so the tree can move.
cmake_path(ABSOLUTE_PATH ZELVANE_LAUNCHER_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
  OUTPUT_VARIABLE zelvane_launcher_full_dir)
file(RELATIVE_PATH ZELVANE_LAUNCHER_TO_GAME
  ${zelvane_launcher_full_dir} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zelvane/zelvane)
file(RELATIVE_PATH ZELVANE_LAUNCHER_TO_CUES
  ${zelvane_launcher_full_dir} ${CMAKE_INSTALL_FULL_DATADIR}/zelvane)
# The release's date, as CHANGELOG.md gives it for the version: the manual page
# and the AppStream release entry carry both.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md zelvane_release_heading
  REGEX "^## \\[${PROJECT_VERSION}\\] - ")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
string(REGEX REPLACE "^.* - " "" ZELVANE_RELEASE_DATE "${zelvane_release_heading}")
if(NOT ZELVANE_RELEASE_DATE MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
  message(FATAL_ERROR "CHANGELOG.md has no dated heading \"## [${PROJECT_VERSION}] - YYYY-MM-DD\"")
endif()
configure_file(${zelvane_packaging}/zelvane.6 ${PROJECT_BINARY_DIR}/packaging/zelvane.6 @ONLY)
configure_file(${zelvane_packaging}/${zelvane_app_id}.metainfo.xml
  ${PROJECT_BINARY_DIR}/packaging/${zelvane_app_id}.metainfo.xml @ONLY)

# ./play.sh runs this very launcher from the build tree.
configure_file(${zelvane_packaging}/zelvane.sh.in ${PROJECT_BINARY_DIR}/packaging/zelvane @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/zelvane DESTINATION ${ZELVANE_LAUNCHER_DIR})
install(TARGETS zelvane RUNTIME DESTINATION ${zelvane_game_dir})

include(${PROJECT_SOURCE_DIR}/cmake/Cues.cmake)
install(FILES ${zelvane_cue_files} DESTINATION ${zelvane_cues_dir})

install(FILES ${zelvane_packaging}/zelvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${zelvane_app_id}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/zelvane-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME zelvane.png)
endforeach()

# Manual pages and changelogs are shipped compressed, without names or times
# in the gzip header, so the package is the same on every build.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(zelvane_gzip source output)
  execute_process(COMMAND ${GZIP_PROGRAM} -9nc ${source} OUTPUT_FILE ${output}
    COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
zelvane_gzip(${PROJECT_BINARY_DIR}/packaging/zelvane.6 ${PROJECT_BINARY_DIR}/packaging/zelvane.6.gz)
zelvane_gzip(${zelvane_packaging}/changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/zelvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${zelvane_packaging}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvane)
set(CPACK_PACKAGE_VENDOR "Zelvane developers")
set(CPACK_PACKAGE_CONTACT "Zelvane developers <zelvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing game with falling letters")
set(CPACK_PACKAGE_DESCRIPTION "\
Waves of letters fall down a small playfield: press a letter's key to
destroy it before the wave lands. Every hit scores and speeds up the fall,
every key that hits nothing costs points, and the fifteenth landed letter
ends the game. Item boxes bring bonus points, a slower fall or a level
reset. The five best scores are kept, and each game ends with the share
of letters caught on each row of the keyboard.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The core font SDL's message box needs on X11, to tell a save that failed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xfonts-base)
include(CPack)
