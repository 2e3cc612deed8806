# The runner as a web page with no game in it, built once and shipped with the engine:
# build/web/runner-page holds tarvo.html, tarvo.js, tarvo.wasm and tarvo.data (the
# engine's font, console script, tarvo.pyc and standard modules), and modules.txt, what
# the page's Python can import. `tarvo pack --web` copies it beside a game's files
# (game.pack), which the page fetches at start (web/pre.js).
set(runner_page_dir ${CMAKE_BINARY_DIR}/runner-page)
set(runner_shell ${CMAKE_CURRENT_BINARY_DIR}/runner_shell.html)
# Its title is the one `tarvo pack --web` replaces with the game's (Runner/shipping/web_page.py).
tarvo_page_shell(${runner_shell} "A game on Tarvo" "The game" "the game" "tarvo"
  "Browsers play sound only after your first key or click on the page. The backquote
    key opens the console.")
set(runner_script ${CMAKE_CURRENT_SOURCE_DIR}/web/pre.js)
set_target_properties(tarvo_runner PROPERTIES SUFFIX ".html" RUNTIME_OUTPUT_DIRECTORY ${runner_page_dir}
  LINK_DEPENDS "${runner_shell};${runner_script};${CMAKE_SOURCE_DIR}/Platform/web/pre.js")
target_link_options(tarvo_runner PRIVATE
  "SHELL:--shell-file ${runner_shell}"
  # The game's files first, then the game folder first among the arguments, then the
  # page's options.
  "SHELL:--pre-js ${runner_script}"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/Platform/web/pre.js"
  # The runner enters /game and finds the engine's data at ../run, as in a build tree.
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Resources/Fonts@/run/Resources/Fonts"
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Resources/Scripts/start.py@/run/Resources/Scripts/start.py"
  # The browser decodes the game's images as they arrive (FS.createPreloadedFile).
  --use-preload-plugins
  -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=0
  -g2)
tarvo_preload_python(tarvo_runner /run/Resources/Scripts)

find_program(TARVO_EMNM emnm REQUIRED)
add_custom_command(OUTPUT ${runner_page_dir}/modules.txt
  COMMAND ${TARVO_PYTHON} ${CMAKE_SOURCE_DIR}/tools/web-page-modules.py ${TARVO_WEB_STDLIB} ${TARVO_EMNM}
          ${TARVO_WEB_PYTHON}/lib/libpython3.11.a > ${runner_page_dir}/modules.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/web-page-modules.py ${TARVO_WEB_STDLIB}.stamp ${TARVO_WEB_PYTHON}/lib/libpython3.11.a
  VERBATIM)
add_custom_target(runner_page_modules ALL DEPENDS ${runner_page_dir}/modules.txt)
add_dependencies(runner_page_modules web_python_files)

# The game folder TARVO_WEB_GAME (the Python example unless set) packed as a maker packs
# it, into build/web/python-game/NAME-web: the tests play it.
set(TARVO_WEB_GAME ${CMAKE_SOURCE_DIR}/examples/python CACHE PATH "The Python game folder packed with the runner's page")
file(GLOB_RECURSE web_game_files CONFIGURE_DEPENDS ${TARVO_WEB_GAME}/*)
file(GLOB shipping_tools CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/shipping/*.py)
set(python_game_dir ${CMAKE_BINARY_DIR}/python-game)
add_custom_command(OUTPUT ${python_game_dir}/packed.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${python_game_dir}
  COMMAND ${CMAKE_COMMAND} -E env TARVO_WEB_RUNNER_PAGE=${runner_page_dir} PYTHONDONTWRITEBYTECODE=1
          ${TARVO_PYTHON} -I ${CMAKE_CURRENT_SOURCE_DIR}/shipping/tarvo_ship.py pack --web --output ${python_game_dir}
          ${TARVO_WEB_GAME}
  COMMAND ${CMAKE_COMMAND} -E touch ${python_game_dir}/packed.stamp
  DEPENDS tarvo_runner ${runner_page_dir}/modules.txt ${web_game_files} ${shipping_tools}
  COMMENT "Packing ${TARVO_WEB_GAME} with the runner's page"
  VERBATIM)
add_custom_target(python_game_page ALL DEPENDS ${python_game_dir}/packed.stamp)
