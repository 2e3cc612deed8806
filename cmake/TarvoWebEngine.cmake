# The engine in the browser. Each folder's web/ files stand in for its desktop-only ones:
# the browser decodes the images, FreeType draws the text, the browser drives the frames
# and keeps the player's files. Scripting is the desktop's script host over CPython built
# for the browser (cmake/TarvoWebPython.cmake).
list(TRANSFORM TARVO_DESKTOP_ONLY_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
list(REMOVE_ITEM TARVO_ENGINE_SOURCES ${TARVO_DESKTOP_ONLY_SOURCES})
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB web_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/web/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${web_sources})
endforeach()

include(TarvoScripting)
include(TarvoWebPython)
add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES} ${TARVO_SWIG_WRAPPER})
add_dependencies(tarvo script_module)
target_include_directories(tarvo PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tarvo PRIVATE box2d::box2d Freetype::Freetype PUBLIC tarvo_web_python)
# A director call the script's class can't answer throws through the wrapper, which
# turns it into a Python exception: without C++ exceptions it would abort the page.
set_property(SOURCE ${TARVO_SWIG_WRAPPER} APPEND PROPERTY COMPILE_OPTIONS -fexceptions)
# The window, its GL and the fixed-function drawing the engine does, emulated over WebGL;
# sound through the browser's OpenAL; the browser's storage for the player's files;
# catching the wrapper's exceptions; ccall for the page's way to the console
# (Infrastructure/web/ConsoleLine.cpp).
target_link_options(tarvo INTERFACE -sUSE_GLFW=3 -sLEGACY_GL_EMULATION=1 -lopenal -lidbfs.js -fexceptions
  -sEXPORTED_RUNTIME_METHODS=ccall -sEXPORTED_FUNCTIONS=_main,_TypeConsoleLine)
tarvo_set_warnings(tarvo)

# A page's shell, written into `out` from Platform/web/page_shell.html.in: the same page,
# status line and messages for every game, in the words of the one it carries. `game` is
# the name its messages start with ("QVRN", "The game"), `loading` what the status line
# loads, `program` the name the program's own errors start with.
function(tarvo_page_shell out title game loading program notes)
  set(PAGE_TITLE ${title})
  set(PAGE_GAME ${game})
  set(PAGE_GAME_LOWER ${loading})
  set(PAGE_PROGRAM ${program})
  set(PAGE_NOTES ${notes})
  configure_file(${CMAKE_SOURCE_DIR}/Platform/web/page_shell.html.in ${out} @ONLY)
endfunction()
