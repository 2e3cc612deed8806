# The browser build (the "web" preset, tools/web.sh): the engine and the game as a web
# page. Emscripten can't fetch its own ports here, so Box2D and FreeType come from
# Debian's sources, built by tools/web-deps.sh into TARVO_WEB_DEPENDENCIES. The art and
# sounds are made by the desktop build's tools: the page takes TARVO_WEB_RUN_FOLDER's.
set(TARVO_WEB_DEPENDENCIES "" CACHE PATH "Where tools/web-deps.sh installed Box2D and FreeType")
set(TARVO_WEB_RUN_FOLDER "" CACHE PATH "A desktop build's run folder, whose Resources and Config the page ships")
foreach(folder TARVO_WEB_DEPENDENCIES TARVO_WEB_RUN_FOLDER)
  if(NOT IS_DIRECTORY "${${folder}}")
    message(FATAL_ERROR "${folder} (${${folder}}) is not a folder: build with tools/web.sh")
  endif()
endforeach()
list(APPEND CMAKE_FIND_ROOT_PATH ${TARVO_WEB_DEPENDENCIES})
list(APPEND CMAKE_PREFIX_PATH ${TARVO_WEB_DEPENDENCIES})
find_package(box2d 2.4 REQUIRED)
find_package(Freetype REQUIRED)

include(TarvoWarnings)
include(TarvoEngine)
add_subdirectory(Game)
