#include "Game/LiveCounts.h"

#include "Actors/Actor.h"
#include "Actors/Renderable.h"
#include "Game/SteeringBoid.h"
#include "Platform/TextureCache.h"
#include "Sound/SoundDevice.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

LiveCounts LiveCounts::Take()
{
    LiveCounts counts;
    counts.renderables = Renderable::GetLiveCount();
    counts.actors = Actor::GetLiveCount();
    counts.boids = SteeringBoid::GetLiveCount();
    // Never starts audio just to count it.
    if (SoundDevice* device = SoundDevice::FindInstance())
        counts.sounds = device->GetPlayingCount();
    counts.textures = GetTextureCacheSize();
    if (std::FILE* status = std::fopen("/proc/self/status", "r"))
    {
        char line[256];
        while (std::fgets(line, sizeof(line), status))
            if (std::sscanf(line, "VmRSS: %ld", &counts.residentKib) == 1)
                break;
        std::fclose(status);
    }
    return counts;
}

String LiveCounts::Format() const
{
    char text[200];
    std::snprintf(text, sizeof(text),
                  "renderables %ld, actors %ld, boids %ld, sounds %zu, textures %zu, resident %ld KiB", renderables,
                  actors, boids, sounds, textures, residentKib);
    return text;
}

bool LiveCounts::Wanted()
{
    const char* value = std::getenv("QVRN_LIVE_COUNTS");
    return value && *value && std::strcmp(value, "0") != 0;
}
