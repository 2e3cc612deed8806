# The game and its tests run in a folder holding Resources/ and Config/: the committed
# files, the generated art and sounds, and Debian's font. Committed files are copied
# without undoing edits made in the run folder (see TarvoCopyRunFiles.cmake).
set(TARVO_RUN_DIR ${CMAKE_BINARY_DIR}/run)
set(TARVO_FONT_SOURCE /usr/share/fonts/truetype/inconsolata/Inconsolata.otf)

add_custom_target(run_folder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_RUN_DIR}/Resources/Fonts ${TARVO_RUN_DIR}/Config
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/Resources -DDESTINATION=${TARVO_RUN_DIR}/Resources
          -DSTAMPS=${CMAKE_BINARY_DIR}/run_stamps/Resources -P ${CMAKE_SOURCE_DIR}/cmake/TarvoCopyRunFiles.cmake
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/Config -DDESTINATION=${TARVO_RUN_DIR}/Config
          -DSTAMPS=${CMAKE_BINARY_DIR}/run_stamps/Config -P ${CMAKE_SOURCE_DIR}/cmake/TarvoCopyRunFiles.cmake
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TARVO_FONT_SOURCE} ${TARVO_RUN_DIR}/Resources/Fonts/Inconsolata.otf
  COMMENT "Preparing the run folder"
  VERBATIM)

# The game's sound effects are synthesised by tools/soundgen.
set(TARVO_SOUND_DIR ${TARVO_RUN_DIR}/Resources/Sounds)
set(TARVO_GAME_SOUNDS)
foreach(name lie moneypickup liemeterbust stockgoal consumerdied)
  list(APPEND TARVO_GAME_SOUNDS ${TARVO_SOUND_DIR}/${name}.wav)
endforeach()
add_executable(soundgen ${CMAKE_SOURCE_DIR}/tools/soundgen/SoundGen.cpp)
tarvo_set_warnings(soundgen)
add_custom_command(OUTPUT ${TARVO_GAME_SOUNDS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_SOUND_DIR}
  COMMAND soundgen ${TARVO_SOUND_DIR}
  DEPENDS soundgen
  COMMENT "Synthesising the game's sounds"
  VERBATIM)
add_custom_target(game_sounds DEPENDS ${TARVO_GAME_SOUNDS})
add_dependencies(run_folder game_sounds)
