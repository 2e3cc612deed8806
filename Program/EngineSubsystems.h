#pragma once

// Plugs the engine's own subsystems into the World, in the order their frame steps run:
// input, sound, scripting, physics. RunProgram calls it; a program that calls
// World::Initialize itself calls it first. Calling it again does nothing.
void PlugInEngineSubsystems();
