#pragma once

#include "Physics/ContactPoint.h"
#include "Util/Vector2.h"

#include <cstddef>
#include <map>
#include <set>
#include <utility>
#include <vector>

class b2Body;
class b2Fixture;
class b2World;
class DebugDraw;
class PhysicsActor;

// The engine's one physics world: owns the library's world, advances it in fixed steps,
// copies body transforms back to their actors, and turns touching bodies into
// "CollisionWith" + actor name messages. Made once, by World::SetupPhysics, and never
// destroyed. Only the physics layer (this class, PhysicsActor, DebugDraw) sees the
// library's types.
class PhysicsWorld
{
public:
    // Contact points recorded per simulated frame; later ones are dropped unreported.
    static constexpr int MaxContactPoints = 2048;
    // The fixed step, seconds.
    static constexpr float StepSeconds = 1.0f / 60.0f;
    // A frame runs at most GetMaxStepsPerFrame() steps, DefaultMaxStepsPerFrame unless
    // set, and never more than MaxStepsPerFrame (a whole second of simulation).
    static constexpr int DefaultMaxStepsPerFrame = 5;
    static constexpr int MaxStepsPerFrame = 60;
    // The solver's passes per step, unless set: more make stacks stiffer and cost more.
    static constexpr int DefaultVelocityIterations = 10;
    static constexpr int DefaultPositionIterations = 10;
    static constexpr int MaxIterations = 100;

    // What the debug renderer draws; none by default.
    enum DebugDrawFlag
    {
        DDF_Shapes = 0x0001,
        DDF_Joints = 0x0002,
        DDF_AABBs = 0x0004,
        DDF_Pairs = 0x0008,
        DDF_CentersOfMass = 0x0010
    };

    // Makes the one physics world, or returns the one there is. Gravity is in world units
    // per second squared. The bounds are kept for callers to read; the library has no
    // world box, so bodies may leave them.
    static PhysicsWorld& Create(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex);
    // The physics world, or null before World::SetupPhysics.
    static PhysicsWorld* Find();

    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // One simulated frame of dt seconds (clamped to 0..1, NaN counts as 0): forgets last frame's
    // contact points and reports, runs as many 1/60 s steps as the carried time allows
    // (at most GetMaxStepsPerFrame()), carries the remainder to the next frame, then
    // moves every body's actor to its body. Time beyond the cap is dropped, not carried:
    // a frame that is too slow for its steps would otherwise make the next one slower
    // still, until the game stops answering.
    void Advance(float dt);
    // The catch-up cap: with the default 5, frames down to 12 per second keep the
    // simulation in real time, and slower ones slow it down instead. Clamped to
    // 1..MaxStepsPerFrame.
    void SetMaxStepsPerFrame(int steps);
    int GetMaxStepsPerFrame() const { return maxStepsPerFrame; }
    // The solver's velocity and position passes per step, each clamped to 1..MaxIterations.
    // Fewer let a crowded scene step faster at the price of softer stacks.
    void SetIterations(int velocity, int position);
    // Velocity passes per step: DefaultVelocityIterations unless set.
    int GetVelocityIterations() const { return velocityIterations; }
    // Position passes per step: DefaultPositionIterations unless set.
    int GetPositionIterations() const { return positionIterations; }
    // Fixed steps the last Advance ran: 0 on a short frame, up to MaxStepsPerFrame.
    int GetStepsLastFrame() const { return stepsLastFrame; }
    // Seconds carried to the next frame, 0 up to StepSeconds.
    float GetAccumulator() const { return accumulator; }

    // This frame's contact points, in the order they were found.
    int GetContactPointCount() const { return contactPointCount; }
    const ContactPoint* GetContactPoints() const { return contactPoints; }

    // World units per second squared: what SetupPhysics was given, until SetGravity.
    Vector2 GetGravity() const;
    // Takes effect at the next step and wakes every body, so sleeping ones fall too.
    // A vector that is not finite logs a WARNING line and changes nothing.
    void SetGravity(const Vector2& gravity);

