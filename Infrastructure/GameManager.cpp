#include "Infrastructure/GameManager.h"

#include "Sound/SoundDevice.h"

GameManager::~GameManager()
{
    // A sound ending later would otherwise call a destroyed manager.
    if (SoundDevice* device = SoundDevice::FindInstance())
        device->ForgetFinishedTarget(this);
}
