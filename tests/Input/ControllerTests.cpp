#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/ControllerManager.h"
#include "Input/InputRecorder.h"
#include "Input/InputRouter.h"
#include "MessageRecorder.h"
#include "TestUtilities/LogCapture.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace
{
Uint16 rumbleLow = 0;
Uint16 rumbleHigh = 0;
int rumbleCalls = 0;

int RecordRumble(void*, Uint16 low, Uint16 high)
{
    rumbleLow = low;
    rumbleHigh = high;
    ++rumbleCalls;
    return 0;
}

// A game controller made of software, plugged in before the controllers are set up.
class VirtualPad
{
public:
    VirtualPad()
    {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.Rumble = RecordRumble;
        deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
        joystick = SDL_JoystickOpen(deviceIndex);
        // Triggers rest at the bottom of the raw range, which reads as released.
        SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    }
    ~VirtualPad()
    {
        Unplug();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void SetAxis(SDL_GameControllerAxis axis, int value)
    {
        SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(value));
    }
    void SetButton(SDL_GameControllerButton button, bool held)
    {
        SDL_JoystickSetVirtualButton(joystick, button, held ? 1 : 0);
    }
    // Closes only our own handle: the controller under test holds another on the same
    // joystick, and closing twice would drop that one too.
    void Unplug()
    {
        if (joystick)
            SDL_JoystickClose(joystick);
        joystick = nullptr;
        if (deviceIndex >= 0)
            SDL_JoystickDetachVirtual(deviceIndex);
        deviceIndex = -1;
    }

private:
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};

Controller& Pad(int index = 0) { return ControllerManager::GetInstance().GetController(index); }

// Sets the raw trigger axis whose reading is `value` (0..255).
void SetTriggerReading(VirtualPad& pad, SDL_GameControllerAxis axis, int value)
{
    // The virtual axis maps -32768..32767 onto SDL's 0..32767 trigger range.
    const int sdlValue = (value * 32767 + 254) / 255;
    pad.SetAxis(axis, sdlValue * 2 - 32768 + 1);
}
} // namespace

TEST(Controller, NoPadMeansNotPresentAndZeros)
{
    LogCapture log;
    Pad(0).Setup();
    Pad(1).Setup();
    EXPECT_TRUE(log.Contains("Controller 1 not present..."));
    EXPECT_TRUE(log.Contains("Controller 2 not present..."));
    Pad(0).UpdateState();
    EXPECT_FALSE(Pad(0).IsConnected());
    EXPECT_EQ(Pad(0).GetLeftThumbstick(), Vec2i(0, 0));
    EXPECT_EQ(Pad(0).GetState().Buttons, 0u);
    // Motors can be set on an absent pad; the speed is kept.
    Pad(1).SetRightVibration(10);
    EXPECT_EQ(Pad(1).GetRightVibration(), 2560u);
}

TEST(Controller, BadIndexLogsAndGivesAUsableController)
{
    LogCapture log;
    Controller& fallback = ControllerManager::GetInstance().GetController(5);
    EXPECT_TRUE(log.Contains("ERROR: Bad controller index."));
    EXPECT_EQ(&fallback, &Pad(0));
    ControllerManager::GetInstance().GetController(-1).UpdateState();
    EXPECT_EQ(log.Count("ERROR: Bad controller index."), 2u);
}

TEST(Controller, SticksHaveSquareDeadZones)
{
    VirtualPad pad;
    LogCapture log;
    Pad().Setup();
    ASSERT_TRUE(log.Contains("Controller 1 connected!"));

    // One axis outside the zone keeps both; y is flipped to point up.
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 5000);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetLeftThumbstick(), Vec2i(5000, 20000));

    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -7000);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetLeftThumbstick(), Vec2i(0, 0));

    // The right stick's zone is wider: 8000 is inside it, 8689 is not.
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, 8000);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetRightThumbstick(), Vec2i(0, 0));
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, 8689);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetRightThumbstick(), Vec2i(8689, 0));

    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    Pad().UpdateState();
    EXPECT_FLOAT_EQ(Pad().GetLeftThumbVec2().X, -1.0f);
    EXPECT_FLOAT_EQ(Pad().GetLeftThumbVec2().Y, 32767.0f / 32768.0f);
}

TEST(Controller, TriggerCountsAsPressedAbove30)
{
    VirtualPad pad;
    Pad().Setup();
    SetTriggerReading(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 30);
    SetTriggerReading(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 31);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetLeftTrigger(), 30);
    EXPECT_EQ(Pad().GetRightTrigger(), 31);
    EXPECT_FALSE(Pad().IsLeftTriggerPressed());
    EXPECT_TRUE(Pad().IsRightTriggerPressed());
}

TEST(Controller, ButtonBitsFollowTheClassicLayout)
{
    VirtualPad pad;
    Pad().Setup();
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_Y, true);
    Pad().UpdateState();
    EXPECT_EQ(Pad().GetState().Buttons, 0x0001u | 0x0100u | 0x8000u);
    EXPECT_TRUE(Pad().IsButtonDown(0x0001));
    EXPECT_TRUE(Pad().IsLeftBumperDown());
    EXPECT_TRUE(Pad().IsYButtonDown());
    EXPECT_FALSE(Pad().IsAButtonDown());
}

