#pragma once

// Plugs physics into the World: World::SetupPhysics then makes the one PhysicsWorld
// (found through PhysicsWorld::Find), simulated frames advance it after the elements
// move, its debug drawing lands over the world, and Destroy removes its debug renderer.
// Plugging in twice does nothing.
void PlugInPhysics();
