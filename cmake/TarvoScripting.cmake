# The script module: SWIG writes the wrapper and the shadow module tarvo.py from the
# interface files in Scripting/ at build time. The wrapper is compiled into the engine
# as the built-in module _tarvo; tarvo.py goes into the run folder's script folder.
set(TARVO_SWIG_DIR ${CMAKE_BINARY_DIR}/swig)
set(TARVO_SWIG_WRAPPER ${TARVO_SWIG_DIR}/tarvo_wrap.cxx)
set(TARVO_SWIG_SHADOW ${TARVO_SWIG_DIR}/tarvo.py)
set(TARVO_SWIG_DOCSTRINGS ${TARVO_SWIG_DIR}/tarvo_docstrings.i)
file(GLOB TARVO_SWIG_INTERFACES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Scripting/*.i)

# The docstrings of tarvo.py, from the comments above the declarations of the interface
# files or, where they have none, of the engine headers. The tool leaves its output alone
# when the text comes out the same, and make then sees no reason to run SWIG again.
set(documented_headers)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB_RECURSE folder_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  list(APPEND documented_headers ${folder_headers})
endforeach()
add_custom_command(OUTPUT ${TARVO_SWIG_DOCSTRINGS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_SWIG_DIR}
  COMMAND ${TARVO_PYTHON} ${CMAKE_SOURCE_DIR}/tools/script-docstrings.py ${CMAKE_SOURCE_DIR} ${TARVO_SWIG_DOCSTRINGS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/script-docstrings.py ${CMAKE_SOURCE_DIR}/tools/engine_layout.py
          ${TARVO_SWIG_INTERFACES} ${documented_headers}
  COMMENT "Reading the script module's docstrings from the comments"
  VERBATIM)

add_custom_command(OUTPUT ${TARVO_SWIG_WRAPPER} ${TARVO_SWIG_DIR}/tarvo_wrap.h ${TARVO_SWIG_SHADOW}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_SWIG_DIR}
  COMMAND ${SWIG_EXECUTABLE} -c++ -python -Werror -I${CMAKE_SOURCE_DIR} -I${TARVO_SWIG_DIR}
          -outdir ${TARVO_SWIG_DIR} -o ${TARVO_SWIG_WRAPPER} ${CMAKE_SOURCE_DIR}/Scripting/tarvo.i
  DEPENDS ${TARVO_SWIG_INTERFACES} ${TARVO_SWIG_DOCSTRINGS}
  COMMENT "Generating the script module"
  VERBATIM)

# Generated code: SWIG's own idioms trip warnings we hold our code to.
set_source_files_properties(${TARVO_SWIG_WRAPPER} PROPERTIES
  COMPILE_OPTIONS "-Wno-shadow;-Wno-unused-parameter;-Wno-missing-field-initializers;-Wno-cast-function-type")

if(EMSCRIPTEN)
  # The page takes tarvo.py compiled, without its source (cmake/TarvoWebPython.cmake).
  add_custom_target(script_module DEPENDS ${TARVO_SWIG_WRAPPER} ${TARVO_SWIG_SHADOW})
  return()
endif()

# Compiled ahead, so start-up reads the bytecode instead of compiling 1,500 lines of
# shadow classes (about 85 ms) where Python can't write its cache itself.
add_custom_command(OUTPUT ${TARVO_RUN_DIR}/Resources/Scripts/tarvo.py
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_RUN_DIR}/Resources/Scripts
  COMMAND ${CMAKE_COMMAND} -E copy ${TARVO_SWIG_SHADOW} ${TARVO_RUN_DIR}/Resources/Scripts/tarvo.py
  COMMAND ${TARVO_PYTHON} -m py_compile ${TARVO_RUN_DIR}/Resources/Scripts/tarvo.py
  DEPENDS ${TARVO_SWIG_SHADOW}
  VERBATIM)
# One target drives the generator; the engine and the run folder wait for it, so the
# command never runs twice at once in a parallel build.
add_custom_target(script_module DEPENDS ${TARVO_SWIG_WRAPPER} ${TARVO_RUN_DIR}/Resources/Scripts/tarvo.py)
add_dependencies(run_folder script_module)
