#pragma once

#include "Util/Vector2.h"

class PhysicsActor;

// One point where two physics actors touch, or stopped touching, recorded after a
// physics step. The physics world keeps these in a fixed array that is refilled every
// simulated frame: a pointer to one is valid while the "CollisionWith..." or
// "CollisionEndWith..." message carrying it is delivered, and must not be kept beyond that.
struct ContactPoint
{
    // The actors of the two bodies; null for a body that has no actor or whose actor
    // has been destroyed since the point was recorded.
    PhysicsActor* actorA = nullptr;
    PhysicsActor* actorB = nullptr;
    // World coordinates.
    Vector2 position;
    // Unit vector pointing from A towards B.
    Vector2 normal;
    // Negative when the shapes overlap.
    float separation = 0.0f;
    // Velocity of the point on B relative to the point on A, world units per second.
    Vector2 velocity;
    // The mixed friction and restitution of the pair.
    float friction = 0.0f;
    float restitution = 0.0f;
    // How fast the two were closing in along the normal, world units per second, 0 when
    // they were not. For a contact that began in the step, the speed before the step's
    // collision pushed them apart: how hard they hit.
    float approachSpeed = 0.0f;
    // True in the step the two shapes began to touch, false while they go on touching.
    bool isNew = true;
    // True for the report that the two stopped touching ("CollisionEndWith" messages);
    // the position and normal are then those of their last touch.
    bool ended = false;
};
