#include "Program/EngineSubsystems.h"

#include "Input/InputSubsystem.h"
#include "Physics/PhysicsSubsystem.h"
#include "Scripting/ScriptingSubsystem.h"
#include "Sound/SoundSubsystem.h"

void PlugInEngineSubsystems()
{
    PlugInInput();
    PlugInSound();
    PlugInScripting();
    PlugInPhysics();
}
