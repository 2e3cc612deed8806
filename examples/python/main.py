"""Apple Drop: apples fall from the top, bounce off the pegs and must land in your
basket. Left and right arrows (or A and D) move the basket, space starts a round. Five
apples on the grass end it.

Run it with the engine's runner:  tarvo examples/python"""
from tarvo import *

import scenery

APPLES_PER_ROUND_MISSED = 5
SPAWN_SECONDS = 1.1
BASKET_SPEED = 14.0
BASKET_Y = -7.2
# Where the apples start, in turn: a fixed pattern keeps every round the same.
DROP_COLUMNS = [-3.1, 2.2, 0.4, -7.5, 6.8, -1.3, 4.5, -5.0, 8.9, -9.2]

world = World.GetInstance()
switchboard = Switchboard.GetInstance()
sound = SoundDevice.GetInstance()
catch_sound = sound.LoadSample("Resources/Sounds/catch.wav", False)


class Basket(Actor):
    """The player: slides along the bottom while a move key is held."""

    def __init__(self):
        Actor.__init__(self)
        self.SetSprite("Resources/Images/basket.png")
        self.SetSize(3.6, 1.8)
        self.SetPosition(0.0, BASKET_Y)
        self.direction = 0.0
        for name in ("MoveLeft", "MoveRight", "StopLeft", "StopRight"):
            switchboard.SubscribeTo(self, name)

    def ReceiveMessage(self, message):
        name = message.GetMessageName()
        if name == "MoveLeft":
            self.direction = -1.0
        elif name == "MoveRight":
            self.direction = 1.0
        elif (name == "StopLeft" and self.direction < 0) or (name == "StopRight" and self.direction > 0):
            self.direction = 0.0

    def Update(self, dt):
        Actor.Update(self, dt)
        x = self.GetPosition().X + self.direction * BASKET_SPEED * dt
        self.SetPosition(max(-11.5, min(11.5, x)), BASKET_Y)

    def Holds(self, position):
        here = self.GetPosition()
        return abs(position.X - here.X) < 1.5 and abs(position.Y - (here.Y + 0.3)) < 0.6


class Round(scenery.Hidden):
    """One round of play: drops apples, counts catches and misses, and says when it is over."""

    def __init__(self, game):
        scenery.Hidden.__init__(self)
        self.game = game
        self.basket = Basket()
        world.Add(self.basket, 2)
        self.apples = []
        self.until_next = 0.3
        self.dropped = 0
        self.score = 0
        self.missed = 0
        self.score_text = scenery.text("Score 0", -12.8, 9.0, "Console")
        self.missed_text = scenery.text("", 12.8, 9.0, "Console", Align_Right)
        self.show_missed()
        self.pegs = scenery.pegs()
        for peg in self.pegs:
            switchboard.SubscribeTo(self, "CollisionWith" + peg.GetName())
        self.grass = scenery.grass()
        switchboard.SubscribeTo(self, "CollisionWith" + self.grass.GetName())

    def show_missed(self):
        self.missed_text.SetDisplayString("Missed %d of %d" % (self.missed, APPLES_PER_ROUND_MISSED))

    def ReceiveMessage(self, message):
        name = message.GetMessageName()
        if name == "CollisionWith" + self.grass.GetName():
            self.apple_landed()
        else:
            # A peg was hit: it glows and fades back.
            peg = Actor.GetNamed(name[len("CollisionWith"):])
            if peg is not None:
                peg.SetColor(1.0, 0.9, 0.3)
                peg.ChangeColorTo(scenery.PEG_COLOR, 0.4)

    def apple_landed(self):
        for apple in list(self.apples):
            if apple.GetPosition().Y < -7.6:
                self.apples.remove(apple)
                scenery.burst(apple.GetPosition(), Color(0.5, 0.35, 0.2), 12)
                apple.Destroy()
                self.missed += 1
                self.show_missed()

    def Update(self, dt):
        Actor.Update(self, dt)
        self.until_next -= dt
        if self.until_next <= 0.0:
            self.until_next += SPAWN_SECONDS
            x = DROP_COLUMNS[self.dropped % len(DROP_COLUMNS)]
            self.apples.append(scenery.apple(x, 10.5))
            self.dropped += 1
        for apple in list(self.apples):
            if self.basket.Holds(apple.GetPosition()):
                self.apples.remove(apple)
                self.caught(apple)
            elif abs(apple.GetPosition().X) > 15.0:
                # Knocked off the side of the field: it counts as landed.
                self.apples.remove(apple)
                apple.Destroy()
                self.missed += 1
                self.show_missed()
        if self.missed >= APPLES_PER_ROUND_MISSED and self.game.round is self:
            self.game.round_over(self.score)

    def caught(self, apple):
        self.score += 1
        self.score_text.SetDisplayString("Score %d" % self.score)
        self.score_text.SetColor(1.0, 1.0, 0.3)
        self.score_text.ChangeColorTo(Color(1.0, 1.0, 1.0), 0.5)
        where = apple.GetPosition()
        scenery.burst(where, Color(1.0, 0.25, 0.2), 40)
        scenery.floating_text("+1", where)
        sound.PlaySound(catch_sound, 0.8)
        apple.Destroy()

    def end(self):
        for actor in self.apples + self.pegs + [self.basket, self.score_text, self.missed_text, self.grass, self]:
            actor.Destroy()


class Game(scenery.Hidden):
    """The screens: title, play, game over. Start (space or Enter) moves on."""

    def __init__(self):
        scenery.Hidden.__init__(self)
        self.round = None
        self.screen = []
        self.best = 0
        switchboard.SubscribeTo(self, "Start")
        self.title_screen()

    def clear_screen(self):
        for actor in self.screen:
            actor.Destroy()
        self.screen = []

    def title_screen(self):
        self.clear_screen()
        title = scenery.text("APPLE DROP", 0.0, 14.0, "ConsoleLarge", Align_Center)
        title.SetColor(0.8, 0.1, 0.1)
        # Slides down into place.
        title.MoveTo(Vector2(0.0, 4.0), 1.0, True)
        hint = scenery.text("Catch the apples in the basket.\nArrows or A and D move, space starts.",
                            0.0, -3.0, "Console", Align_Center)
        hint.SetColor(0.1, 0.2, 0.4)
        big_apple = Actor()
        big_apple.SetSprite("Resources/Images/apple.png")
        big_apple.SetSize(4.0)
        big_apple.SetPosition(0.0, 0.3)
        big_apple.RotateTo(360.0, 6.0)
        world.Add(big_apple, 1)
        self.screen = [title, hint, big_apple]

    def ReceiveMessage(self, message):
        if self.round is None:
            self.clear_screen()
            self.round = Round(self)
            world.Add(self.round)

    def round_over(self, score):
        self.round.end()
        self.round = None
        self.best = max(self.best, score)
        over = scenery.text("GAME OVER", 0.0, 2.5, "ConsoleLarge", Align_Center)
        over.SetColor(0.6, 0.1, 0.1)
        result = scenery.text("Score %d   Best %d\nSpace plays again." % (score, self.best),
                              0.0, -1.0, "Console", Align_Center)
        result.SetColor(0.1, 0.2, 0.4)
        self.screen = [over, result]


world.SetBackgroundColor(Color(0.62, 0.82, 0.96))
world.SetupPhysics()
game = Game()
world.Add(game)
