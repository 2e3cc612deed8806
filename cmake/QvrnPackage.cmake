# `cmake --install --component game`, the Debian package qvrn (TarvoPackages.cmake):
#   /usr/games/qvrn, its data in /usr/share/games/qvrn (the run folder's Resources/ and
#   Config/; the font a link to Debian's), a desktop entry, an icon and a man page.
# The installed qvrn finds its data from the folder of its executable (Game/main.cpp).
set(QVRN_DATA_DIR share/games/qvrn)

install(TARGETS qvrn RUNTIME DESTINATION games COMPONENT game)
# Bytecode is compiled below for the installed paths; the run folder's names the build.
install(DIRECTORY ${TARVO_RUN_DIR}/Resources ${TARVO_RUN_DIR}/Config DESTINATION ${QVRN_DATA_DIR}
  COMPONENT game
  PATTERN __pycache__ EXCLUDE
  PATTERN .keep EXCLUDE
  PATTERN Inconsolata.otf EXCLUDE
  PATTERN tarvo-icon.png EXCLUDE)
# The font stays Debian's (package fonts-inconsolata); the scripts are compiled ahead so
# that the game neither compiles them at each start nor writes under /usr.
tarvo_install_font_link(${QVRN_DATA_DIR} game)
tarvo_install_bytecode(${QVRN_DATA_DIR}/Resources/Scripts game)

install(FILES ${CMAKE_SOURCE_DIR}/Game/package/qvrn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  COMPONENT game)
install(FILES ${TARVO_RUN_DIR}/Resources/Images/qvrn-icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps
  RENAME qvrn.png COMPONENT game)
# Debian keeps man pages compressed, without a time stamp in the gzip header.
find_program(TARVO_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/qvrn.6.gz
  COMMAND ${TARVO_GZIP} -9nc ${CMAKE_SOURCE_DIR}/Game/package/qvrn.6 > ${CMAKE_BINARY_DIR}/qvrn.6.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/Game/package/qvrn.6
  COMMENT "Compressing the man page")
add_custom_target(qvrn_man_page ALL DEPENDS ${CMAKE_BINARY_DIR}/qvrn.6.gz)
install(FILES ${CMAKE_BINARY_DIR}/qvrn.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
