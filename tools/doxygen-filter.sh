#!/bin/sh
# Doxygen's input filter for the engine's headers (docs/Doxyfile.in): their comments are
# plain //, which Doxygen would skip. A comment on lines of its own becomes ///, which
# documents the declaration below it; one after a declaration on the same line becomes
# ///<, which documents that declaration. Nothing else changes, so line numbers hold.
exec sed -e 's|^\([[:space:]]*\)//\([^/]\)|\1///\2|' -e 's|^\([[:space:]]*\)//$|\1///|' \
  -e 's|\([;,]\)\([[:space:]]*\)//\([^/]\)|\1\2///<\3|' "$1"
