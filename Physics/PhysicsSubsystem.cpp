#include "Physics/PhysicsSubsystem.h"

#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"
#include "Physics/DebugDraw.h"
#include "Physics/PhysicsWorld.h"

namespace
{
class PhysicsSubsystem : public Subsystem
{
public:
    void Simulate(float dt) override
    {
        if (PhysicsWorld* physics = PhysicsWorld::Find())
            physics->Advance(dt);
    }

    void DrawOverWorld() override
    {
        if (PhysicsWorld* physics = PhysicsWorld::Find())
            physics->DrawDebugData();
    }

    void Shutdown() override
    {
        if (PhysicsWorld* physics = PhysicsWorld::Find())
            physics->DestroyDebugDraw();
    }
};

void MakePhysicsWorld(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex)
{
    PhysicsWorld& physics = PhysicsWorld::Create(gravity, maxVertex, minVertex);
    // The renderer draws nothing until its flags are set.
    physics.InstallDebugDraw(new DebugDraw());
}
} // namespace

void PlugInPhysics()
{
    static PhysicsSubsystem physics;
    World& world = World::GetInstance();
    world.PlugIn(&physics);
    world.SetPhysicsMaker(MakePhysicsWorld);
}
