#include "Infrastructure/World.h"

// The World's link to key bindings and game pads. Neither exists yet: keys reach the
// engine through Input/InputCallbacks, and no pad is polled.
void World::SetUpControllers() {}
void World::UpdateControllers() {}
void World::CreateInputRouter() {}
void World::DestroyInputRouter() {}
