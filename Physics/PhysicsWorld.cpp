#include "Physics/PhysicsWorld.h"

#include "Messaging/Switchboard.h"
#include "Physics/DebugDraw.h"
#include "Physics/PhysicsActor.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace
{
// Sent as "CollisionWith" + the receiving actor's name, with the other actor as sender.
const char* const CollisionMessagePrefix = "CollisionWith";

Vector2 ToVector2(const b2Vec2& v) { return Vector2(v.x, v.y); }

PhysicsActor* ActorOf(b2Body* body) { return reinterpret_cast<PhysicsActor*>(body->GetUserData().pointer); }
// Never deleted: bodies of actors alive at exit still belong to it.
PhysicsWorld* theOnePhysicsWorld = nullptr;
} // namespace

PhysicsWorld& PhysicsWorld::Create(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex)
{
    if (!theOnePhysicsWorld)
        theOnePhysicsWorld = new PhysicsWorld(gravity, maxVertex, minVertex);
    return *theOnePhysicsWorld;
}

PhysicsWorld* PhysicsWorld::Find() { return theOnePhysicsWorld; }

PhysicsWorld::PhysicsWorld(const Vector2& gravity, const Vector2& maxCorner, const Vector2& minCorner)
    : world(new b2World(b2Vec2(gravity.X, gravity.Y))), maxVertex(maxCorner), minVertex(minCorner)
{
    world->SetAllowSleeping(true);
}

PhysicsWorld::~PhysicsWorld()
{
    // Bodies still owned by actors would dangle; they are told first.
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        if (PhysicsActor* actor = ActorOf(body))
            actor->ForgetBody();
    world->SetDebugDraw(nullptr);
    delete debugDraw;
    delete world;
}

Vector2 PhysicsWorld::GetGravity() const { return ToVector2(world->GetGravity()); }

void PhysicsWorld::Advance(float dt)
{
    collisionsThisFrame.clear();
    listenedTo.clear();
    contactPointCount = 0;
    stepsLastFrame = 0;

    // The World's frames are 0..1 s already. Anything else, NaN or infinity above all,
    // would poison the carried time for good and stop the simulation.
    const float frameDt = dt > 0.0f ? std::min(dt, 1.0f) : 0.0f;
    float t = accumulator + frameDt;
    while (t >= StepSeconds && stepsLastFrame < MaxStepsPerFrame)
    {
        world->Step(StepSeconds, VelocityIterations, PositionIterations);
        GatherContacts();
        t -= StepSeconds;
        ++stepsLastFrame;
    }
    // Time beyond the cap can never be caught up; carrying it would only grow.
    if (t >= StepSeconds)
        t = std::fmod(t, StepSeconds);
    accumulator = t;

    SyncActors();
}

void PhysicsWorld::GatherContacts()
{
    touchingNow.clear();
    for (b2Contact* contact = world->GetContactList(); contact; contact = contact->GetNext())
    {
        if (!contact->IsTouching())
            continue;
        b2Fixture* fixtureA = contact->GetFixtureA();
        b2Fixture* fixtureB = contact->GetFixtureB();
        b2Body* bodyA = fixtureA->GetBody();
        b2Body* bodyB = fixtureB->GetBody();
        const FixturePair pair(fixtureA, fixtureB);
        touchingNow.push_back(pair);
        // A sleeping pair is neither simulated nor reported until something wakes it.
        if (!bodyA->IsAwake() && !bodyB->IsAwake())
            continue;

        const b2Transform& xfA = bodyA->GetTransform();
        const b2Transform& xfB = bodyB->GetTransform();
        // The library keeps no points for sensors; evaluating the shapes gives them.
        b2Manifold manifold;
        if (fixtureA->IsSensor() || fixtureB->IsSensor())
            contact->Evaluate(&manifold, xfA, xfB);
        else
            manifold = *contact->GetManifold();
        b2WorldManifold worldManifold;
        worldManifold.Initialize(&manifold, xfA, fixtureA->GetShape()->m_radius, xfB, fixtureB->GetShape()->m_radius);

        ContactPoint point;
        point.actorA = ActorOf(bodyA);
        point.actorB = ActorOf(bodyB);
        point.friction = contact->GetFriction();
        point.restitution = contact->GetRestitution();
        point.isNew = !std::binary_search(touchingBefore.begin(), touchingBefore.end(), pair);

        if (manifold.pointCount == 0)
        {
            // A sensor overlapping so deeply that the shapes give no points still
            // counts as touching: report it between the two centres.
            const b2Vec2 centreA = bodyA->GetWorldCenter();
            const b2Vec2 centreB = bodyB->GetWorldCenter();
            const b2Vec2 middle = 0.5f * (centreA + centreB);
            b2Vec2 normal = centreB - centreA;
            normal.Normalize();
            point.position = ToVector2(middle);
            point.normal = ToVector2(normal);
            point.separation = 0.0f;
            point.velocity = ToVector2(bodyB->GetLinearVelocityFromWorldPoint(middle) -
                                       bodyA->GetLinearVelocityFromWorldPoint(middle));
            RecordContactPoint(point);
            continue;
        }
        for (int i = 0; i < manifold.pointCount; ++i)
        {
            const b2Vec2& where = worldManifold.points[i];
            point.position = ToVector2(where);
            point.normal = ToVector2(worldManifold.normal);
            point.separation = worldManifold.separations[i];
            point.velocity = ToVector2(bodyB->GetLinearVelocityFromWorldPoint(where) -
                                       bodyA->GetLinearVelocityFromWorldPoint(where));
            RecordContactPoint(point);
        }
    }
    std::sort(touchingNow.begin(), touchingNow.end());
    std::swap(touchingBefore, touchingNow);
}

