# The engine in the browser. Each folder's web/ files stand in for its desktop-only ones:
# the browser decodes the images, FreeType draws the text, the browser drives the frames
# and keeps the player's files. There is no Python to host, so Scripting brings only the
# console that says so.
list(TRANSFORM TARVO_DESKTOP_ONLY_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
file(GLOB scripting_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Scripting/*.cpp)
list(REMOVE_ITEM TARVO_ENGINE_SOURCES ${TARVO_DESKTOP_ONLY_SOURCES} ${scripting_sources})
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB web_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/web/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${web_sources})
endforeach()

add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES})
target_include_directories(tarvo PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tarvo PRIVATE box2d::box2d Freetype::Freetype)
# The window, its GL and the fixed-function drawing the engine does, emulated over WebGL;
# sound through the browser's OpenAL; the browser's storage for the player's files.
target_link_options(tarvo INTERFACE -sUSE_GLFW=3 -sLEGACY_GL_EMULATION=1 -lopenal -lidbfs.js)
tarvo_set_warnings(tarvo)
