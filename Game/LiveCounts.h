#pragma once

#include "Util/StringUtil.h"

#include <cstddef>

// How many of the objects a game makes and should give back are alive right now. Taken
// on every return to the menu, equal counts after each game mean nothing piles up.
struct LiveCounts
{
    long renderables = 0;
    long actors = 0;
    long boids = 0;
    size_t sounds = 0;
    size_t textures = 0;
    // The process's resident memory in KiB, -1 where the system doesn't say.
    long residentKib = -1;

    static LiveCounts Take();
    // "renderables R, actors A, boids B, sounds S, textures T, resident K KiB"
    String Format() const;
    // True when the run asked for the counts in its log (QVRN_LIVE_COUNTS set, not "0").
    static bool Wanted();
};
