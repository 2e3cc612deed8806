# The API reference, docs/api/html/index.html, made by Doxygen from the comments of the
# installed headers (the engine folders' *.h, without those cmake/private-headers.txt
# lists, as TarvoInstall.cmake installs them). Built with everything else when doxygen is found,
# and again only when a header changes. The output is not kept in git.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "doxygen not found: no API reference (docs/api)")
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

set(TARVO_API_DIR ${CMAKE_SOURCE_DIR}/docs/api)
configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)
add_custom_command(OUTPUT ${TARVO_API_DIR}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_API_DIR}
  COMMAND Doxygen::doxygen ${CMAKE_BINARY_DIR}/Doxyfile
  DEPENDS ${TARVO_API_HEADERS} ${CMAKE_BINARY_DIR}/Doxyfile ${CMAKE_SOURCE_DIR}/tools/doxygen-filter.sh
  COMMENT "API reference in docs/api"
  VERBATIM)
add_custom_target(api_docs ALL DEPENDS ${TARVO_API_DIR}/html/index.html)
