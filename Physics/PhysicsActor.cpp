#include "Physics/PhysicsActor.h"

#include "Infrastructure/World.h"
#include "Physics/PhysicsWorld.h"
#include "Platform/Log.h"
#include "Util/MathKit.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
constexpr float RadiansToDegrees = 57.29578f;

b2Body* BodyOf(void* body) { return static_cast<b2Body*>(body); }

b2Vec2 ToB2(const Vector2& v) { return b2Vec2(v.X, v.Y); }

// Angles in -180..180. A body spinning for long piles up turns, so this divides
// instead of subtracting one turn at a time (which never ends for an infinite angle).
float NormalizeDegrees(float degrees)
{
    float normalized = std::fmod(degrees, 360.0f);
    if (normalized > 180.0f)
        normalized -= 360.0f;
    else if (normalized < -180.0f)
        normalized += 360.0f;
    return normalized;
}

// Fills the fixture definition from the shape definition, pointing it at `box` or
// `circle`. Logs an ERROR line and returns false for an unknown shape type or a size that
// isn't positive: the library computes the mass from the area, and a flat box or a point
// circle would give the body an infinite inverse mass and turn its position into NaN.
bool MakeFixtureDef(const PhysicsShapeDef& shapeDef, b2PolygonShape& box, b2CircleShape& circle,
                    b2FixtureDef& fixtureDef)
{
    const bool isCircle = shapeDef.shapeType == PhysicsActor::SHAPETYPE_CIRCLE;
    if (!isCircle && shapeDef.shapeType != PhysicsActor::SHAPETYPE_BOX)
    {
        SystemLogInstance().Log("ERROR: Invalid shape type given.");
        return false;
    }
    const bool positive =
        isCircle ? shapeDef.radius > 0.0f : shapeDef.halfExtents.X > 0.0f && shapeDef.halfExtents.Y > 0.0f;
    if (!positive)
    {
        SystemLogInstance().Log("ERROR: InitPhysics() needs a size greater than zero.");
        return false;
    }
    if (isCircle)
    {
        circle.m_radius = shapeDef.radius;
        fixtureDef.shape = &circle;
    }
    else
    {
        box.SetAsBox(shapeDef.halfExtents.X, shapeDef.halfExtents.Y);
        fixtureDef.shape = &box;
    }
    fixtureDef.density = std::max(shapeDef.density, 0.0f);
    fixtureDef.friction = shapeDef.friction;
    fixtureDef.restitution = shapeDef.restitution;
    fixtureDef.isSensor = shapeDef.isSensor;
    fixtureDef.filter.groupIndex = static_cast<int16>(std::clamp(shapeDef.groupIndex, -32768, 32767));
    fixtureDef.filter.categoryBits = static_cast<uint16>(shapeDef.categoryBits);
    fixtureDef.filter.maskBits = static_cast<uint16>(shapeDef.maskBits);
    return true;
}
} // namespace

PhysicsActor::~PhysicsActor()
{
    if (!physBody)
        return;
    b2Body* body = BodyOf(physBody);
    physBody = nullptr;
    PhysicsWorld::Find()->DestroyBody(body, true);
}

void PhysicsActor::RemoveBody()
{
    if (!physBody)
        return;
    b2Body* body = BodyOf(physBody);
    // What the body was doing is where a new body would start from.
    startVelocity = GetLinearVelocity();
    startAngularVelocity = GetAngularVelocity();
    physBody = nullptr;
    PhysicsWorld::Find()->DestroyBody(body, false);
}

