# QVRN as a web page: build/web/page holds qvrn.html and what it loads, a folder any
# static web server can publish as it is.
set(QVRN_PAGE_DIR ${CMAKE_BINARY_DIR}/page)
set(page_shell ${CMAKE_CURRENT_BINARY_DIR}/qvrn_shell.html)
tarvo_page_shell(${page_shell} "QVRN" "QVRN" "QVRN" "qvrn"
  "Arrow keys walk, space lies, Enter picks on the menu, Escape leaves a game for the
    menu. Browsers play sound only after
    your first key or click on the page. The best price stays in this browser.")
set(page_script ${CMAKE_SOURCE_DIR}/Platform/web/pre.js)
set_target_properties(qvrn PROPERTIES SUFFIX ".html" RUNTIME_OUTPUT_DIRECTORY ${QVRN_PAGE_DIR}
  LINK_DEPENDS "${page_shell};${page_script}")
target_link_options(qvrn PRIVATE
  "SHELL:--shell-file ${page_shell}"
  "SHELL:--pre-js ${page_script}"
  # The art, sounds, font, bindings and the console's start-up script, decoded by the
  # browser before the game starts; tarvo.py comes compiled (tarvo_preload_python).
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Resources@/Resources"
  "SHELL:--preload-file ${TARVO_WEB_RUN_FOLDER}/Config@/Config"
  "SHELL:--exclude-file */tarvo.py" "SHELL:--exclude-file */__pycache__" "SHELL:--exclude-file */__pycache__/*"
  --use-preload-plugins
  -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=0
  # This emcc crashes minifying the page's HTML; -g2 leaves it as written.
  -g2)
tarvo_preload_python(qvrn /Resources/Scripts)
