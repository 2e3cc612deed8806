// The actor with a physics body.

%feature("nodirector") PhysicsActor;
class PhysicsActor : public Actor
{
public:
    enum eShapeType
    {
        SHAPETYPE_BOX = 0,
        SHAPETYPE_CIRCLE = 1
    };

    PhysicsActor();
    void SetDensity(float density);
    void SetFriction(float friction);
    void SetRestitution(float restitution);
    void SetShapeType(PhysicsActor::eShapeType shapeType);
    void SetIsSensor(bool isSensor);
    void SetFixedRotation(bool fixedRotation);
    void SetGroupIndex(int groupIndex);
    virtual void InitPhysics();
    virtual void CustomInitPhysics();
    void ApplyForce(Vector2 force, Vector2 point);
    void ApplyLocalForce(Vector2 force, Vector2 point);
    void ApplyImpulse(Vector2 impulse, Vector2 point);
    void ApplyTorque(float torque);
    void SetSize(float x, float y = -1.0f);
    void SetDrawSize(float x, float y = -1.0f);
    void SetPosition(float x, float y);
    void SetPosition(Vector2 pos);
    void SetRotation(float newRotation);
};
