# The three Debian packages, made by one `cpack -G DEB` run in the Release build
# (tools/package.sh), one package per install component:
#   qvrn      (component "game")    the game for players, QvrnPackage.cmake
#   tarvo     (component "runtime") what a player of a game on the engine needs: the
#             runner `tarvo` with its shipping tools, the engine's data and the Python
#             example; TarvoInstall.cmake, Runner/CMakeLists.txt and below
#   tarvo-dev (component "dev")     what a game maker builds a C++ game with, and the
#             references; TarvoInstall.cmake, TarvoApiDocs.cmake
# Included last: the packages take the install rules of every folder above.

# The Python example belongs to the runtime. It is optional, so a tree without it still
# installs and packages the rest.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/python DESTINATION ${TARVO_INSTALL_DATADIR}/examples
  COMPONENT runtime OPTIONAL
  PATTERN __pycache__ EXCLUDE
  PATTERN CMakeLists.txt EXCLUDE)
tarvo_install_bytecode(${TARVO_INSTALL_DATADIR}/examples/python runtime)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game runtime dev)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_PACKAGE_NAME tarvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QVRN developers <qvrn@localhost>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Installed at its final prefix into a staging DESTDIR, so the install code sees /usr,
# the path the bytecode must name.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Libraries the executables link come from dpkg-shlibdeps; the rest is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened while a program on the engine runs, so invisible to dpkg-shlibdeps: libGL,
# which GLFW opens (it brings Mesa's drivers), SDL2, its sound mixer, ALSA and the image
# library (the version its shlibs file gives), and the font every data folder links to.
set(tarvo_runtime_depends
  "fonts-inconsolata, libgl1, libsdl2-2.0-0 (>= 2.24.0), libsdl2-mixer-2.0-0 (>= 2.0.0), libasound2, libfreeimage3 (>= 3.18.0+ds2)")

set(CPACK_DEBIAN_GAME_PACKAGE_NAME qvrn)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "arcade game about lying for profit
You are a suit on a field of wandering consumers. Hold space and a red lie circle
grows around you; consumers caught in it follow you and pay you until their money
runs out. Rival suits, journalists with cameras and a stock ticker make it a game.")
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "${tarvo_runtime_depends}")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME tarvo)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "compact 2-D game engine: the runner of games written in Python
Tarvo is a small game engine: a frame loop over layered actors, tweens,
sprites, text, particles, Box2D physics, named messages, key bindings, mouse and
game pads, sound and an in-game Python console.
.
This package plays games made with it: `tarvo GAME_FOLDER` or `tarvo GAME.tarvo`.
`tarvo pack` turns a game folder into one file to share, or into a Debian
package of its own. An example game is in /usr/share/tarvo/examples/python.
The files to build a game in C++ are in tarvo-dev.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${tarvo_runtime_depends}")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME tarvo-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "compact 2-D game engine: development files and references
Tarvo is a small C++ game engine: a frame loop over layered actors, tweens,
sprites, text, particles, Box2D physics, named messages, key bindings, mouse and
game pads, sound and an in-game Python console.
.
This package builds a game in C++: the static library, headers, CMake package
(find_package(Tarvo)), pkg-config file and SWIG interface files, with the C++
and Python references in /usr/share/doc/tarvo-dev.")
# A static library and text: nothing for dpkg-shlibdeps to read.
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
# The engine's data folder, which find_package(Tarvo) names, is in the runtime of the
# same version; then what find_package(Tarvo) and tarvo.pc look up again on the game
# maker's machine: the CMake packages of GLFW and Box2D, pkg-config with FTGL's and the
# embeddable Python's files, and the OpenGL and GLU headers and libraries.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "tarvo (= ${PROJECT_VERSION}), \
libglfw3-dev (>= 3.3), libbox2d-dev (>= 2.4), libftgl-dev, libpython3-dev, libgl-dev, libglu1-mesa-dev, \
pkgconf | pkg-config")
# A compiler and CMake are the game maker's choice, but the usual one.
set(CPACK_DEBIAN_DEV_PACKAGE_RECOMMENDS "g++, cmake")
set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS "swig")
include(CPack)