void PhysicsActor::InitPhysics()
{
    World& world = World::GetInstance();
    if (!world.IsPhysicsSetUp())
    {
        SystemLogInstance().Log("ERROR: World physics must be initialized before Actor's.");
        return;
    }
    // A second body would belong to nobody: the first one's pointer would be lost while
    // it went on colliding, and destruction would free only one of them.
    if (physBody)
    {
        SystemLogInstance().Log("WARNING: InitPhysics() had no effect - this actor's physics are already initialized.");
        return;
    }

    PhysicsShapeDef shapeDef;
    shapeDef.shapeType = shapeType;
    switch (shapeType)
    {
    case SHAPETYPE_BOX:
        shapeDef.halfExtents = Vector2(size.X / 2.0f, size.Y / 2.0f);
        break;
    case SHAPETYPE_CIRCLE:
        shapeDef.radius = size.X / 2.0f;
        break;
    default:
        SystemLogInstance().Log("ERROR: Invalid shape type given.");
        return;
    }
    shapeDef.density = density;
    shapeDef.friction = friction;
    shapeDef.restitution = restitution;
    shapeDef.isSensor = isSensor;
    shapeDef.groupIndex = groupIndex;

    InitShape(shapeDef);

    b2PolygonShape box;
    b2CircleShape circle;
    b2FixtureDef fixtureDef;
    if (!MakeFixtureDef(shapeDef, box, circle, fixtureDef))
        return;

    b2BodyDef bodyDef;
    // A massless dynamic body would still be simulated and never sleep; the engine's
    // meaning of density 0 is "doesn't move".
    bodyDef.type = fixtureDef.density > 0.0f ? b2_dynamicBody : b2_staticBody;
    if (bodyTypeChosen)
        bodyDef.type = static_cast<b2BodyType>(bodyType);
    if (bodyDef.type != b2_staticBody)
    {
        bodyDef.linearVelocity = ToB2(startVelocity);
        bodyDef.angularVelocity = startAngularVelocity * MathKit::DegreesToRadiansFactor;
    }
    bodyDef.userData.pointer = reinterpret_cast<std::uintptr_t>(this);
    bodyDef.position = ToB2(position);
    bodyDef.angle = rotation * MathKit::DegreesToRadiansFactor;
    bodyDef.allowSleep = true;
    bodyDef.awake = true;
    bodyDef.bullet = false;
    bodyDef.linearDamping = 0.0f;
    bodyDef.angularDamping = 0.0f;
    bodyDef.fixedRotation = fixedRotation;

    // Creating the fixture computes the mass from its density.
    b2Body* body = PhysicsWorld::Find()->GetLibraryWorld()->CreateBody(&bodyDef);
    body->CreateFixture(&fixtureDef);
    physBody = body;

    CustomInitPhysics();
}

void PhysicsActor::SyncFromBody()
{
    const b2Body* body = BodyOf(physBody);
    const b2Vec2& where = body->GetPosition();
    Actor::SetPosition(where.x, where.y);
    Actor::SetRotation(NormalizeDegrees(body->GetAngle() * RadiansToDegrees));
}

bool PhysicsActor::WarnIfInitialized(const char* operation) const
{
    if (!physBody)
        return false;
    SystemLogInstance().Printf(
        "WARNING: %s() had no effect - don't change this actor after physics have been initialized.", operation);
    return true;
}

void PhysicsActor::SetDensity(float newDensity)
{
    if (!WarnIfInitialized("SetDensity"))
        density = std::max(newDensity, 0.0f);
}

void PhysicsActor::SetFriction(float newFriction)
{
    if (!WarnIfInitialized("SetFriction"))
        friction = newFriction;
}

void PhysicsActor::SetRestitution(float newRestitution)
{
    if (!WarnIfInitialized("SetRestitution"))
        restitution = newRestitution;
}

void PhysicsActor::SetShapeType(eShapeType newShapeType)
{
    if (!WarnIfInitialized("SetShapeType"))
        shapeType = newShapeType;
}

void PhysicsActor::SetIsSensor(bool newIsSensor)
{
    if (!WarnIfInitialized("SetIsSensor"))
        isSensor = newIsSensor;
}

void PhysicsActor::SetGroupIndex(int newGroupIndex)
{
    if (!WarnIfInitialized("SetGroupIndex"))
        groupIndex = newGroupIndex;
}

void PhysicsActor::SetFixedRotation(bool newFixedRotation)
{
    if (!WarnIfInitialized("SetFixedRotation"))
        fixedRotation = newFixedRotation;
}

void PhysicsActor::SetSize(float x, float y)
{
    if (!WarnIfInitialized("SetSize"))
        Actor::SetSize(x, y);
}

