# A game written in Python alone as a web page: the runner, the engine's font and console
# script, and the game folder TARVO_WEB_GAME (the Python example unless set), in
# build/web/python-game, a folder any static web server can publish as it is.
set(TARVO_WEB_GAME ${CMAKE_SOURCE_DIR}/examples/python CACHE PATH "The Python game folder the runner's page plays")
set(runner_page_dir ${CMAKE_BINARY_DIR}/python-game)
set(runner_shell ${CMAKE_CURRENT_SOURCE_DIR}/web/shell.html)
set(runner_script ${CMAKE_CURRENT_SOURCE_DIR}/web/pre.js)
set_target_properties(tarvo_runner PROPERTIES SUFFIX ".html" RUNTIME_OUTPUT_DIRECTORY ${runner_page_dir}
  LINK_DEPENDS "${runner_shell};${runner_script};${CMAKE_SOURCE_DIR}/Platform/web/pre.js")
target_link_options(tarvo_runner PRIVATE
  "SHELL:--shell-file ${runner_shell}"
  # The game folder first among the arguments, then the page's options.
  "SHELL:--pre-js ${runner_script}"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/Platform/web/pre.js"
  # The runner enters /game and finds the engine's data at ../run, as in a build tree.
  "SHELL:--preload-file ${TARVO_WEB_GAME}@/game"
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Resources/Fonts@/run/Resources/Fonts"
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Resources/Scripts/start.py@/run/Resources/Scripts/start.py"
  "SHELL:--exclude-file */__pycache__" "SHELL:--exclude-file */__pycache__/*"
  --use-preload-plugins
  -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=0
  -g2)
tarvo_preload_python(tarvo_runner /run/Resources/Scripts)