TEST(Controller, VibrationScalesAndReachesThePad)
{
    VirtualPad pad;
    Pad().Setup();
    Pad().SetLeftVibration(254);
    EXPECT_EQ(Pad().GetLeftVibration(), 65024u);
    Pad().SetLeftVibration(255);
    EXPECT_EQ(Pad().GetLeftVibration(), 65535u);
    Pad().SetLeftVibration(1000);
    EXPECT_EQ(Pad().GetLeftVibration(), 65535u);
    // A negative number from a script means off, not full speed.
    Pad().SetRightVibration(static_cast<unsigned int>(-3));
    EXPECT_EQ(Pad().GetRightVibration(), 0u);

    // Raw speeds are kept whole but only their low 16 bits are sent.
    Pad().SetRightVibrationRaw(0x12345);
    EXPECT_EQ(Pad().GetRightVibration(), 0x12345u);
    EXPECT_EQ(rumbleLow, 65535);
    EXPECT_EQ(rumbleHigh, 0x2345);
}

TEST(Controller, ButtonEdgesFireBindingsInTableOrder)
{
    VirtualPad pad;
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.BindKey("P1BUTTON_RIGHTBUMPER", "+BumperDown");
    router.BindKey("P1BUTTON_A", "+ADown");
    router.BindKey("P1BUTTON_A", "-AUp");
    router.BindKey("P1BUTTON_START", "StartDown");
    router.BindKey("P1BUTTON_LEFTTRIGGER", "TriggerDown");
    MessageRecorder recorder({"BumperDown", "ADown", "AUp", "StartDown", "TriggerDown"});
    Pad().Setup();

    pad.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_START, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    SetTriggerReading(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 200);
    Pad().UpdateState();
    EXPECT_EQ(recorder.Deliver(), StringList({"ADown", "StartDown", "TriggerDown", "BumperDown"}));

    // Held: no new edges.
    Pad().UpdateState();
    EXPECT_TRUE(recorder.Deliver().empty());

    pad.SetButton(SDL_CONTROLLER_BUTTON_A, false);
    Pad().UpdateState();
    EXPECT_EQ(recorder.Deliver(), StringList({"AUp"}));
}

TEST(Controller, ALostPadIsNeverPolledAgain)
{
    VirtualPad pad;
    InputRouter::GetInstance().ClearBindings();
    InputRouter::GetInstance().BindKey("P1BUTTON_A", "+ADown");
    InputRouter::GetInstance().BindKey("P1BUTTON_A", "-AUp");
    MessageRecorder recorder({"ADown", "AUp"});
    Pad().Setup();
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    Pad().UpdateState();
    EXPECT_EQ(recorder.Deliver(), StringList({"ADown"}));

    LogCapture log;
    pad.Unplug();
    Pad().UpdateState();
    Pad().UpdateState();
    EXPECT_EQ(log.Count("Uh oh, we lost controller 1..."), 1u);
    EXPECT_FALSE(Pad().IsConnected());
    EXPECT_EQ(Pad().GetLeftThumbstick(), Vec2i(0, 0));
    EXPECT_FALSE(Pad().IsAButtonDown());
    // The held button's release is never sent.
    EXPECT_TRUE(recorder.Deliver().empty());
}

// A console that only exists to be opened.
class SilentConsole : public Console
{
public:
    void Execute(String) override {}
    StringList GetCompletions(String) override { return StringList(); }
};

TEST(Controller, TheOpenConsoleOwnsThePadButtons)
{
    VirtualPad pad;
    SilentConsole console;
    World::GetInstance().RegisterConsole(&console);
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.BindKey("P1BUTTON_A", "+LieStart");
    router.BindKey("P1BUTTON_A", "-LieStop");
    router.BindKey("P1BUTTON_B", "+BDown");
    MessageRecorder recorder({"LieStart", "LieStop", "BDown"});
    Pad().Setup();

    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    Pad().UpdateState();
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart"}));
    EXPECT_TRUE(router.IsKeyDown(1000));

    // Opening lets go of A for the game; B pressed while open is the console's.
    console.SetEnabled(true);
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStop"}));
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    Pad().UpdateState();
    EXPECT_FALSE(router.IsKeyDown(1000));
    EXPECT_FALSE(router.IsKeyDown(1001));
    EXPECT_TRUE(recorder.Deliver().empty());

    // Held through the closing, neither button presses anew; a fresh press does.
    console.SetEnabled(false);
    Pad().UpdateState();
    EXPECT_FALSE(router.IsKeyDown(1000));
    EXPECT_FALSE(router.IsKeyDown(1001));
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, false);
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, false);
    Pad().UpdateState();
    EXPECT_TRUE(recorder.Deliver().empty());
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    Pad().UpdateState();
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart"}));
    EXPECT_TRUE(router.IsKeyDown(1000));

    // A pad lost with A held reads released, though its release is never sent.
    pad.Unplug();
    Pad().UpdateState();
    EXPECT_FALSE(router.IsKeyDown(1000));
    World::GetInstance().RegisterConsole(nullptr);
}

TEST(Controller, PollingAControllerWithABadIndexIsRefused)
{
    LogCapture log;
    Controller stray(2);
    InputRouter::GetInstance().PollPadButtons(stray);
    EXPECT_TRUE(log.Contains("Bad controller ID."));
}

TEST(Controller, RecordsOnlyWhatTheRealPadPressed)
{
    VirtualPad pad;
    Pad().Setup();
    Pad().SetScripted(true);
    InputRecorder::Start();

    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    SetTriggerReading(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 200);
    Pad().SetScriptedButton(0, true);
    Pad().UpdateState();
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, false);
    Pad().UpdateState();
    EXPECT_TRUE(Pad().IsAButtonDown());
    EXPECT_EQ(InputRecorder::GetRecording().Format(), "0 pad P1BUTTON_B down\n"
                                                      "0 pad P1BUTTON_RIGHTTRIGGER down\n"
                                                      "0 pad P1BUTTON_B up\n");
}
