# The engine: one static library built from its subsystem folders.
set(TARVO_ENGINE_FOLDERS Util Infrastructure Messaging Actors Input)
set(TARVO_ENGINE_SOURCES)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${folder_sources})
endforeach()

# The game-pad back-end: SDL game controllers, or a null one that never finds a pad.
set(TARVO_PAD_BACKEND "sdl" CACHE STRING "Game-pad back-end: sdl or null")
set_property(CACHE TARVO_PAD_BACKEND PROPERTY STRINGS sdl null)
if(TARVO_PAD_BACKEND STREQUAL "null")
  list(APPEND TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Input/backend/NullPadBackend.cpp)
else()
  list(APPEND TARVO_ENGINE_SOURCES ${CMAKE_SOURCE_DIR}/Input/backend/SdlPadBackend.cpp)
endif()

add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES})
add_library(tarvo::tarvo ALIAS tarvo)
target_include_directories(tarvo PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(tarvo PRIVATE ${FREEIMAGE_INCLUDE_DIR})
target_link_libraries(tarvo
  PUBLIC OpenGL::GL OpenGL::GLU
  PRIVATE glfw box2d::box2d SDL2::SDL2 SDL2_mixer::SDL2_mixer PkgConfig::FTGL PkgConfig::PYEMBED ${FREEIMAGE_LIBRARY})
tarvo_set_warnings(tarvo)
