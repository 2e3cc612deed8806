#include "Physics/PhysicsWorld.h"

#include "Messaging/Switchboard.h"
#include "Physics/DebugDraw.h"
#include "Physics/PhysicsActor.h"
#include "Platform/Log.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace
{
// Sent as "CollisionWith" + the receiving actor's name, with the other actor as sender,
// while two touch; "CollisionEndWith" + the name once they no longer do.
const char* const CollisionMessagePrefix = "CollisionWith";
const char* const CollisionEndMessagePrefix = "CollisionEndWith";

Vector2 ToVector2(const b2Vec2& v) { return Vector2(v.x, v.y); }

// How fast the points of two bodies at `where` close in along `normal` (from A to B).
float ApproachSpeed(const b2Body* bodyA, const b2Body* bodyB, const b2Vec2& where, const b2Vec2& normal)
{
    const b2Vec2 relative =
        bodyB->GetLinearVelocityFromWorldPoint(where) - bodyA->GetLinearVelocityFromWorldPoint(where);
    return std::max(-b2Dot(relative, normal), 0.0f);
}

PhysicsActor* ActorOf(const b2Body* body)
{
    // The library offers its user data only through a body it may change.
    return reinterpret_cast<PhysicsActor*>(const_cast<b2Body*>(body)->GetUserData().pointer);
}
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

// The library tells which pairs begin to touch while it steps, before its solver changes
// their velocities: the only moment at which how hard they hit can be read.
class PhysicsWorld::ContactStarts : public b2ContactListener
{
public:
    void BeginContact(b2Contact* contact) override
    {
        const b2Fixture* fixtureA = contact->GetFixtureA();
        const b2Fixture* fixtureB = contact->GetFixtureB();
        const b2Body* bodyA = fixtureA->GetBody();
        const b2Body* bodyB = fixtureB->GetBody();
        float speed = 0.0f;
        if (contact->GetManifold()->pointCount == 0)
        {
            // Sensors keep no points: measure between the centres.
            b2Vec2 normal = bodyB->GetWorldCenter() - bodyA->GetWorldCenter();
            normal.Normalize();
            speed = ApproachSpeed(bodyA, bodyB, 0.5f * (bodyA->GetWorldCenter() + bodyB->GetWorldCenter()), normal);
        }
        else
        {
            b2WorldManifold worldManifold;
            contact->GetWorldManifold(&worldManifold);
            for (int i = 0; i < contact->GetManifold()->pointCount; ++i)
                speed = std::max(speed, ApproachSpeed(bodyA, bodyB, worldManifold.points[i], worldManifold.normal));
        }
        speeds.emplace_back(FixturePair(fixtureA, fixtureB), speed);
    }

    // The speed at which the pair began to touch in the last step, if it did.
    bool Find(const FixturePair& pair, float& speed) const
    {
        for (const auto& [started, startSpeed] : speeds)
        {
            if (started == pair)
            {
                speed = startSpeed;
                return true;
            }
        }
        return false;
    }

    void Clear() { speeds.clear(); }

private:
    // Few pairs begin in one step: a list searched whole is quicker than a map.
    std::vector<std::pair<FixturePair, float>> speeds;
};

PhysicsWorld::PhysicsWorld(const Vector2& gravity, const Vector2& maxCorner, const Vector2& minCorner)
    : world(new b2World(b2Vec2(gravity.X, gravity.Y))), maxVertex(maxCorner), minVertex(minCorner),
      contactStarts(new ContactStarts())
{
    world->SetAllowSleeping(true);
    world->SetContactListener(contactStarts);
}

PhysicsWorld::~PhysicsWorld()
{
    // Bodies still owned by actors would dangle; they are told first.
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        if (PhysicsActor* actor = ActorOf(body))
            actor->ForgetBody();
    world->SetDebugDraw(nullptr);
    world->SetContactListener(nullptr);
    delete debugDraw;
    delete world;
    delete contactStarts;
}

Vector2 PhysicsWorld::GetGravity() const { return ToVector2(world->GetGravity()); }

void PhysicsWorld::SetGravity(const Vector2& gravity)
{
    if (!std::isfinite(gravity.X) || !std::isfinite(gravity.Y))
    {
        SystemLogInstance().Log("WARNING: SetGravity() had no effect - the gravity is not a finite number.");
        return;
    }
    world->SetGravity(b2Vec2(gravity.X, gravity.Y));
    // A resting body sleeps and would not notice that down has moved.
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        body->SetAwake(true);
}

void PhysicsWorld::SetMaxStepsPerFrame(int steps) { maxStepsPerFrame = std::clamp(steps, 1, MaxStepsPerFrame); }

void PhysicsWorld::SetIterations(int velocity, int position)
{
    velocityIterations = std::clamp(velocity, 1, MaxIterations);
    positionIterations = std::clamp(position, 1, MaxIterations);
}

void PhysicsWorld::Advance(float dt)
{
    collisionsThisFrame.clear();
    listenedTo.clear();
    const Switchboard& switchboard = Switchboard::GetInstance();
    touchesListenedTo = switchboard.HasSubscribersStartingWith(CollisionMessagePrefix);
    endsListenedTo = switchboard.HasSubscribersStartingWith(CollisionEndMessagePrefix);
    contactPointCount = 0;
    stepsLastFrame = 0;

    // The World's frames are 0..1 s already. Anything else, NaN or infinity above all,
    // would poison the carried time for good and stop the simulation.
    const float frameDt = dt > 0.0f ? std::min(dt, 1.0f) : 0.0f;
    float t = accumulator + frameDt;
    while (t >= StepSeconds && stepsLastFrame < maxStepsPerFrame)
    {
        world->Step(StepSeconds, velocityIterations, positionIterations);
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
    lastPointsNow.clear();
    const auto keep = [this](const FixturePair& pair, const ContactPoint& point)
    {
        touchingNow.push_back(Touch{pair, lastPointsNow.size()});
        lastPointsNow.push_back(point);
    };
    for (b2Contact* contact = world->GetContactList(); contact; contact = contact->GetNext())
    {
        if (!contact->IsTouching())
            continue;
        b2Fixture* fixtureA = contact->GetFixtureA();
        b2Fixture* fixtureB = contact->GetFixtureB();
        b2Body* bodyA = fixtureA->GetBody();
        b2Body* bodyB = fixtureB->GetBody();
        const FixturePair pair(fixtureA, fixtureB);
        const auto before =
            std::lower_bound(touchingBefore.begin(), touchingBefore.end(), pair,
                             [](const Touch& entry, const FixturePair& key) { return entry.pair < key; });
        const bool touchedBefore = before != touchingBefore.end() && before->pair == pair;
        // A sleeping pair is neither simulated nor reported until something wakes it.
        if (!bodyA->IsAwake() && !bodyB->IsAwake())
        {
            keep(pair, touchedBefore ? lastPointsBefore[before->point] : ContactPoint());
            continue;
        }

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
        point.isNew = !touchedBefore;
        float startSpeed = 0.0f;
        const bool started = point.isNew && contactStarts->Find(pair, startSpeed);

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
            point.approachSpeed = started ? startSpeed : ApproachSpeed(bodyA, bodyB, middle, normal);
            RecordContactPoint(point);
            keep(pair, point);
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
            point.approachSpeed = started ? startSpeed : ApproachSpeed(bodyA, bodyB, where, worldManifold.normal);
            RecordContactPoint(point);
        }
        keep(pair, point);
    }
    contactStarts->Clear();
    std::sort(touchingNow.begin(), touchingNow.end(),
              [](const Touch& left, const Touch& right) { return left.pair < right.pair; });
    ReportEndedContacts();
    std::swap(touchingBefore, touchingNow);
    std::swap(lastPointsBefore, lastPointsNow);
}

void PhysicsWorld::ReportEndedContacts()
{
    // Both lists are sorted by pair: what was touching before and is no longer has ended.
    auto now = touchingNow.begin();
    for (const Touch& before : touchingBefore)
    {
        const FixturePair& pair = before.pair;
        while (now != touchingNow.end() && now->pair < pair)
            ++now;
        if (now != touchingNow.end() && now->pair == pair)
            continue;
        const ContactPoint& last = lastPointsBefore[before.point];
        // A pair that touched while both slept has no point to tell of.
        if (!last.actorA && !last.actorB)
            continue;
        ContactPoint point = last;
        const b2Body* bodyA = pair.first->GetBody();
        const b2Body* bodyB = pair.second->GetBody();
        const b2Vec2 where(point.position.X, point.position.Y);
        point.velocity =
            ToVector2(bodyB->GetLinearVelocityFromWorldPoint(where) - bodyA->GetLinearVelocityFromWorldPoint(where));
        point.approachSpeed = 0.0f;
        point.isNew = false;
        point.ended = true;
        RecordContactPoint(point);
    }
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
    if (!receiver || !IsListenedTo(receiver, point->ended))
        return;
    if (!collisionsThisFrame[receiver].emplace(other, point->ended).second)
        return;
    // The Switchboard deletes the message after delivery; the point it carries lives
    // until the next frame's step, which comes after that delivery.
    const char* const prefix = point->ended ? CollisionEndMessagePrefix : CollisionMessagePrefix;
    Switchboard::GetInstance().Broadcast(new TypedMessage<ContactPoint*>(prefix + receiver->GetName(), point, other));
}

bool PhysicsWorld::IsListenedTo(PhysicsActor* receiver, bool ended)
{
    // Nothing subscribes or unsubscribes while the world steps, so one question a frame
    // per actor is enough, and most contacts cost no string at all; in a frame in which
    // nobody listens to any collision, none costs a question.
    if (!(ended ? endsListenedTo : touchesListenedTo))
        return false;
    const auto key = std::make_pair(receiver, ended);
    auto known = listenedTo.find(key);
    if (known != listenedTo.end())
        return known->second;
    const char* const prefix = ended ? CollisionEndMessagePrefix : CollisionMessagePrefix;
    const bool listened = !Switchboard::GetInstance().GetSubscribersTo(prefix + receiver->GetName()).empty();
    listenedTo.emplace(key, listened);
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

void PhysicsWorld::DestroyBody(b2Body* body, bool actorGoes)
{
    if (!body)
        return;
    // Destroying a body reports its contacts' end at once: nothing may reach the actor
    // through it any more.
    PhysicsActor* actor = ActorOf(body);
    body->GetUserData().pointer = 0;
    if (actor && actorGoes)
    {
        // Queued collision messages still point at this frame's records, so they lose
        // the actor too. One that only lost its body is still there to be named.
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
                                        [body](const Touch& entry) {
                                            return entry.pair.first->GetBody() == body ||
                                                   entry.pair.second->GetBody() == body;
                                        }),
                         touchingBefore.end());
    world->DestroyBody(body);
}

bool PhysicsWorld::RayCast(const Vector2& from, const Vector2& to, RayHit& hit) const
{
    // The library asks for every shape along the ray in no order; answering with the
    // fraction found clips the ray to it, so the last answer is the nearest.
    class Nearest : public b2RayCastCallback
    {
    public:
        float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal, float fraction) override
        {
            PhysicsActor* actor = ActorOf(fixture->GetBody());
            if (!actor)
                return -1.0f;
            found.actor = actor;
            found.point = ToVector2(point);
            found.normal = ToVector2(normal);
            found.fraction = fraction;
            return fraction;
        }
        RayHit found;
    };
    // A ray of no length, or one that is not finite, meets nothing (the library asserts).
    const b2Vec2 start(from.X, from.Y);
    const b2Vec2 end(to.X, to.Y);
    if (!start.IsValid() || !end.IsValid() || (end - start).LengthSquared() <= 0.0f)
        return false;
    Nearest nearest;
    world->RayCast(&nearest, start, end);
    if (!nearest.found.actor)
        return false;
    hit = nearest.found;
    return true;
}

