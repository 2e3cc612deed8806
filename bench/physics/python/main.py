# The engine's physics scene written in Python, played by the runner:
#   PHYS_N=2000 PHYS_FRAMES=300 PHYS_WARMUP=60 [PHYS_ITERATIONS=8x3] tarvo bench/physics/python --fixed-dt 0.016666667 --no-msaa
# N circles of radius 0.125 fall from a grid into an open box of static walls, one 1/60 s
# step a frame, each drawn as a disc, at 1024 x 768: the scene of ../main.cpp and
# ../love/main.lua, from the same numbers.
#
# The frame times come from the script's own clock, read at the same point of every
# frame (a stopwatch actor's Update, in the World's update walk): the time between two
# readings is one whole turn of the frame loop, from one present to the next, with
# everything the engine does between frames, as the other two programs measure it.
# With PHYS_SUBCLASS=1 each circle is a Python subclass of PhysicsActor that adds nothing,
# to measure what the script's Update call per body and frame costs.
# After WARMUP frames it times FRAMES frames and prints
#   RESULT engine=tarvo-python n=N frames=F median_ms=x mean_fps=y
#   PARTS steps=s                 (physics steps in the timed frames: one a frame)
#   STATE awake=a mean_y=m
# on the process's standard output (print() writes to the game's console), then stops
# the game.
import os
import statistics
import sys
import time

from tarvo import *

COLUMNS, RADIUS, SPACING, GRID_BOTTOM = 50, 0.125, 0.32, -0.5
FLOOR_TOP, INNER_HALF_WIDTH, WALL_TOP, WALL_THICKNESS = -9.0, 9.0, -1.5, 0.5
PALETTE = [Color(0.95, 0.55, 0.2), Color(0.3, 0.7, 0.95), Color(0.55, 0.85, 0.35), Color(0.9, 0.35, 0.5)]

N = int(os.environ.get("PHYS_N", "2000"))
FRAMES = int(os.environ.get("PHYS_FRAMES", "300"))
WARMUP = int(os.environ.get("PHYS_WARMUP", "60"))
# The solver's velocity and position passes, as "8x3"; the engine's own unless given.
ITERATIONS = os.environ.get("PHYS_ITERATIONS")


def report(line):
    sys.__stdout__.write(line + "\n")
    sys.__stdout__.flush()


world = World.GetInstance()
world.SetBackgroundColor(Color(0.1, 0.1, 0.15))
world.SetupPhysics(Vector2(0.0, -10.0))
if ITERATIONS:
    PhysicsWorld.Find().SetIterations(*(int(n) for n in ITERATIONS.split("x")))


def add_wall(x, y, width, height):
    wall = PhysicsActor()
    wall.SetSize(width, height)
    wall.SetPosition(x, y)
    wall.SetColor(0.6, 0.6, 0.65)
    wall.SetDensity(0.0)
    world.Add(wall)
    wall.InitPhysics()


def grid_place(i):
    # Row after row from the bottom, every other row shifted by half a space, each circle
    # nudged by a fixed pattern so that the columns don't stack into towers.
    row, column = divmod(i, COLUMNS)
    jitter = ((row * 37 + column * 11) % 17 - 8) * 0.004
    shift = SPACING / 2 if row % 2 else 0.0
    return ((column - (COLUMNS - 1) / 2) * SPACING + shift - SPACING / 4 + jitter, GRID_BOTTOM + row * SPACING)


inner_height = WALL_TOP - FLOOR_TOP
add_wall(0.0, FLOOR_TOP - WALL_THICKNESS / 2, 2 * (INNER_HALF_WIDTH + WALL_THICKNESS), WALL_THICKNESS)
add_wall(-INNER_HALF_WIDTH - WALL_THICKNESS / 2, FLOOR_TOP + inner_height / 2, WALL_THICKNESS, inner_height)
add_wall(INNER_HALF_WIDTH + WALL_THICKNESS / 2, FLOOR_TOP + inner_height / 2, WALL_THICKNESS, inner_height)

class Ball(PhysicsActor):
    pass


Body = Ball if os.environ.get("PHYS_SUBCLASS") == "1" else PhysicsActor
balls = []
for i in range(N):
    ball = Body()
    ball.SetShapeType(PhysicsActor.SHAPETYPE_CIRCLE)
    ball.SetDrawShape(ADS_Circle)
    ball.SetSize(2 * RADIUS)
    ball.SetPosition(*grid_place(i))
    ball.SetColor(PALETTE[i % 4])
    ball.SetDensity(1.0)
    ball.SetFriction(0.3)
    ball.SetRestitution(0.0)
    world.Add(ball)
    ball.InitPhysics()
    balls.append(ball)


class Stopwatch(Actor):
    def __init__(self):
        Actor.__init__(self)
        self.SetSize(0.0)  # drawn like every actor, but covers no pixel
        self.readings = []
        self.steps = 0

    def Update(self, dt):
        self.readings.append(time.perf_counter())
        frames_done = len(self.readings) - 1
        if frames_done > WARMUP:
            self.steps += PhysicsWorld.Find().GetStepsLastFrame()
        if frames_done < WARMUP + FRAMES:
            return
        timed = self.readings[WARMUP:]
        times = [(b - a) * 1000.0 for a, b in zip(timed, timed[1:])]
        seconds = timed[-1] - timed[0]
        report("RESULT engine=tarvo-python n=%d frames=%d median_ms=%.3f mean_fps=%.2f"
               % (N, len(times), statistics.median(times), len(times) / seconds))
        report("PARTS steps=%d" % self.steps)
        awake = sum(1 for b in balls if b.GetLinearVelocity().X != 0.0 or b.GetLinearVelocity().Y != 0.0)
        report("STATE awake=%d mean_y=%.3f" % (awake, sum(b.GetPosition().Y for b in balls) / max(N, 1)))
        world.StopGame()


world.Add(Stopwatch())
