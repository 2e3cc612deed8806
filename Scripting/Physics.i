// The actor with a physics body, the physics world, and what collisions and queries
// tell scripts.

// A script subclass of PhysicsActor gets its Update, ReceiveMessage and the physics
// hooks called, as one of Actor does.
%feature("director") PhysicsActor;
class PhysicsActor : public Actor
{
public:
    enum eShapeType
    {
        SHAPETYPE_BOX = 0,
        SHAPETYPE_CIRCLE = 1
    };
    enum eBodyType
    {
        BODYTYPE_STATIC = 0,
        BODYTYPE_KINEMATIC = 1,
        BODYTYPE_DYNAMIC = 2
    };

    PhysicsActor();
    virtual ~PhysicsActor();
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

    void SetBodyType(PhysicsActor::eBodyType bodyType);
    PhysicsActor::eBodyType GetBodyType() const;
    void SetLinearVelocity(Vector2 velocity);
    Vector2 GetLinearVelocity() const;
    void SetAngularVelocity(float degreesPerSecond);
    float GetAngularVelocity() const;
    void RemoveBody();
    bool HasBody() const;
};

%nodefaultctor PhysicsWorld;
%nodefaultdtor PhysicsWorld;
class PhysicsWorld
{
public:
    static PhysicsWorld* Find();
    Vector2 GetGravity() const;
    void SetGravity(Vector2 gravity);
    void SetMaxStepsPerFrame(int steps);
    int GetMaxStepsPerFrame() const;
    int GetStepsLastFrame() const;
    void SetIterations(int velocity, int position);
    int GetVelocityIterations() const;
    int GetPositionIterations() const;
};

%feature("pythonappend") PhysicsWorld::RayCast %{
    if val is not None:
        val = RayHit(*val)
%}
%extend PhysicsWorld {
    // The first body the segment from `start` to `end` meets, as a RayHit (its actor, the
    // point, the surface's normal there and the fraction of the way along), or None.
    PyObject* RayCast(Vector2 start, Vector2 end)
    {
        PhysicsWorld::RayHit hit;
        if (!$self->RayCast(start, end, hit))
            Py_RETURN_NONE;
        return Py_BuildValue("(NNNf)", ActorToScript(hit.actor), NewScriptVector(hit.point),
                             NewScriptVector(hit.normal), hit.fraction);
    }
    // The physics actors whose shapes overlap the box between two corners, as a tuple.
    ActorList QueryBox(Vector2 cornerA, Vector2 cornerB)
    {
        const std::vector<PhysicsActor*> found = $self->QueryBox(cornerA, cornerB);
        return ActorList(found.begin(), found.end());
    }
}

%feature("pythonappend") Message::GetContact %{
    if val is not None:
        val = Contact(*val)
%}
%extend Message {
    // How the two actors of a "CollisionWith..." or "CollisionEndWith..." message touch,
    // as a Contact seen from the receiving actor; None for any other message.
    PyObject* GetContact()
    {
        auto* collision = dynamic_cast<TypedMessage<ContactPoint*>*>($self);
        if (!collision || !collision->GetValue())
            Py_RETURN_NONE;
        const ContactPoint& point = *collision->GetValue();
        // The sender is the other actor; once it is gone, the one left is the receiver.
        MessageListener* sender = $self->GetSender();
        const bool receiverIsA = sender ? static_cast<MessageListener*>(point.actorB) == sender : point.actorA != nullptr;
        PhysicsActor* other = receiverIsA ? point.actorB : point.actorA;
        const Vector2 normal = receiverIsA ? point.normal : -point.normal;
        return Py_BuildValue("(NNNffffOO)", ActorToScript(other), NewScriptVector(point.position),
                             NewScriptVector(normal), point.approachSpeed, point.separation,
                             point.friction, point.restitution, (point.isNew && !point.ended) ? Py_True : Py_False,
                             point.ended ? Py_True : Py_False);
    }
}

%pythoncode %{
class Contact(object):
    """Where and how two physics actors touch, as the actor a "CollisionWith" + name or
    "CollisionEndWith" + name message is about sees it (Message.GetContact()).

    Other: the other actor, or None once it is gone.
    Point: a world point where they touch (for an end, where they last touched).
    Normal: unit Vector2 from the receiving actor towards the other one.
    ApproachSpeed: how fast they were closing in along the normal, world units per second;
        when Began, the speed just before they hit.
    Separation: negative when the shapes overlap.
    Friction, Restitution: the pair's mixed values.
    Began: True in the frame the two began to touch.
    Ended: True in the "CollisionEndWith" message sent once they no longer touch.
    """

    __slots__ = ("Other", "Point", "Normal", "ApproachSpeed", "Separation", "Friction", "Restitution", "Began",
                 "Ended")

    def __init__(self, other, point, normal, approachSpeed, separation, friction, restitution, began, ended):
        self.Other = other
        self.Point = point
        self.Normal = normal
        self.ApproachSpeed = approachSpeed
        self.Separation = separation
        self.Friction = friction
        self.Restitution = restitution
        self.Began = began
        self.Ended = ended

    def __repr__(self):
        return "Contact(Other=%r, Point=(%g, %g), Normal=(%g, %g), ApproachSpeed=%g, Began=%r, Ended=%r)" % (
            self.Other, self.Point.X, self.Point.Y, self.Normal.X, self.Normal.Y, self.ApproachSpeed,
            self.Began, self.Ended)


class RayHit(object):
    """What PhysicsWorld.RayCast met first.

    Actor: the physics actor hit.
    Point: the world point where the ray met its shape.
    Normal: unit Vector2, the shape's outward normal there.
    Fraction: how far along the ray, 0 at its start and 1 at its end.
    """

    __slots__ = ("Actor", "Point", "Normal", "Fraction")

    def __init__(self, actor, point, normal, fraction):
        self.Actor = actor
        self.Point = point
        self.Normal = normal
        self.Fraction = fraction

    def __repr__(self):
        return "RayHit(Actor=%r, Point=(%g, %g), Normal=(%g, %g), Fraction=%g)" % (
            self.Actor, self.Point.X, self.Point.Y, self.Normal.X, self.Normal.Y, self.Fraction)
%}
