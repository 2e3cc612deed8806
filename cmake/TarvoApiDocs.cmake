# The two API references, kept out of git under docs/api/ and installed with the engine's
# development files (component dev, package tarvo-dev) into share/doc/tarvo-dev/api/, beside the pages of docs/ they link to:
#   docs/api/python/index.html  every class and call of the script module with its
#     comment, written from the generated shadow module tarvo.py, whose docstrings
#     hold the comments (tools/script-reference.py; TarvoScripting.cmake);
#   docs/api/cpp/index.html  made by Doxygen from the comments of the installed headers
#     (the engine folders' *.h, without those cmake/private-headers.txt lists, as
#     TarvoInstall.cmake installs them), opening on docs/api-main.md.
# Both are built with everything else, and again only when what they are made from
# changes.
set(TARVO_API_DIR ${CMAKE_SOURCE_DIR}/docs/api)
set(TARVO_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarvo-dev)

add_custom_command(OUTPUT ${TARVO_API_DIR}/python/index.html
  COMMAND ${TARVO_PYTHON} ${CMAKE_SOURCE_DIR}/tools/script-reference.py ${TARVO_SWIG_SHADOW} ${TARVO_API_DIR}/python
  DEPENDS ${TARVO_SWIG_SHADOW} ${CMAKE_SOURCE_DIR}/tools/script-reference.py
  COMMENT "Python reference in docs/api/python"
  VERBATIM)
add_custom_target(script_reference ALL DEPENDS ${TARVO_API_DIR}/python/index.html)
# The shadow module is made by script_module alone, so SWIG never runs twice at once.
add_dependencies(script_reference script_module)

# The pages the references link to, then the references. The game's own page and
# pictures stay with the game; the C++ reference's main page is in it already.
file(GLOB doc_pages ${CMAKE_SOURCE_DIR}/docs/*.md ${CMAKE_SOURCE_DIR}/docs/*.png)
list(FILTER doc_pages EXCLUDE REGEX "/(api-main\\.md|game\\.md|qvrn-[^/]*)$")
install(FILES ${doc_pages} DESTINATION ${TARVO_INSTALL_DOCDIR} COMPONENT dev)
install(DIRECTORY ${TARVO_API_DIR}/python DESTINATION ${TARVO_INSTALL_DOCDIR}/api COMPONENT dev)

find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "doxygen not found: no C++ reference (docs/api/cpp)")
  return()
endif()

set(TARVO_API_HEADERS)
foreach(folder ${TARVO_ENGINE_FOLDERS})
  file(GLOB_RECURSE folder_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  foreach(regex ${TARVO_PRIVATE_HEADER_REGEXES})
    list(FILTER folder_headers EXCLUDE REGEX "${regex}")
  endforeach()
  list(APPEND TARVO_API_HEADERS ${folder_headers})
endforeach()
list(JOIN TARVO_API_HEADERS " \\\n    " TARVO_API_INPUT)

configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)
add_custom_command(OUTPUT ${TARVO_API_DIR}/cpp/index.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_API_DIR}
  COMMAND Doxygen::doxygen ${CMAKE_BINARY_DIR}/Doxyfile
  DEPENDS ${TARVO_API_HEADERS} ${CMAKE_SOURCE_DIR}/docs/api-main.md ${CMAKE_BINARY_DIR}/Doxyfile
          ${CMAKE_SOURCE_DIR}/tools/doxygen-filter.sh
  COMMENT "C++ reference in docs/api/cpp"
  VERBATIM)
add_custom_target(api_docs ALL DEPENDS ${TARVO_API_DIR}/cpp/index.html)
install(DIRECTORY ${TARVO_API_DIR}/cpp DESTINATION ${TARVO_INSTALL_DOCDIR}/api COMPONENT dev)