void PhysicsActor::SetSize(const Vector2& newSize)
{
    if (!WarnIfInitialized("SetSize"))
        Actor::SetSize(newSize);
}

void PhysicsActor::SetPosition(float x, float y)
{
    if (!WarnIfInitialized("SetPosition"))
        Actor::SetPosition(x, y);
}

void PhysicsActor::SetPosition(const Vector2& pos)
{
    if (!WarnIfInitialized("SetPosition"))
        Actor::SetPosition(pos);
}

void PhysicsActor::SetRotation(float newRotation)
{
    if (!WarnIfInitialized("SetRotation"))
        Actor::SetRotation(newRotation);
}

void PhysicsActor::SetBodyType(eBodyType newBodyType)
{
    if (newBodyType != BODYTYPE_STATIC && newBodyType != BODYTYPE_KINEMATIC && newBodyType != BODYTYPE_DYNAMIC)
    {
        SystemLogInstance().Printf("ERROR: SetBodyType() was given %d, not a body type (0 static, 1 kinematic, "
                                   "2 dynamic).",
                                   static_cast<int>(newBodyType));
        return;
    }
    bodyTypeChosen = true;
    bodyType = newBodyType;
    if (physBody)
        BodyOf(physBody)->SetType(static_cast<b2BodyType>(newBodyType));
}

PhysicsActor::eBodyType PhysicsActor::GetBodyType() const
{
    if (physBody)
        return static_cast<eBodyType>(BodyOf(physBody)->GetType());
    if (bodyTypeChosen)
        return bodyType;
    return density > 0.0f ? BODYTYPE_DYNAMIC : BODYTYPE_STATIC;
}

void PhysicsActor::SetLinearVelocity(const Vector2& velocity)
{
    // A NaN would spread to the body's position and through every contact to its neighbours.
    if (!std::isfinite(velocity.X) || !std::isfinite(velocity.Y))
    {
        SystemLogInstance().Log("WARNING: SetLinearVelocity() had no effect - the velocity is not a finite number.");
        return;
    }
    startVelocity = velocity;
    if (physBody)
        BodyOf(physBody)->SetLinearVelocity(ToB2(velocity));
}

Vector2 PhysicsActor::GetLinearVelocity() const
{
    if (!physBody)
        return startVelocity;
    const b2Vec2& velocity = BodyOf(physBody)->GetLinearVelocity();
    return Vector2(velocity.x, velocity.y);
}

void PhysicsActor::SetAngularVelocity(float degreesPerSecond)
{
    if (!std::isfinite(degreesPerSecond))
    {
        SystemLogInstance().Log("WARNING: SetAngularVelocity() had no effect - the velocity is not a finite number.");
        return;
    }
    startAngularVelocity = degreesPerSecond;
    if (physBody)
        BodyOf(physBody)->SetAngularVelocity(degreesPerSecond * MathKit::DegreesToRadiansFactor);
}

float PhysicsActor::GetAngularVelocity() const
{
    if (!physBody)
        return startAngularVelocity;
    return BodyOf(physBody)->GetAngularVelocity() * RadiansToDegrees;
}

void PhysicsActor::SetDrawSize(float x, float y) { Actor::SetSize(x, y); }

void PhysicsActor::ApplyForce(const Vector2& force, const Vector2& point)
{
    if (!physBody)
        return;
    BodyOf(physBody)->ApplyForce(ToB2(force), ToB2(position + point), true);
}

void PhysicsActor::ApplyLocalForce(const Vector2& force, const Vector2& point)
{
    if (!physBody)
        return;
    b2Body* body = BodyOf(physBody);
    body->ApplyForce(b2Mul(body->GetTransform().q, ToB2(force)), ToB2(position + point), true);
}

void PhysicsActor::ApplyTorque(float torque)
{
    if (!physBody)
        return;
    BodyOf(physBody)->ApplyTorque(torque, true);
}

void PhysicsActor::ApplyImpulse(const Vector2& impulse, const Vector2& point)
{
    if (!physBody)
        return;
    BodyOf(physBody)->ApplyLinearImpulse(ToB2(impulse), ToB2(position + point), true);
}
