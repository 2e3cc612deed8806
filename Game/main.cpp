#include "Game/SuitGameManager.h"
#include "Infrastructure/Log.h"
#include "Infrastructure/RunOptions.h"
#include "Infrastructure/World.h"

#include <cstdio>

int main(int argc, char** argv)
{
    RunOptions options;
    String error;
    if (!ParseRunOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "qvrn: %s\n%s", error.c_str(), RunOptionsUsage("qvrn").c_str());
        return 2;
    }
    if (options.help)
    {
        std::printf("%s", RunOptionsUsage("qvrn").c_str());
        return 0;
    }
    ApplyRunOptions(options);

    World& world = World::GetInstance();
    if (!world.Initialize("QVRN", options.antiAliasing))
        return 1;
    world.SetupPhysics(Vector2(0.0f, 0.0f), Vector2(1e8f, 1e8f), Vector2(-1e8f, -1e8f));
    world.SetGameManager(new SuitGameManager());
    world.StartGame();
    const bool finished = FinishRun(options);
    world.Destroy();
    return finished ? 0 : 1;
}
