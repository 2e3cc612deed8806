#include "Infrastructure/World.h"
#include "Physics/DebugDraw.h"
#include "Physics/PhysicsWorld.h"

// The World's link to the physics world. The accumulator of unstepped time lives in
// PhysicsWorld, beside the steps it pays for.

bool World::SetupPhysics(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex)
{
    if (physicsSetUp)
        return false;
    physicsWorld = new PhysicsWorld(gravity, maxVertex, minVertex);
    // The renderer draws nothing until its flags are set.
    physicsWorld->InstallDebugDraw(new DebugDraw());
    physicsSetUp = true;
    return true;
}

void World::StepPhysics(float frameDt)
{
    if (physicsSetUp)
        physicsWorld->Advance(frameDt);
}

void World::DrawPhysicsDebug()
{
    if (physicsSetUp)
        physicsWorld->DrawDebugData();
}

void World::DestroyPhysicsDebugDraw()
{
    if (physicsSetUp)
        physicsWorld->DestroyDebugDraw();
}
