#include "Input/InputSubsystem.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"
#include "Input/ControllerManager.h"
#include "Input/InputCallbacks.h"
#include "Input/InputRecorder.h"
#include "Input/InputRouter.h"
#include "Input/PadBackend.h"
#include "Platform/Window.h"

namespace
{
class WindowInput : public WindowInputHandler
{
public:
    void OnKey(int key, bool pressed) override
    {
        InputRecorder::RecordKey(key, pressed);
        InputCallbacks::OnKey(key, pressed);
    }
    void OnCharacter(unsigned int codepoint) override
    {
        // Only what something took: in play, every letter key also sends a character.
        if (InputCallbacks::OnCharacter(codepoint))
            InputRecorder::RecordText(codepoint);
    }
    void OnMouseMotion(int x, int y) override { InputCallbacks::OnMouseMotion(x, y); }
    void OnMouseButton(int button, bool pressed) override { InputCallbacks::OnMouseButton(button, pressed); }
};

class InputSubsystem : public Subsystem
{
public:
    // Creation reads Config/input_bindings.ini.
    void Start() override { InputRouter::GetInstance(); }

    void Update(float) override
    {
        ControllerManager& manager = ControllerManager::GetInstance();
        manager.GetController(0).UpdateState();
        manager.GetController(1).UpdateState();
    }

    // The router itself lives on; the bindings go with the World.
    void Shutdown() override { InputRouter::GetInstance().ClearBindings(); }
};

// Probing the pads takes tens of milliseconds, so it waits for the first frame.
class GamePadSubsystem : public Subsystem
{
public:
    int GetService() const override { return World::PadService; }

    void StartAfterFirstFrame() override
    {
        ControllerManager& manager = ControllerManager::GetInstance();
        manager.GetController(0).Setup();
        manager.GetController(1).Setup();
        lookedForPads = true;
    }

    // A pad the back-end shows only later (in a browser, once a button on it is
    // pressed) is opened then, for a controller that has none yet. With both pads there,
    // nothing is asked.
    void Update(float) override
    {
        ControllerManager& manager = ControllerManager::GetInstance();
        Controller& first = manager.GetController(0);
        Controller& second = manager.GetController(1);
        if (!lookedForPads || (first.IsConnected() && second.IsConnected()) || !PadBackend::PadArrived())
            return;
        for (Controller* controller : {&first, &second})
        {
            if (!controller->IsConnected())
                controller->Setup();
        }
    }

private:
    bool lookedForPads = false;
};
} // namespace

void PlugInInput()
{
    static WindowInput windowInput;
    static InputSubsystem input;
    static GamePadSubsystem pads;
    Window::SetInputHandler(&windowInput);
    Console::SetToggleHandler([] { InputRouter::GetInstance().FollowConsole(); });
    World& world = World::GetInstance();
    world.PlugIn(&input);
    world.PlugIn(&pads);
}
