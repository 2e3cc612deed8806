# The engine: one static library built from its subsystem folders.
set(TARVO_ENGINE_FOLDERS Util Platform Messaging Actors Infrastructure Physics Input Sound Scripting Program)
# The files that need the desktop's libraries; the browser build has its own in web/
# subfolders instead (cmake/TarvoWebEngine.cmake).
set(TARVO_DESKTOP_ONLY_SOURCES Platform/DrawTextures.cpp Platform/FtglFontFace.cpp Platform/ImageFile.cpp Platform/ImageLibrary.cpp
    Platform/Screenshot.cpp Platform/SharedLibrary.cpp Platform/FrameLoop.cpp Platform/PlayerStorage.cpp)
# The engine's own headers, which are neither installed nor in the API reference, as
# regular expressions on a path: a listed folder matches itself and what it holds.
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/private-headers.txt private_entries REGEX "^[^#]")
set(TARVO_PRIVATE_HEADER_REGEXES)
foreach(entry ${private_entries})
  string(REGEX REPLACE "/$" "" entry "${entry}")
  string(REPLACE "." "\\." entry_regex "${entry}")
  list(APPEND TARVO_PRIVATE_HEADER_REGEXES "/${entry_regex}(/|$)")
endforeach()
set(TARVO_ENGINE_SOURCES)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${folder_sources})
endforeach()
# SDL is built in only for the back-ends that run on it (below).
list(REMOVE_ITEM TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Platform/SdlLibrary.cpp)

# Platform back-ends: the desktop one (sdl), a silent one for headless builds (null), and
# the browser's one, which builds only with emscripten.
function(tarvo_add_backend option description web_name web_sources real_sources null_source)
  set(${option} sdl CACHE STRING "${description}: sdl, ${web_name} or null")
  set_property(CACHE ${option} PROPERTY STRINGS sdl ${web_name} null)
  if(${option} STREQUAL "sdl")
    set(sources ${real_sources})
  elseif(${option} STREQUAL "null")
    set(sources ${null_source})
  elseif(${option} STREQUAL "${web_name}")
    if(NOT EMSCRIPTEN)
      message(FATAL_ERROR "${option}=${web_name} is the web build's back-end: configure with emcmake")
    endif()
    set(sources ${web_sources})
  else()
    message(FATAL_ERROR "${option} must be sdl, ${web_name} or null, not '${${option}}'")
  endif()
  list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/)
  set(TARVO_ENGINE_SOURCES ${TARVO_ENGINE_SOURCES} ${sources} PARENT_SCOPE)
endfunction()

tarvo_add_backend(TARVO_SOUND_BACKEND "Sound back-end" openal "Sound/backend/OpenAlBackend.cpp;Sound/backend/WavFile.cpp"
  "Sound/backend/SdlMixerBackend.cpp;Sound/backend/MixerLibrary.cpp" Sound/backend/NullBackend.cpp)
tarvo_add_backend(TARVO_PAD_BACKEND "Game-pad back-end" web Input/backend/WebPadBackend.cpp
  Input/backend/SdlPadBackend.cpp Input/backend/NullPadBackend.cpp)
# SDL itself, opened on first use, for whichever of the two back ends runs on it.
if(TARVO_SOUND_BACKEND STREQUAL "sdl" OR TARVO_PAD_BACKEND STREQUAL "sdl")
  list(APPEND TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Platform/SdlLibrary.cpp)
endif()

if(EMSCRIPTEN)
  include(TarvoWebEngine)
  return()
endif()

include(TarvoScripting)
add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES} ${TARVO_SWIG_WRAPPER})
add_library(tarvo::tarvo ALIAS tarvo)
add_dependencies(tarvo script_module)
target_include_directories(tarvo PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>)
# The image library is opened on first use (Platform/ImageLibrary.cpp): only its
# header is needed here, and nothing links it.
target_include_directories(tarvo PRIVATE ${FREEIMAGE_INCLUDE_DIR})
# The sound and game-pad libraries are opened while the program runs
# (Platform/SdlLibrary.cpp, Sound/backend/MixerLibrary.cpp): their headers only.
target_include_directories(tarvo PRIVATE
  $<TARGET_PROPERTY:SDL2::SDL2,INTERFACE_INCLUDE_DIRECTORIES>
  $<TARGET_PROPERTY:SDL2_mixer::SDL2_mixer,INTERFACE_INCLUDE_DIRECTORIES>
  ${ALSA_INCLUDE_DIRS})
target_link_libraries(tarvo
  PUBLIC OpenGL::GL OpenGL::GLU
  PRIVATE glfw box2d::box2d PkgConfig::FTGL PkgConfig::PYEMBED)
tarvo_set_warnings(tarvo)
