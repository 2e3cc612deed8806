"""The pieces Apple Drop builds its screens from: text, pegs, grass, apples and effects."""
from tarvo import *

PEG_COLOR = Color(0.35, 0.25, 0.6)
world = World.GetInstance()


def text(words, x, y, font, alignment=Align_Left):
    label = TextActor(font, words, alignment)
    label.SetPosition(x, y)
    label.SetColor(1.0, 1.0, 1.0)
    world.Add(label, 3)
    return label


def pegs():
    """Two staggered rows of round static bodies for the apples to bounce off."""
    made = []
    for row, y in enumerate((3.5, -0.5)):
        for column in range(7):
            peg = PhysicsActor()
            # The engine keeps names unique by numbering them: GetName tells the one given.
            peg.SetName("Peg")
            peg.SetShapeType(PhysicsActor.SHAPETYPE_CIRCLE)
            peg.SetDrawShape(ADS_Circle)
            peg.SetSize(0.8)
            peg.SetPosition(-9.0 + column * 3.0 + row * 1.5, y)
            peg.SetColor(PEG_COLOR)
            peg.SetDensity(0.0)
            peg.SetRestitution(0.4)
            world.Add(peg, 1)
            peg.InitPhysics()
            made.append(peg)
    return made


def grass():
    ground = PhysicsActor()
    ground.SetName("Grass")
    ground.SetSize(30.0, 2.0)
    ground.SetPosition(0.0, -9.6)
    ground.SetColor(0.3, 0.65, 0.25)
    ground.SetDensity(0.0)
    world.Add(ground, 1)
    ground.InitPhysics()
    return ground


def apple(x, y):
    fruit = PhysicsActor()
    fruit.SetSprite("Resources/Images/apple.png")
    fruit.SetShapeType(PhysicsActor.SHAPETYPE_CIRCLE)
    fruit.SetSize(1.1)
    fruit.SetPosition(x, y)
    fruit.SetDensity(1.0)
    fruit.SetRestitution(0.5)
    fruit.SetFriction(0.3)
    world.Add(fruit, 2)
    fruit.InitPhysics()
    return fruit


def burst(where, color, count):
    """A short spray of particles that ends by itself."""
    spray = ParticleActor()
    spray.SetPosition(where)
    spray.SetColor(color)
    spray.SetEndColor(Color(color.R, color.G, color.B, 0.0))
    spray.SetSize(0.25)
    spray.SetMaxParticles(count)
    spray.SetParticlesPerSecond(count * 10.0)
    spray.SetSystemLifetime(0.1)
    spray.SetParticleLifetime(0.7)
    spray.SetSpread(3.14159)
    spray.SetSpeedRange(2.0, 6.0)
    spray.SetGravity(Vector2(0.0, -9.0))
    spray.SetEndScale(0.3)
    world.Add(spray, 4)


def floating_text(words, where):
    """Words that rise and fade where something happened, then go."""
    label = text(words, where.X, where.Y + 0.5, "Console", Align_Center)
    label.SetColor(1.0, 1.0, 0.4)
    label.MoveTo(Vector2(where.X, where.Y + 3.0), 0.8, True)
    label.ChangeColorTo(Color(1.0, 1.0, 0.4, 0.0), 0.8)
    global _sweeper
    if _sweeper is None:
        _sweeper = Sweeper()
        world.Add(_sweeper)
    _sweeper.fading.append([label, 0.8])


class Hidden(Actor):
    """An actor that only thinks: the engine draws every actor, so this one is clear."""

    def __init__(self):
        Actor.__init__(self)
        self.SetAlpha(0.0)


class Sweeper(Hidden):
    """Removes fading labels once their time is up."""

    def __init__(self):
        Hidden.__init__(self)
        self.fading = []

    def Update(self, dt):
        Actor.Update(self, dt)
        for entry in list(self.fading):
            entry[1] -= dt
            if entry[1] <= 0.0:
                entry[0].Destroy()
                self.fading.remove(entry)


_sweeper = None
