function love.conf(t)
  t.window.title = "physics-love"
  t.window.width, t.window.height = 1024, 768
  t.window.vsync = 0            -- vsync off
  t.window.msaa = 0
  t.modules.audio = false       -- no sound device: the engine's program opens none either
  t.modules.sound = false
end
