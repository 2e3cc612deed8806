# Sourced first by the program tests that drive a window with xdotool: reruns the test
# on an X server of its own. On a display shared with parallel tests, a window that
# another test opens takes the keyboard focus, and a search for the game's window by
# name can find another test's game.
if [ -z "${TARVO_PRIVATE_X:-}" ]; then
  TARVO_PRIVATE_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
