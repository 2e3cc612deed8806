#include "Game/BestPrice.h"
#include "Game/SuitGameManager.h"
#include "Infrastructure/World.h"
#include "Platform/RunFolder.h"
#include "Program/RunProgram.h"

int main(int argc, char** argv)
{
    // Installed, the game lives in /usr/games and its data in /usr/share/games/qvrn.
    SetInstalledDataFolder("../share/games/qvrn");
    const int status =
        RunProgram(argc, argv, "qvrn", "QVRN",
                   [](const RunOptions& options)
                   {
                       BestPrice::SetSaving(options.saving);
                       World& world = World::GetInstance();
                       // No gravity: the field is seen from above.
                       world.SetupPhysics(Vector2(0.0f, 0.0f), Vector2(1e8f, 1e8f), Vector2(-1e8f, -1e8f));
                       world.SetGameManager(&SuitGameManager::GetInstance());
                   });
    // A best price still waiting for another game's lock is kept, or given up, now.
    BestPrice::FinishPendingSave();
    return status;
}
