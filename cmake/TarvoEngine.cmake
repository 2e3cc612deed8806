# The engine: one static library built from its subsystem folders.
set(TARVO_ENGINE_FOLDERS Util Infrastructure Messaging Actors Input Sound)
set(TARVO_ENGINE_SOURCES)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${folder_sources})
endforeach()

# Sound: SDL2_mixer, or a silent back-end for builds without audio.
set(TARVO_SOUND_BACKEND sdl CACHE STRING "Sound back-end: sdl or null")
set_property(CACHE TARVO_SOUND_BACKEND PROPERTY STRINGS sdl null)
if(TARVO_SOUND_BACKEND STREQUAL "sdl")
  list(APPEND TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Sound/backend/SdlMixerBackend.cpp)
elseif(TARVO_SOUND_BACKEND STREQUAL "null")
  list(APPEND TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Sound/backend/NullBackend.cpp)
else()
  message(FATAL_ERROR "TARVO_SOUND_BACKEND must be sdl or null, not '${TARVO_SOUND_BACKEND}'")
endif()

add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES})
add_library(tarvo::tarvo ALIAS tarvo)
target_include_directories(tarvo PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(tarvo PRIVATE ${FREEIMAGE_INCLUDE_DIR})
target_link_libraries(tarvo
  PUBLIC OpenGL::GL OpenGL::GLU
  PRIVATE glfw box2d::box2d SDL2::SDL2 SDL2_mixer::SDL2_mixer PkgConfig::FTGL PkgConfig::PYEMBED ${FREEIMAGE_LIBRARY})
tarvo_set_warnings(tarvo)
