if(TARVO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)

  # Every sanitized executable carries the leak suppressions and keeps system modules
  # loaded until exit (tools/sanitize/LeakCheckSupport.cpp). The libraries that unload
  # modules are loaded at run time, so the executable must export its dlclose to them.
  add_library(tarvo_leak_check_support OBJECT ${CMAKE_SOURCE_DIR}/tools/sanitize/LeakCheckSupport.cpp)
  link_libraries($<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:tarvo_leak_check_support>)
  add_link_options($<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:LINKER:--export-dynamic-symbol=dlclose>)
endif()

if(TARVO_FUZZ)
  # Coverage for the fuzzer in everything; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
