#pragma once

#include "Actors/Actor.h"

struct PhysicsShapeDef;

// An Actor driven by the physics simulation: it owns one body with one box or circle
// shape. Configure it, add it to the World, then call InitPhysics; from then on the
// body moves the actor, and the property setters only log a warning.
class PhysicsActor : public Actor
{
public:
    // The body's shape; any int is accepted, and an unknown one makes no body.
    enum eShapeType : int
    {
        SHAPETYPE_BOX = 0,
        SHAPETYPE_CIRCLE = 1
    };

    // How the body moves. Static bodies never move; kinematic ones move by their velocity
    // alone, unmoved by forces, gravity or what hits them (platforms, paddles); dynamic
    // ones are moved by everything.
    enum eBodyType : int
    {
        BODYTYPE_STATIC = 0,
        BODYTYPE_KINEMATIC = 1,
        BODYTYPE_DYNAMIC = 2
    };

    PhysicsActor() = default;
    // Destroys the body, if any, before the Actor goes.
    ~PhysicsActor() override;

    // Creates the body from the current size, position, rotation and properties.
    // Logs an ERROR line and creates nothing if the World's physics are not set up,
    // the shape type is unknown or the size is not positive; logs a WARNING line and
    // does nothing if the body already exists.
    virtual void InitPhysics();
    // Called right after InitPhysics created the body; does nothing by default.
    virtual void CustomInitPhysics() {}

    // Before InitPhysics these store the value; afterwards they log a WARNING line and
    // change nothing.
    // 0 makes a static body; negative values count as 0.
    void SetDensity(float density);
    // 0 slides freely; Box2D mixes two bodies' values.
    void SetFriction(float friction);
    // Bounce: 0 stops dead, 1 keeps all the speed.
    void SetRestitution(float restitution);
    // Box or circle.
    void SetShapeType(eShapeType shapeType);
    // A sensor reports contacts ("CollisionWith" messages) but nothing bounces off it.
    void SetIsSensor(bool isSensor);
    // Shapes sharing a positive group always collide, a negative one never (-32768..32767).
    void SetGroupIndex(int groupIndex);
    // Keeps the body upright whatever hits it.
    void SetFixedRotation(bool fixedRotation);
    // A circle's diameter is the width.
    void SetSize(float x, float y = -1.0f);
    void SetSize(const Vector2& newSize);
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& pos) override;
    // Degrees.
    void SetRotation(float newRotation);

    // Works at any time: before InitPhysics it replaces the density rule (density 0 makes
    // a static body, any other a dynamic one); afterwards it changes the body at once.
    // An unknown type logs an ERROR line and changes nothing.
    void SetBodyType(eBodyType bodyType);
    // The body's type, or the one InitPhysics will give it.
    eBodyType GetBodyType() const;

    // Velocities work at any time: before InitPhysics they are the velocities the body
    // starts with; afterwards they change the body's at once (and wake it). A static body
    // keeps still whatever it is given.
    // World units per second.
    void SetLinearVelocity(const Vector2& velocity);
    Vector2 GetLinearVelocity() const;
    // Degrees per second, counter-clockwise.
    void SetAngularVelocity(float degreesPerSecond);
    float GetAngularVelocity() const;

    // Takes the body out of the simulation and destroys it; the actor stays in the World
    // where the body last was, its setters work again and InitPhysics can make a new
    // body. Collision messages already queued still name it. Does nothing without a body.
    void RemoveBody();

    // Changes only the drawn size, never the body; works at any time.
    void SetDrawSize(float x, float y = -1.0f);

    // Forces do nothing before InitPhysics. `point` is an offset from the actor's
    // position, in world axes.
    void ApplyForce(const Vector2& force, const Vector2& point);
    // `force` is in the body's own axes.
    void ApplyLocalForce(const Vector2& force, const Vector2& point);
    // Turns the body counter-clockwise for positive values.
    void ApplyTorque(float torque);
    // Changes the velocities at once.
    void ApplyImpulse(const Vector2& impulse, const Vector2& point);

    // Whether InitPhysics made the body; the settings as stored.
    bool HasBody() const { return physBody != nullptr; }
    float GetDensity() const { return density; }
    float GetFriction() const { return friction; }
    float GetRestitution() const { return restitution; }
    eShapeType GetShapeType() const { return shapeType; }
    bool IsSensor() const { return isSensor; }
    int GetGroupIndex() const { return groupIndex; }
    bool IsFixedRotation() const { return fixedRotation; }

    String GetClassName() override { return "PhysicsActor"; }

protected:
    // Receives the shape definition just before the body is created; changes made here
    // are used. Does nothing by default.
    virtual void InitShape(PhysicsShapeDef& shapeDef) { (void)shapeDef; }

    // The library's body; opaque outside the physics layer.
    void* physBody = nullptr;
    float density = 1.0f;
    float friction = 0.3f;
    float restitution = 0.0f;
    eShapeType shapeType = SHAPETYPE_BOX;
    bool isSensor = false;
    int groupIndex = 0;
    bool fixedRotation = false;
    // Set by SetBodyType; until then the density decides.
    bool bodyTypeChosen = false;
    eBodyType bodyType = BODYTYPE_DYNAMIC;
    // The velocities the body starts with.
    Vector2 startVelocity;
    float startAngularVelocity = 0.0f;

private:
    friend class PhysicsWorld;

    // Copies the body's position and angle (normalised to -180..180 degrees) to the actor.
    void SyncFromBody();
    // The physics world is going away with the body.
    void ForgetBody() { physBody = nullptr; }
    // Logs the setter's warning and returns true once the body exists.
    bool WarnIfInitialized(const char* operation) const;
};

// What InitPhysics builds the shape from, handed to PhysicsActor::InitShape.
struct PhysicsShapeDef
{
    PhysicsActor::eShapeType shapeType = PhysicsActor::SHAPETYPE_BOX;
    // Box half width and half height, world units.
    Vector2 halfExtents;
    // Circle radius, world units.
    float radius = 0.0f;
    float density = 1.0f;
    float friction = 0.3f;
    float restitution = 0.0f;
    bool isSensor = false;
    int groupIndex = 0;
    // The library's collision filter bits.
    unsigned int categoryBits = 0x0001;
    unsigned int maskBits = 0xFFFF;
};
