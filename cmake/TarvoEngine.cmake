# The engine: one static library built from its subsystem folders.
set(TARVO_ENGINE_FOLDERS Util Infrastructure Messaging Actors Input Sound Scripting)
set(TARVO_ENGINE_SOURCES)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND TARVO_ENGINE_SOURCES ${folder_sources})
endforeach()

# Platform back-ends, one source file each: the real one or a silent one for headless builds.
function(tarvo_add_backend option description real_source null_source)
  set(${option} sdl CACHE STRING "${description}: sdl or null")
  set_property(CACHE ${option} PROPERTY STRINGS sdl null)
  if(${option} STREQUAL "sdl")
    set(source ${real_source})
  elseif(${option} STREQUAL "null")
    set(source ${null_source})
  else()
    message(FATAL_ERROR "${option} must be sdl or null, not '${${option}}'")
  endif()
  set(TARVO_ENGINE_SOURCES ${TARVO_ENGINE_SOURCES} ${CMAKE_SOURCE_DIR}/${source} PARENT_SCOPE)
endfunction()

tarvo_add_backend(TARVO_SOUND_BACKEND "Sound back-end" Sound/backend/SdlMixerBackend.cpp Sound/backend/NullBackend.cpp)
tarvo_add_backend(TARVO_PAD_BACKEND "Game-pad back-end" Input/backend/SdlPadBackend.cpp Input/backend/NullPadBackend.cpp)

include(TarvoScripting)
add_library(tarvo STATIC ${TARVO_ENGINE_SOURCES} ${TARVO_SWIG_WRAPPER})
add_library(tarvo::tarvo ALIAS tarvo)
add_dependencies(tarvo script_module)
target_include_directories(tarvo PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>)
# The image library is opened on first use (Infrastructure/ImageLibrary.cpp): only its
# header is needed here, and nothing links it.
target_include_directories(tarvo PRIVATE ${FREEIMAGE_INCLUDE_DIR})
target_link_libraries(tarvo
  PUBLIC OpenGL::GL OpenGL::GLU
  PRIVATE glfw box2d::box2d SDL2::SDL2 SDL2_mixer::SDL2_mixer PkgConfig::FTGL PkgConfig::ALSA PkgConfig::PYEMBED)
tarvo_set_warnings(tarvo)
