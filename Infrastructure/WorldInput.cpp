#include "Infrastructure/World.h"

#include "Input/ControllerManager.h"
#include "Input/InputRouter.h"

// The World's link to key bindings and game pads.
void World::SetUpControllers()
{
    ControllerManager& manager = ControllerManager::GetInstance();
    manager.GetController(0).Setup();
    manager.GetController(1).Setup();
}

void World::UpdateControllers()
{
    ControllerManager& manager = ControllerManager::GetInstance();
    manager.GetController(0).UpdateState();
    manager.GetController(1).UpdateState();
}

// Creation reads Config/input_bindings.ini.
void World::CreateInputRouter() { InputRouter::GetInstance(); }

// The router itself lives on; the bindings go with the World.
void World::DestroyInputRouter() { InputRouter::GetInstance().ClearBindings(); }
