#include "Infrastructure/World.h"

// The World's link to the script host, which doesn't exist yet.
void World::StartScriptHost() {}
void World::FinalizeScriptHost() {}
