# Uses every physics and input call a plain game needs, and writes what it sees, frame by
# frame, to calls.log in the folder the runner was started from (runner_calls.sh reads it).
import os

from tarvo import *

world = World.GetInstance()
world.SetupPhysics(Vector2(0.0, -10.0))
physics = PhysicsWorld.Find()
log = open(os.path.join(os.environ["CALLS_LOG_FOLDER"], "calls.log"), "w")


def note(*words):
    log.write(" ".join(str(word) for word in words) + "\n")
    log.flush()


def body(shape, size, position, density=1.0):
    actor = PhysicsActor()
    actor.SetShapeType(shape)
    actor.SetSize(size.X, size.Y)
    actor.SetPosition(position)
    actor.SetDensity(density)
    world.Add(actor)
    return actor


ground = body(PhysicsActor.SHAPETYPE_BOX, Vector2(20.0, 1.0), Vector2(0.0, -9.5), 0.0)
ground.InitPhysics()
ball = body(PhysicsActor.SHAPETYPE_CIRCLE, Vector2(1.0, 1.0), Vector2(0.0, 0.0))
ball.SetDrawShape(ADS_Circle)
ball.SetRestitution(0.6)
ball.SetLinearVelocity(Vector2(0.0, -5.0))
ball.InitPhysics()
paddle = body(PhysicsActor.SHAPETYPE_BOX, Vector2(3.0, 0.5), Vector2(-8.0, -3.0))
paddle.SetBodyType(PhysicsActor.BODYTYPE_KINEMATIC)
paddle.InitPhysics()
paddle.SetAngularVelocity(90.0)
note("types", ground.GetBodyType(), ball.GetBodyType(), paddle.GetBodyType())
note("start velocity %.1f" % ball.GetLinearVelocity().Y, "spin %.1f" % paddle.GetAngularVelocity())


class Referee(Actor):
    def __init__(self):
        Actor.__init__(self)
        self.frame = 0
        self.flipped = False
        for prefix in ("CollisionWith", "CollisionEndWith"):
            Switchboard.GetInstance().SubscribeTo(self, prefix + ball.GetName())

    def ReceiveMessage(self, message):
        contact = message.GetContact()
        note(self.frame, "contact", message.GetMessageName()[: -len(ball.GetName())], contact.Other.GetName(),
             "began" if contact.Began else "ended" if contact.Ended else "touching",
             "speed %.1f" % contact.ApproachSpeed, "normal %.0f %.0f" % (contact.Normal.X, contact.Normal.Y))

    def Update(self, dt):
        Actor.Update(self, dt)
        self.frame += 1
        right = IsKeyDown("right_arrow")
        paddle.SetLinearVelocity(Vector2(6.0 if right else 0.0, 0.0))
        if right:
            note(self.frame, "right held, paddle at %.2f %.2f" % (paddle.GetPosition().X, paddle.GetPosition().Y))
        if IsActionDown("Flip") and not self.flipped:
            self.flipped = True
            physics.SetGravity(Vector2(0.0, 10.0))
            note(self.frame, "flip", physics.GetGravity().Y)
        if self.frame == 2:
            hit = physics.RayCast(Vector2(0.0, 5.0), Vector2(0.0, -20.0))
            note(self.frame, "ray", hit.Actor.GetName() == ball.GetName(), "%.1f" % hit.Normal.Y)
            missed = physics.RayCast(Vector2(15.0, 5.0), Vector2(15.0, -5.0))
            found = sorted(actor.GetName() for actor in physics.QueryBox(Vector2(-10.0, -10.0), Vector2(10.0, -8.5)))
            note(self.frame, "miss", missed, "box", found == [ground.GetName()])
            mouse = GetMousePosition()
            note(self.frame, "mouse", type(mouse).__name__, IsMouseButtonDown(MOUSE_LEFT))
        if self.frame == 120:
            # 119 steps at 90 degrees a second: about 180 degrees, in thirty-degree steps.
            note(self.frame, "paddle turned", round(paddle.GetRotation() / 30.0), "spin %.1f" % paddle.GetAngularVelocity())
            ball.RemoveBody()
            note(self.frame, "removed", ball.HasBody(), "ball stays at %.1f" % ball.GetPosition().Y)
        if self.frame == 125:
            note(self.frame, "ball still at %.1f" % ball.GetPosition().Y, "steps", physics.GetMaxStepsPerFrame())


world.Add(Referee())
