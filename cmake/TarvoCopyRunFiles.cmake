# Copies the committed run-time files from SOURCE into the run folder DESTINATION without
# undoing edits made there: a run-folder file is replaced only while it still holds what
# this script last put there (its hash is kept under STAMPS). An edited file stays, and
# one line says so.
#   cmake -DSOURCE=dir -DDESTINATION=dir -DSTAMPS=dir -P TarvoCopyRunFiles.cmake
foreach(var SOURCE DESTINATION STAMPS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "TarvoCopyRunFiles.cmake needs -D${var}=...")
  endif()
endforeach()

file(GLOB_RECURSE committed RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(name ${committed})
  set(from ${SOURCE}/${name})
  set(to ${DESTINATION}/${name})
  set(stamp ${STAMPS}/${name}.sha256)
  file(SHA256 ${from} from_hash)
  set(last_hash "")
  if(EXISTS ${stamp})
    file(READ ${stamp} last_hash)
  endif()

  if(EXISTS ${to})
    file(SHA256 ${to} to_hash)
    if(NOT to_hash STREQUAL from_hash AND NOT to_hash STREQUAL last_hash)
      message(NOTICE "Keeping ${to}: it was edited there. The build's copy is ${from}; "
                     "edit that one, or delete the run-folder file to get it back.")
      continue()
    endif()
    if(NOT to_hash STREQUAL from_hash)
      get_filename_component(folder ${to} DIRECTORY)
      file(MAKE_DIRECTORY ${folder})
      file(COPY_FILE ${from} ${to})
    endif()
  else()
    get_filename_component(folder ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${from} ${to})
  endif()
  if(NOT last_hash STREQUAL from_hash)
    file(WRITE ${stamp} ${from_hash})
  endif()
endforeach()
