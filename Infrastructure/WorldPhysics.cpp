#include "Infrastructure/Log.h"
#include "Infrastructure/World.h"

// The World's link to the physics world, which doesn't exist yet.
bool World::SetupPhysics(const Vector2&, const Vector2&, const Vector2&)
{
    SystemLogInstance().Log("WARNING: physics is not available in this build.");
    return false;
}

void World::StepPhysics(float) {}
void World::DestroyPhysicsDebugDraw() {}