void PhysicsWorld::RecordContactPoint(const ContactPoint& point)
{
    if (contactPointCount >= MaxContactPoints)
        return;
    ContactPoint* stored = &contactPoints[contactPointCount];
    *stored = point;
    Report(stored->actorA, stored->actorB, stored);
    Report(stored->actorB, stored->actorA, stored);
    ++contactPointCount;
}

void PhysicsWorld::Report(PhysicsActor* receiver, PhysicsActor* other, ContactPoint* point)
{
    if (!receiver || !IsListenedTo(receiver))
        return;
    if (!collisionsThisFrame[receiver].insert(other).second)
        return;
    // The Switchboard deletes the message after delivery; the point it carries lives
    // until the next frame's step, which comes after that delivery.
    Switchboard::GetInstance().Broadcast(
        new TypedMessage<ContactPoint*>(CollisionMessagePrefix + receiver->GetName(), point, other));
}

bool PhysicsWorld::IsListenedTo(PhysicsActor* receiver)
{
    // Nothing subscribes or unsubscribes while the world steps, so one question a frame
    // per actor is enough, and most contacts cost no string at all.
    auto known = listenedTo.find(receiver);
    if (known != listenedTo.end())
        return known->second;
    const bool listened =
        !Switchboard::GetInstance().GetSubscribersTo(CollisionMessagePrefix + receiver->GetName()).empty();
    listenedTo.emplace(receiver, listened);
    return listened;
}

void PhysicsWorld::SyncActors()
{
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        if (PhysicsActor* actor = ActorOf(body))
            actor->SyncFromBody();
}

void PhysicsWorld::InstallDebugDraw(DebugDraw* renderer)
{
    if (renderer == debugDraw)
        return;
    world->SetDebugDraw(renderer);
    delete debugDraw;
    debugDraw = renderer;
}

void PhysicsWorld::DestroyDebugDraw() { InstallDebugDraw(nullptr); }

void PhysicsWorld::SetDebugDrawFlags(unsigned int flags)
{
    if (debugDraw)
        debugDraw->SetFlags(flags);
}

unsigned int PhysicsWorld::GetDebugDrawFlags() const { return debugDraw ? debugDraw->GetFlags() : 0u; }

void PhysicsWorld::DrawDebugData()
{
    if (debugDraw && debugDraw->GetFlags() != 0)
        world->DebugDraw();
}

void PhysicsWorld::DestroyBody(b2Body* body)
{
    if (!body)
        return;
    // Destroying a body reports its contacts' end at once: nothing may reach the actor
    // through it any more. Queued collision messages still point at this frame's
    // records, so they lose the actor too.
    if (PhysicsActor* actor = ActorOf(body))
    {
        body->GetUserData().pointer = 0;
        for (int i = 0; i < contactPointCount; ++i)
        {
            if (contactPoints[i].actorA == actor)
                contactPoints[i].actorA = nullptr;
            if (contactPoints[i].actorB == actor)
                contactPoints[i].actorB = nullptr;
        }
    }
    // The library may hand the fixture's memory to a later fixture, which must not
    // inherit this one's "already touching" state.
    touchingBefore.erase(std::remove_if(touchingBefore.begin(), touchingBefore.end(),
                                        [body](const FixturePair& pair)
                                        { return pair.first->GetBody() == body || pair.second->GetBody() == body; }),
                         touchingBefore.end());
    world->DestroyBody(body);
}
