-- The engine's physics scene on LÖVE 11.4:  love <this dir> N FRAMES WARMUP [ITERATIONS] [SEGMENTS]
-- N circles of radius 0.125 fall from a grid into an open box of static walls, one 1/60 s
-- step a frame, each drawn as a filled circle of 32 segments, at 1024 x 768. Built from the
-- same numbers as ../main.cpp and ../python/main.py. The world is in the engine's units
-- (one meter per unit, y up) and the view maps them as the engine's camera does
-- (38.4 pixels a unit, origin in the middle of the window), so the physics library sees
-- the same numbers on both sides.
-- ITERATIONS "8x3" (default) steps with LÖVE's own velocity and position iterations;
-- "10x10" with the engine's. SEGMENTS "32" (default) draws each circle with as many as the
-- engine's disc has; "auto" leaves the number to LÖVE, as circle() without one does.
-- Prints RESULT ... median_ms=<median frame, one present to the next> mean_fps=...,
-- PARTS update_ms=<median physics step> draw_ms=<median drawing, the present included>
-- and STATE awake=<bodies awake at the end> mean_y=<mean height of the circles>.
function love.errorhandler(msg)   -- print and exit instead of LÖVE's blue error screen
  io.stderr:write("ERROR: " .. tostring(msg) .. "\n" .. debug.traceback() .. "\n"); os.exit(1)
end

local COLUMNS, RADIUS, SPACING, GRID_BOTTOM = 50, 0.125, 0.32, -0.5
local FLOOR_TOP, INNER_HALF_WIDTH, WALL_TOP, WALL_THICKNESS = -9.0, 9.0, -1.5, 0.5
local PIXELS_PER_UNIT = 768 / 20
local PALETTE = { {0.95, 0.55, 0.2}, {0.3, 0.7, 0.95}, {0.55, 0.85, 0.35}, {0.9, 0.35, 0.5} }

local N, FRAMES, WARMUP, VELOCITY_ITERATIONS, POSITION_ITERATIONS, SEGMENTS
local world, walls, balls = nil, {}, {}

local function addWall(cx, cy, w, h)
  local body = love.physics.newBody(world, cx, cy, "static")
  local shape = love.physics.newRectangleShape(w, h)
  local fixture = love.physics.newFixture(body, shape, 0)
  fixture:setFriction(0.3)
  walls[#walls + 1] = { body = body, w = w, h = h }
end

local function gridPlace(i)   -- i counts from 0, as in the engine's programs
  local row, column = math.floor(i / COLUMNS), i % COLUMNS
  local jitter = ((row * 37 + column * 11) % 17 - 8) * 0.004
  local shift = (row % 2 == 1) and SPACING / 2 or 0
  return (column - (COLUMNS - 1) / 2) * SPACING + shift - SPACING / 4 + jitter, GRID_BOTTOM + row * SPACING
end

function love.load(args)
  N = tonumber(args[1] or "2000"); FRAMES = tonumber(args[2] or "300"); WARMUP = tonumber(args[3] or "60")
  local iterations = args[4] or "8x3"
  VELOCITY_ITERATIONS, POSITION_ITERATIONS = iterations:match("(%d+)x(%d+)")
  VELOCITY_ITERATIONS, POSITION_ITERATIONS = tonumber(VELOCITY_ITERATIONS), tonumber(POSITION_ITERATIONS)
  SEGMENTS = tonumber(args[5] or "32")   -- nil for "auto"
  love.physics.setMeter(1)
  world = love.physics.newWorld(0, -10, true)
  local innerHeight = WALL_TOP - FLOOR_TOP
  addWall(0, FLOOR_TOP - WALL_THICKNESS / 2, 2 * (INNER_HALF_WIDTH + WALL_THICKNESS), WALL_THICKNESS)
  addWall(-INNER_HALF_WIDTH - WALL_THICKNESS / 2, FLOOR_TOP + innerHeight / 2, WALL_THICKNESS, innerHeight)
  addWall(INNER_HALF_WIDTH + WALL_THICKNESS / 2, FLOOR_TOP + innerHeight / 2, WALL_THICKNESS, innerHeight)
  local shape = love.physics.newCircleShape(RADIUS)
  for i = 0, N - 1 do
    local x, y = gridPlace(i)
    local body = love.physics.newBody(world, x, y, "dynamic")
    local fixture = love.physics.newFixture(body, shape, 1.0)
    fixture:setFriction(0.3)
    fixture:setRestitution(0)
    balls[i + 1] = { body = body, color = PALETTE[i % 4 + 1] }
  end
end

local function draw()
  love.graphics.translate(512, 384)
  love.graphics.scale(PIXELS_PER_UNIT, -PIXELS_PER_UNIT)
  love.graphics.setColor(0.6, 0.6, 0.65)
  for _, wall in ipairs(walls) do
    local x, y = wall.body:getPosition()
    love.graphics.rectangle("fill", x - wall.w / 2, y - wall.h / 2, wall.w, wall.h)
  end
  local circle, setColor = love.graphics.circle, love.graphics.setColor
  for i = 1, N do
    local ball = balls[i]
    local x, y = ball.body:getPosition()
    setColor(ball.color)
    if SEGMENTS then circle("fill", x, y, RADIUS, SEGMENTS) else circle("fill", x, y, RADIUS) end
  end
end

local function median(values)
  table.sort(values)
  local n = #values
  if n == 0 then return 0 end
  return (n % 2 == 1) and values[(n + 1) / 2] or (values[n / 2] + values[n / 2 + 1]) / 2
end

local function printState()
  local awake, heights = 0, 0
  for i = 1, N do
    local body = balls[i].body
    if body:isAwake() then awake = awake + 1 end
    local _, y = body:getPosition()
    heights = heights + y
  end
  io.write(string.format("STATE awake=%d mean_y=%.3f\n", awake, N > 0 and heights / N or 0))
end

function love.run()
  if love.load then love.load(love.arg.parseGameArguments(arg), arg) end
  love.timer.step()
  local times, updates, draws, frame, t0 = {}, {}, {}, 0, nil
  local last = love.timer.getTime()
  return function()
    love.event.pump()
    for name, a, b, c, d, e, f in love.event.poll() do
      if name == "quit" then return a or 0 end
      love.handlers[name](a, b, c, d, e, f)
    end
    love.timer.step()
    local stepStart = love.timer.getTime()
    world:update(1 / 60, VELOCITY_ITERATIONS, POSITION_ITERATIONS)
    local stepEnd = love.timer.getTime()
    love.graphics.origin()
    love.graphics.clear(0.1, 0.1, 0.15)
    draw()
    love.graphics.present()
    local now = love.timer.getTime()
    frame = frame + 1
    if frame == WARMUP + 1 then t0 = last end
    if frame > WARMUP then
      times[#times + 1] = (now - last) * 1e3
      updates[#updates + 1] = (stepEnd - stepStart) * 1e3
      draws[#draws + 1] = (now - stepEnd) * 1e3
    end
    last = now
    if frame >= WARMUP + FRAMES then
      local n = #times
      local med = median(times)
      io.write(string.format("RESULT peer=love iterations=%dx%d segments=%s n=%d frames=%d median_ms=%.3f mean_fps=%.2f\n",
        VELOCITY_ITERATIONS, POSITION_ITERATIONS, tostring(SEGMENTS or "auto"), N, n, med, n / (now - t0)))
      io.write(string.format("PARTS update_ms=%.3f draw_ms=%.3f\n", median(updates), median(draws)))
      printState()
      io.flush()
      return 0
    end
  end
end
