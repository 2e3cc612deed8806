#pragma once

#include "Util/StringUtil.h"

// The window a game may ask for in its game.ini or archive manifest: smaller would cut
// the console and the error view short, larger is past the screens players have.
constexpr int MinGameWindowWidth = 320;
constexpr int MinGameWindowHeight = 240;
constexpr int MaxGameWindowWidth = 3840;
constexpr int MaxGameWindowHeight = 2160;

// `size` is the shipping tools' "WIDTH HEIGHT" for the game at `where`, empty when the
// game asks for no size. A size within the bounds above is what the window opens at;
// any other gets one WARNING on standard error and the window keeps the engine's size.
// Call it before the window opens.
void ApplyGameWindowSize(const String& size, const String& where);
