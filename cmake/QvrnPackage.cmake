# `cmake --install --component game` and the Debian package of the game
# (tools/package.sh runs `cpack -G DEB` in the Release build):
#   /usr/games/qvrn, its data in /usr/share/games/qvrn (the run folder's Resources/ and
#   Config/; the font a link to Debian's), a desktop entry, an icon and a man page.
# The installed qvrn finds its data from the folder of its executable (Game/main.cpp).
set(QVRN_DATA_DIR share/games/qvrn)
set(TARVO_FONT_LINK Resources/Fonts/Inconsolata.otf)

install(TARGETS qvrn RUNTIME DESTINATION games COMPONENT game)
# Bytecode is compiled below for the installed paths; the run folder's names the build.
install(DIRECTORY ${TARVO_RUN_DIR}/Resources ${TARVO_RUN_DIR}/Config DESTINATION ${QVRN_DATA_DIR}
  COMPONENT game
  PATTERN __pycache__ EXCLUDE
  PATTERN .keep EXCLUDE
  PATTERN Inconsolata.otf EXCLUDE)
# The font stays Debian's (package fonts-inconsolata), linked rather than copied; the
# scripts are compiled ahead with hashes that are never checked against the sources'
# times, so that the game neither compiles them at each start nor writes under /usr.
install(CODE "
  set(data \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QVRN_DATA_DIR}\")
  file(CREATE_LINK ${TARVO_FONT_SOURCE} \"\${data}/${TARVO_FONT_LINK}\" SYMBOLIC)
  execute_process(COMMAND ${TARVO_PYTHON} -m compileall -q -f --invalidation-mode unchecked-hash
                          -d \"\${CMAKE_INSTALL_PREFIX}/${QVRN_DATA_DIR}/Resources/Scripts\"
                          \"\${data}/Resources/Scripts\"
                  COMMAND_ERROR_IS_FATAL ANY)
  " COMPONENT game)

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

# The package holds the game alone; the engine's files (component "engine") are for
# developers installing with `cmake --install`.
set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Tarvo;game;/")
set(CPACK_PACKAGE_NAME qvrn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game about lying for profit")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "You are a suit on a field of wandering consumers. Hold space and a red lie circle
grows around you; consumers caught in it follow you and pay you until their money
runs out. Rival suits, journalists with cameras and a stock ticker make it a game.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QVRN developers <qvrn@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Libraries from dpkg-shlibdeps. Named here: the font, which is not linked, and the
# libraries the engine opens while it runs: libGL, which GLFW opens (it brings Mesa's
# drivers), SDL2, its sound mixer and ALSA.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-inconsolata, libgl1, libsdl2-2.0-0 (>= 2.24.0), libsdl2-mixer-2.0-0 (>= 2.0.0), libasound2")
# The image library is opened on first use too, so dpkg-shlibdeps can't see it; the
# version is the one its shlibs file gives.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libfreeimage3 (>= 3.18.0+ds2)")
set(CPACK_STRIP_FILES ON)
# Installed at its final prefix into a staging DESTDIR, so the install code above sees
# /usr, the path the bytecode must name.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
