#pragma once

// Plugs input into the World and the window: the window's keys, characters and mouse go
// to the engine's input code (recorded first when a recording runs); Initialize creates
// the router, which reads the key bindings; every frame reads both controllers; with
// World::PadService the game pads are looked for once the first frame is up; Destroy
// drops the bindings. Opening or closing the console takes the held keys from the game.
// Plugging in twice does nothing.
void PlugInInput();
