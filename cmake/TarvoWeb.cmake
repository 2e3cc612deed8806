# The browser build (the "web" preset, tools/web.sh): the engine and the game as a web
# page. Emscripten can't fetch its own ports here, so Box2D, FreeType, zlib and CPython
# come from Debian's sources, built by tools/web-deps.sh into TARVO_WEB_DEPENDENCIES and
# (the slow CPython, with zlib) by tools/web-python.sh into TARVO_WEB_PYTHON. The art and
# sounds are made by the desktop build's tools: the page takes TARVO_WEB_RUN_FOLDER's.
set(TARVO_WEB_DEPENDENCIES "" CACHE PATH "Where tools/web-deps.sh installed Box2D and FreeType")
set(TARVO_WEB_PYTHON "" CACHE PATH "Where tools/web-python.sh built CPython and zlib for the browser")
set(TARVO_WEB_RUN_FOLDER "" CACHE PATH "A desktop build's run folder, whose Resources and Config the page ships")
foreach(folder TARVO_WEB_DEPENDENCIES TARVO_WEB_PYTHON TARVO_WEB_RUN_FOLDER)
  if(NOT IS_DIRECTORY "${${folder}}")
    message(FATAL_ERROR "${folder} (${${folder}}) is not a folder: build with tools/web.sh")
  endif()
endforeach()
list(APPEND CMAKE_FIND_ROOT_PATH ${TARVO_WEB_DEPENDENCIES})
list(APPEND CMAKE_PREFIX_PATH ${TARVO_WEB_DEPENDENCIES})
find_package(box2d 2.4 REQUIRED)
find_package(Freetype REQUIRED)
# FreeType inflates with the zlib CPython links (tools/web-python.sh built both): one
# copy in the page, where FreeType's own would collide with it.
set_property(TARGET Freetype::Freetype APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${TARVO_WEB_PYTHON}/lib/libz.a)
# Tools that run on this machine: SWIG, and Debian's Python 3.11, whose bytecode is the
# page's.
find_program(SWIG_EXECUTABLE swig4.0 swig NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(TARVO_PYTHON python3.11 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

include(TarvoWarnings)
include(TarvoEngine)
add_subdirectory(Game)
add_subdirectory(Runner)
