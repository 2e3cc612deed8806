// Physics: boxes and circles rain onto a static floor and ramps and bounce; a sensor
// strip on the floor lights up whenever something touches it.
//
//   physics_example [--frames N] [--fixed-dt S] [--seed N] [--screenshot F.png] [--no-msaa]
//
// Run it from the run folder (build/<preset>/run).

#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Physics/ContactPoint.h"
#include "Physics/PhysicsActor.h"
#include "Program/RunProgram.h"
#include "Util/MathKit.h"

#include <deque>

namespace
{
const Color FloorColor(0.25f, 0.28f, 0.33f);
const Color SensorIdle(0.35f, 0.8f, 0.45f, 0.45f);
const Color SensorLit(1.0f, 0.55f, 0.1f, 0.8f);
constexpr float SpawnInterval = 0.3f;
constexpr size_t MaxFallingBodies = 70;

PhysicsActor* AddStatic(const Vector2& position, const Vector2& size, float rotation, const Color& color)
{
    auto* block = new PhysicsActor();
    block->SetSize(size);
    block->SetPosition(position);
    block->SetRotation(rotation);
    block->SetColor(color);
    block->SetDensity(0.0f);
    block->SetFriction(0.5f);
    World::GetInstance().Add(block);
    block->InitPhysics();
    return block;
}

// A see-through strip that bodies fall through; it flashes on every frame something
// touches it and fades back when nothing does.
class SensorStrip : public PhysicsActor
{
public:
    SensorStrip()
    {
        SetSize(6.0f, 2.5f);
        SetPosition(0.0f, -6.75f);
        SetColor(SensorIdle);
        SetDensity(0.0f);
        SetIsSensor(true);
    }

    // Call once the World has named the actor.
    void Listen() { Switchboard::GetInstance().SubscribeTo(this, "CollisionWith" + GetName()); }

    void ReceiveMessage(Message* message) override
    {
        auto* contact = dynamic_cast<TypedMessage<ContactPoint*>*>(message);
        if (!contact)
            return;
        SetColor(SensorLit);
        ChangeColorTo(SensorIdle, 0.5f, true);
    }
};

class PhysicsExample : public GameManager
{
public:
    PhysicsExample()
    {
        // --- Initialization: walls, floor, two ramps and the sensor ---
        World& world = World::GetInstance();
        world.SetBackgroundColor(Color(0.93f, 0.95f, 0.98f));
        AddStatic(Vector2(0.0f, -9.0f), Vector2(26.5f, 2.0f), 0.0f, FloorColor);
        AddStatic(Vector2(-12.75f, 0.0f), Vector2(1.0f, 18.0f), 0.0f, FloorColor);
        AddStatic(Vector2(12.75f, 0.0f), Vector2(1.0f, 18.0f), 0.0f, FloorColor);
        AddStatic(Vector2(-6.5f, 1.0f), Vector2(9.0f, 0.5f), -14.0f, Color(0.45f, 0.5f, 0.6f));
        AddStatic(Vector2(6.5f, -2.5f), Vector2(9.0f, 0.5f), 14.0f, Color(0.45f, 0.5f, 0.6f));

        auto* sensor = new SensorStrip();
        world.Add(sensor, 1);
        sensor->InitPhysics();
        sensor->Listen();
    }

    // --- Update: drop a new body now and then; the oldest go once there are too many ---
    void Update(float dt) override
    {
        untilSpawn -= dt;
        while (untilSpawn <= 0.0f)
        {
            untilSpawn += SpawnInterval;
            Spawn();
        }
        while (falling.size() > MaxFallingBodies)
        {
            falling.front()->Destroy();
            falling.pop_front();
        }
    }

private:
    void Spawn()
    {
        const bool round = MathKit::RandomIntBelow(2) == 0;
        const float size = 0.6f + MathKit::RandomFloatBelow(0.9f);
        auto* body = new PhysicsActor();
        body->SetPosition(-10.0f + MathKit::RandomFloatBelow(20.0f), 11.0f);
        body->SetRotation(MathKit::RandomFloatBelow(90.0f));
        body->SetColor(0.2f + MathKit::RandomFloatBelow(0.7f), 0.2f + MathKit::RandomFloatBelow(0.6f),
                       0.3f + MathKit::RandomFloatBelow(0.7f));
        if (round)
        {
            body->SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
            body->SetDrawShape(ADS_Circle);
            body->SetSize(size);
            body->SetRestitution(0.7f);
        }
        else
        {
            body->SetSize(size, size * (0.6f + MathKit::RandomFloatBelow(0.8f)));
            body->SetRestitution(0.25f);
        }
        body->SetFriction(0.4f);
        World::GetInstance().Add(body, 2);
        body->InitPhysics();
        falling.push_back(body);
    }

    float untilSpawn = 0.0f;
    std::deque<PhysicsActor*> falling;
};
} // namespace

int main(int argc, char** argv)
{
    return RunProgram(
        argc, argv, "physics_example", "Tarvo physics",
        []
        {
            // --- Initialization: the World draws the actors and runs the loop ---
            World& world = World::GetInstance();
            world.SetupPhysics(Vector2(0.0f, -10.0f), Vector2(100.0f, 100.0f), Vector2(-100.0f, -100.0f));
            world.SetGameManager(new PhysicsExample());
        },
        // Bodies only: no sound, scripts or game pads are started.
        World::NoServices);
}