std::vector<PhysicsActor*> PhysicsWorld::QueryBox(const Vector2& cornerA, const Vector2& cornerB) const
{
    // The library's tree finds the shapes whose loose bounding boxes overlap; the shapes
    // themselves decide.
    class Overlapping : public b2QueryCallback
    {
    public:
        explicit Overlapping(const b2PolygonShape& queried) : box(queried) {}
        bool ReportFixture(b2Fixture* fixture) override
        {
            PhysicsActor* actor = ActorOf(fixture->GetBody());
            const b2Transform identity(b2Vec2_zero, b2Rot(0.0f));
            if (actor && std::find(found.begin(), found.end(), actor) == found.end() &&
                b2TestOverlap(fixture->GetShape(), 0, &box, 0, fixture->GetBody()->GetTransform(), identity))
                found.push_back(actor);
            return true;
        }
        const b2PolygonShape& box;
        std::vector<PhysicsActor*> found;
    };
    const b2Vec2 lower(std::min(cornerA.X, cornerB.X), std::min(cornerA.Y, cornerB.Y));
    const b2Vec2 upper(std::max(cornerA.X, cornerB.X), std::max(cornerA.Y, cornerB.Y));
    if (!lower.IsValid() || !upper.IsValid())
        return {};
    b2PolygonShape box;
    const b2Vec2 halfExtents = 0.5f * (upper - lower);
    // A box of no width still finds what lies on its line.
    box.SetAsBox(std::max(halfExtents.x, b2_linearSlop), std::max(halfExtents.y, b2_linearSlop), 0.5f * (lower + upper),
                 0.0f);
    Overlapping overlapping(box);
    b2AABB bounds;
    box.ComputeAABB(&bounds, b2Transform(b2Vec2_zero, b2Rot(0.0f)), 0);
    world->QueryAABB(&overlapping, bounds);
    return overlapping.found;
}
