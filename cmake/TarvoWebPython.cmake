# Python in the browser: CPython built for wasm32-emscripten by tools/web-python.sh (which
# tools/web-deps.sh links as build/web-deps/python), hosted by the same script host as on
# the desktop, with the _tarvo module and the standard modules the console and games
# import, compiled ahead into the page's data.
if(NOT EXISTS "${TARVO_WEB_PYTHON}/lib/libpython3.11.a")
  message(FATAL_ERROR "TARVO_WEB_PYTHON (${TARVO_WEB_PYTHON}) holds no CPython build: build with tools/web.sh")
endif()

add_library(tarvo_web_python INTERFACE)
target_include_directories(tarvo_web_python INTERFACE ${TARVO_WEB_PYTHON}/include/python3.11)
target_link_libraries(tarvo_web_python INTERFACE ${TARVO_WEB_PYTHON}/lib/libpython3.11.a ${TARVO_WEB_PYTHON}/lib/libz.a)
# PYTHONHOME for the interpreter, before main() runs.
target_link_options(tarvo_web_python INTERFACE "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/Scripting/web/pre.js")

# The page's Python files: the standard modules, and the shadow module tarvo.py, as
# bytecode alone. A page links them in with tarvo_preload_python.
set(TARVO_WEB_STDLIB ${CMAKE_BINARY_DIR}/python/stdlib)
set(TARVO_WEB_STDLIB_LIST ${CMAKE_SOURCE_DIR}/Scripting/web/standard-modules.txt)
set(TARVO_WEB_SHADOW ${CMAKE_BINARY_DIR}/python/tarvo.pyc)
add_custom_command(OUTPUT ${TARVO_WEB_STDLIB}.stamp
  COMMAND ${TARVO_PYTHON} ${CMAKE_SOURCE_DIR}/tools/web-stdlib.py ${TARVO_WEB_STDLIB_LIST}
          ${TARVO_WEB_PYTHON}/lib/python3.11 ${TARVO_WEB_STDLIB}
  COMMAND ${CMAKE_COMMAND} -E touch ${TARVO_WEB_STDLIB}.stamp
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/web-stdlib.py ${TARVO_WEB_STDLIB_LIST} ${TARVO_WEB_PYTHON}/lib/libpython3.11.a
  COMMENT "Compiling the page's standard modules"
  VERBATIM)
add_custom_command(OUTPUT ${TARVO_WEB_SHADOW}
  COMMAND ${TARVO_PYTHON} -c "import py_compile, sys; py_compile.compile(sys.argv[1], cfile=sys.argv[2], dfile='tarvo.py', doraise=True, invalidation_mode=py_compile.PycInvalidationMode.UNCHECKED_HASH)"
          ${TARVO_SWIG_SHADOW} ${TARVO_WEB_SHADOW}
  DEPENDS ${TARVO_SWIG_SHADOW}
  VERBATIM)
add_custom_target(web_python_files DEPENDS ${TARVO_WEB_STDLIB}.stamp ${TARVO_WEB_SHADOW} script_module)

# Adds the Python files to a page's data: the standard modules, and tarvo.pyc into
# `script_folder`, the page's folder of the engine's scripts, where the start-up script
# finds tarvo.py.
function(tarvo_preload_python target script_folder)
  add_dependencies(${target} web_python_files)
  get_target_property(link_depends ${target} LINK_DEPENDS)
  if(NOT link_depends)
    set(link_depends)
  endif()
  set_target_properties(${target} PROPERTIES LINK_DEPENDS "${link_depends};${TARVO_WEB_STDLIB}.stamp;${TARVO_WEB_SHADOW}")
  target_link_options(${target} PRIVATE
    "SHELL:--preload-file ${TARVO_WEB_STDLIB}@/usr/local/lib/python3.11"
    "SHELL:--preload-file ${TARVO_WEB_SHADOW}@${script_folder}/tarvo.pyc")
endfunction()
