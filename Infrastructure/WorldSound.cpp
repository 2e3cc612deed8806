#include "Infrastructure/World.h"

#include "Sound/SoundDevice.h"

// The World's link to the sound device.
void World::CreateSoundDevice()
{
    // Started here, so opening the audio device doesn't stall the first sound.
    SoundDevice::GetInstance();
}

void World::UpdateSound()
{
    // Frames ticked without Initialize (tools, tests) have no device and don't start one.
    if (SoundDevice* device = SoundDevice::FindInstance())
        device->Update();
}

void World::ShutdownSound() { SoundDevice::Shutdown(); }