    // What a ray met: the actor, where, the surface's outward normal there, and how far
    // along the ray (0 at its start, 1 at its end).
    struct RayHit
    {
        PhysicsActor* actor = nullptr;
        Vector2 point;
        Vector2 normal;
        float fraction = 0.0f;
    };
    // The first body with an actor that the segment from `from` to `to` meets, sensors
    // included; false, leaving `hit` alone, when it meets none. A ray that starts inside
    // a shape does not meet that shape.
    bool RayCast(const Vector2& from, const Vector2& to, RayHit& hit) const;
    // The actors whose shapes overlap the box between the two corners (in either order),
    // sensors included, each once, in an order that is the same for the same scene.
    std::vector<PhysicsActor*> QueryBox(const Vector2& cornerA, const Vector2& cornerB) const;

    // The bounds World::SetupPhysics was given, kept for reference: bodies may leave them.
    Vector2 GetMinVertex() const { return minVertex; }
    Vector2 GetMaxVertex() const { return maxVertex; }

    // Takes ownership of the renderer and installs it; a previous one is deleted.
    void InstallDebugDraw(DebugDraw* renderer);
    // Uninstalls and deletes the renderer; DrawDebugData draws nothing afterwards.
    void DestroyDebugDraw();
    // Whether a debug renderer is installed.
    bool HasDebugDraw() const { return debugDraw != nullptr; }
    // A combination of DebugDrawFlag values. Ignored while no renderer is installed.
    void SetDebugDrawFlags(unsigned int flags);
    unsigned int GetDebugDrawFlags() const;
    // Draws the flagged shapes in world coordinates through the installed renderer.
    void DrawDebugData();

    // The physics layer's access to the library.
    b2World* GetLibraryWorld() { return world; }
    // Destroys a body and forgets the contacts it was part of. When its actor goes too
    // (`actorGoes`), this frame's contact points no longer name the actor.
    void DestroyBody(b2Body* body, bool actorGoes);

private:
    PhysicsWorld(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex);
    using FixturePair = std::pair<const b2Fixture*, const b2Fixture*>;

    class ContactStarts;

    void GatherContacts();
    void ReportEndedContacts();
    void RecordContactPoint(const ContactPoint& point);
    void Report(PhysicsActor* receiver, PhysicsActor* other, ContactPoint* point);
    bool IsListenedTo(PhysicsActor* receiver, bool ended);
    void SyncActors();

    b2World* world = nullptr;
    DebugDraw* debugDraw = nullptr;
    Vector2 maxVertex;
    Vector2 minVertex;

    float accumulator = 0.0f;
    int stepsLastFrame = 0;
    int velocityIterations = DefaultVelocityIterations;
    int positionIterations = DefaultPositionIterations;
    int maxStepsPerFrame = DefaultMaxStepsPerFrame;

    ContactPoint contactPoints[MaxContactPoints];
    int contactPointCount = 0;
    // Receiver -> the other actors it has already been told about this frame, and whether
    // it was told of a touch (false) or of an end (true).
    std::map<PhysicsActor*, std::set<std::pair<PhysicsActor*, bool>>> collisionsThisFrame;
    // Receiver and message prefix -> whether anyone subscribes to that message, asked once
    // a frame.
    std::map<std::pair<PhysicsActor*, bool>, bool> listenedTo;
    // Whether anyone subscribes to any touch or end message at all, asked once a frame.
    bool touchesListenedTo = false;
    bool endsListenedTo = false;
    // Fixture pairs touching after the previous step and the current one, sorted, each
    // with the index of the last point it reported, to tell new contacts from persisting
    // ones and to report the end of those that stopped. The points stay in the order the
    // pairs were found: sorting only the small entries saves moving the points.
    struct Touch
    {
        FixturePair pair;
        std::size_t point;
    };
    std::vector<Touch> touchingBefore;
    std::vector<Touch> touchingNow;
    std::vector<ContactPoint> lastPointsBefore;
    std::vector<ContactPoint> lastPointsNow;
    // How fast pairs that began to touch during the step were closing in, before the
    // step's solver pushed them apart (the library tells us as it finds them).
    ContactStarts* contactStarts = nullptr;
};
