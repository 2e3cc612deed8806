# Every library comes from Debian's packages (tools/setup.sh installs them).
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(glfw3 3.3 REQUIRED)
find_package(box2d 2.4 REQUIRED)
find_package(SDL2 REQUIRED)
find_package(SDL2_mixer REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FTGL REQUIRED IMPORTED_TARGET ftgl)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
# pkg-config, not FindPython3: the latter prefers a pyenv interpreter over Debian's.
pkg_check_modules(PYEMBED REQUIRED IMPORTED_TARGET python3-embed)
find_package(SWIG 4.1 REQUIRED COMPONENTS python)
# The interpreter that matches the embedded library, to compile the shadow module ahead.
find_program(TARVO_PYTHON python${PYEMBED_VERSION} PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_path(FREEIMAGE_INCLUDE_DIR FreeImage.h REQUIRED)
find_library(FREEIMAGE_LIBRARY freeimage REQUIRED)
# For the tests and tools that call the image library directly; the engine opens it at
# run time and links nothing of it.
add_library(Tarvo::FreeImage UNKNOWN IMPORTED)
set_target_properties(Tarvo::FreeImage PROPERTIES IMPORTED_LOCATION ${FREEIMAGE_LIBRARY})
