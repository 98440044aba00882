# The sound cue files, read from where the game names them, src/sound/cues.h:
# sets zelvane_cue_files to their paths in assets/sounds/.
set(zelvane_cues_header ${PROJECT_SOURCE_DIR}/src/sound/cues.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zelvane_cues_header})
file(STRINGS ${zelvane_cues_header} zelvane_cue_files REGEX "^inline constexpr const char\\* k[A-Za-z]+ = \"[a-z]+\\.wav\";")
list(TRANSFORM zelvane_cue_files REPLACE ".*\"([a-z]+\\.wav)\".*" "${PROJECT_SOURCE_DIR}/assets/sounds/\\1")
# A name written otherwise, over two lines say, would be missed: the count must match kAll's.
file(STRINGS ${zelvane_cues_header} zelvane_cue_count REGEX "std::array<const char\\*, [0-9]+> kAll")
string(REGEX REPLACE ".*, ([0-9]+)>.*" "\\1" zelvane_cue_count "${zelvane_cue_count}")
list(LENGTH zelvane_cue_files zelvane_cues_read)
if(NOT zelvane_cues_read EQUAL zelvane_cue_count)
  message(FATAL_ERROR "read ${zelvane_cues_read} cue names from ${zelvane_cues_header}, but kAll holds ${zelvane_cue_count}")
endif()
