#include "Input/ControllerManager.h"

#include "Platform/Log.h"

ControllerManager& ControllerManager::GetInstance()
{
    static ControllerManager* instance = new ControllerManager();
    return *instance;
}

ControllerManager::ControllerManager() : controllers{new Controller(0), new Controller(1)} {}

Controller& ControllerManager::GetController(int index)
{
    if (index == 0 || index == 1)
        return *controllers[index];
    SystemLogInstance().Log("ERROR: Bad controller index.");
    // The first pad is the one single-player code reads anyway; a caller with a wrong
    // index gets a real, safely usable controller instead of memory past the pair.
    return *controllers[0];
}
