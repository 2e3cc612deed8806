#include "Infrastructure/World.h"

// The World's link to the sound device, which doesn't exist yet.
void World::CreateSoundDevice() {}
void World::UpdateSound() {}
void World::ShutdownSound() {}
