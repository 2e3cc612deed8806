#pragma once

#include "Input/Controller.h"

// Owns the two game pads, index 0 and 1.
class ControllerManager
{
public:
    // Created on first use with both controllers unconnected; never deleted.
    static ControllerManager& GetInstance();

    // Logs "ERROR: Bad controller index." for an index other than 0 or 1 and then
    // returns the first controller.
    Controller& GetController(int index = 0);

private:
    ControllerManager();

    Controller* controllers[2];
};
