# `cmake --install` of the engine, in two components as Debian splits a library:
#   runtime  what plays a game: the engine's data folder share/tarvo/ shaped like a run
#            folder (the console's start script, the shadow module, the font); the
#            runner and its shipping tools (Runner/) and the Python example
#            (TarvoPackages.cmake) join it;
#   dev      what builds one in C++: the static library, the public headers under
#            include/tarvo/ with their folders as they are, the scripting interface
#            files, a CMake package and a pkg-config file; the references with the
#            docs/ pages in share/doc/tarvo-dev/ (TarvoApiDocs.cmake) join it.
#
# The headers include each other as "Infrastructure/World.h", so consumers get
# include/tarvo on their include path through Tarvo::tarvo (and tarvo.pc), and write the
# same includes the engine does.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TARVO_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/tarvo)
set(TARVO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tarvo)
set(TARVO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tarvo)
# Where a data folder keeps the font; installed, a link to Debian's file.
set(TARVO_FONT_LINK Resources/Fonts/Inconsolata.otf)

# Installs, into the data folder `folder` (relative to the prefix), the font as a link to
# Debian's file rather than a copy.
function(tarvo_install_font_link folder component)
  install(CODE "
    set(data \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}\")
    file(MAKE_DIRECTORY \"\${data}/Resources/Fonts\")
    file(CREATE_LINK ${TARVO_FONT_SOURCE} \"\${data}/${TARVO_FONT_LINK}\" SYMBOLIC)
    " COMPONENT ${component})
endfunction()

# Compiles the Python files installed under `folder` (relative to the prefix), if it is
# there, for their installed paths, with hashes never checked against the sources' times:
# so nothing compiles them at each start nor writes beside them.
function(tarvo_install_bytecode folder component)
  install(CODE "
    set(scripts \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}\")
    if(EXISTS \"\${scripts}\")
      execute_process(COMMAND ${TARVO_PYTHON} -m compileall -q -f --invalidation-mode unchecked-hash
                              -d \"\${CMAKE_INSTALL_PREFIX}/${folder}\" \"\${scripts}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
    " COMPONENT ${component})
endfunction()

target_include_directories(tarvo INTERFACE $<INSTALL_INTERFACE:${TARVO_INSTALL_INCLUDEDIR}>)
# The headers are C++17; a consumer gets that with the target.
target_compile_features(tarvo INTERFACE cxx_std_17)
set_target_properties(tarvo PROPERTIES EXPORT_NAME tarvo)
# A sanitized build links its leak-check helper into every executable
# (TarvoSanitize.cmake), and the static library passes that on; an installed engine has
# no such helper to offer.
get_target_property(tarvo_interface tarvo INTERFACE_LINK_LIBRARIES)
list(FILTER tarvo_interface EXCLUDE REGEX "tarvo_leak_check_support")
set_property(TARGET tarvo PROPERTY INTERFACE_LINK_LIBRARIES ${tarvo_interface})

install(TARGETS tarvo EXPORT TarvoTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)

# What a game may include; the engine's own headers (cmake/private-headers.txt: back-ends,
# library tables, the frame's wiring, run-option parsing) stay behind.
set(private_header_excludes)
foreach(regex ${TARVO_PRIVATE_HEADER_REGEXES})
  list(APPEND private_header_excludes REGEX "${regex}" EXCLUDE)
endforeach()
foreach(folder ${TARVO_ENGINE_FOLDERS})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder}/ DESTINATION ${TARVO_INSTALL_INCLUDEDIR}/${folder}
    COMPONENT dev
    FILES_MATCHING PATTERN "*.h"
    ${private_header_excludes})
endforeach()

# With the docstrings the build collected, which tarvo.i includes.
install(FILES ${TARVO_SWIG_INTERFACES} ${TARVO_SWIG_DOCSTRINGS} ${CMAKE_SOURCE_DIR}/Scripting/ModuleNames.txt
  DESTINATION ${TARVO_INSTALL_DATADIR}/swig COMPONENT dev)

# The engine's data folder, where the runner looks beside its executable
# (<exe dir>/../share/tarvo): the console script and the shadow module it imports.
install(FILES ${CMAKE_SOURCE_DIR}/Resources/Scripts/start.py ${TARVO_SWIG_SHADOW}
  DESTINATION ${TARVO_INSTALL_DATADIR}/Resources/Scripts COMPONENT runtime)
tarvo_install_font_link(${TARVO_INSTALL_DATADIR} runtime)
tarvo_install_bytecode(${TARVO_INSTALL_DATADIR}/Resources/Scripts runtime)

install(EXPORT TarvoTargets NAMESPACE Tarvo:: DESTINATION ${TARVO_INSTALL_CMAKEDIR} COMPONENT dev)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/TarvoConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TarvoConfig.cmake
  INSTALL_DESTINATION ${TARVO_INSTALL_CMAKEDIR}
  PATH_VARS TARVO_INSTALL_DATADIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TarvoConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TarvoConfig.cmake ${CMAKE_BINARY_DIR}/TarvoConfigVersion.cmake
  DESTINATION ${TARVO_INSTALL_CMAKEDIR} COMPONENT dev)

# The .pc file finds the prefix from its own place (lib/pkgconfig, or
# lib/x86_64-linux-gnu/pkgconfig under /usr), so `--prefix` at install time is honoured.
string(REGEX REPLACE "[^/]+" ".." TARVO_PC_TO_PREFIX ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
configure_file(${CMAKE_SOURCE_DIR}/cmake/tarvo.pc.in ${CMAKE_BINARY_DIR}/tarvo.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tarvo.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
