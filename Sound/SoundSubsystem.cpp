#include "Sound/SoundSubsystem.h"

#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"
#include "Sound/SoundDevice.h"

namespace
{
class SoundSubsystem : public Subsystem
{
public:
    int GetService() const override { return World::SoundService; }
    void Start() override { SoundDevice::GetInstance(); }

    void Update(float) override
    {
        // Frames ticked without Initialize (tools, tests) have no device and don't start one.
        if (SoundDevice* device = SoundDevice::FindInstance())
            device->Update();
    }

    // The World is ending: nothing may bring audio back now.
    void Shutdown() override { SoundDevice::Close(); }
};
} // namespace

void PlugInSound()
{
    static SoundSubsystem sound;
    World::GetInstance().PlugIn(&sound);
}
