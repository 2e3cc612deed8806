#pragma once

#include "Input/RawPadState.h"
#include "Util/Vector2.h"

// One pad reading. Sticks -32768..32767 (y up) after the dead zone, triggers 0..255.
struct ControllerInput
{
    int LeftThumbstickX = 0;
    int LeftThumbstickY = 0;
    int RightThumbstickX = 0;
    int RightThumbstickY = 0;
    int LeftTriggerValue = 0;
    int RightTriggerValue = 0;
    unsigned int Buttons = 0;
};

// Button bits of ControllerInput::Buttons.
enum ControllerButton
{
    CB_DPadUp = 0x0001,
    CB_DPadDown = 0x0002,
    CB_DPadLeft = 0x0004,
    CB_DPadRight = 0x0008,
    CB_Start = 0x0010,
    CB_Back = 0x0020,
    CB_LeftThumb = 0x0040,
    CB_RightThumb = 0x0080,
    CB_LeftBumper = 0x0100,
    CB_RightBumper = 0x0200,
    CB_A = 0x1000,
    CB_B = 0x2000,
    CB_X = 0x4000,
    CB_Y = 0x8000
};

// One of the two game pads. Probed once by Setup; a pad absent then, or lost later,
// reads all zeros until the program restarts.
class Controller
{
public:
    // Pad 0 or 1; ControllerManager makes both. Nothing is read until Setup.
    explicit Controller(int index) : controllerIndex(index) {}

    // Logs "Controller %d connected!" or "Controller %d not present..." (1-based).
    void Setup();
    // The per-frame poll: reads the pad, applies the dead zones and lets the input
    // router fire button bindings. Logs "Uh oh, we lost controller %d..." once on loss.
    void UpdateState();

    // The last reading UpdateState took: buttons, sticks and triggers as XInput gives them.
    ControllerInput GetState() const { return currentState; }
    // Stick axes divided by 32768: -1 to just below 1.
    Vector2 GetLeftThumbVec2() const;
    Vector2 GetRightThumbVec2() const;
    Vec2i GetLeftThumbstick() const;
    Vec2i GetRightThumbstick() const;
    int GetLeftTrigger() const { return currentState.LeftTriggerValue; }
    int GetRightTrigger() const { return currentState.RightTriggerValue; }

    // True if any bit of the mask is held.
    bool IsButtonDown(int buttonMask) const
    {
        return (currentState.Buttons & static_cast<unsigned int>(buttonMask)) != 0;
    }
    // Each is true while its button is held in the last reading.
    bool IsAButtonDown() const { return IsButtonDown(CB_A); }
    bool IsBButtonDown() const { return IsButtonDown(CB_B); }
    bool IsXButtonDown() const { return IsButtonDown(CB_X); }
    bool IsYButtonDown() const { return IsButtonDown(CB_Y); }
    bool IsStartButtonDown() const { return IsButtonDown(CB_Start); }
    bool IsBackButtonDown() const { return IsButtonDown(CB_Back); }
    bool IsLeftThumbstickButtonDown() const { return IsButtonDown(CB_LeftThumb); }
    bool IsRightThumbstickButtonDown() const { return IsButtonDown(CB_RightThumb); }
    bool IsLeftBumperDown() const { return IsButtonDown(CB_LeftBumper); }
    bool IsRightBumperDown() const { return IsButtonDown(CB_RightBumper); }
    // A trigger counts as pressed above 30.
    bool IsLeftTriggerPressed() const { return currentState.LeftTriggerValue > TriggerThreshold; }
    bool IsRightTriggerPressed() const { return currentState.RightTriggerValue > TriggerThreshold; }

    // Both take motor speeds as passed; only the low 16 bits reach the pad.
    void SetLeftVibrationRaw(unsigned int vibration);
    void SetRightVibrationRaw(unsigned int vibration);
    // Both take 0..255 (larger values count as 255); 255 is full speed.
    void SetLeftVibration(unsigned int vibration);
    void SetRightVibration(unsigned int vibration);
    // Motor speeds as last set, raw.
    unsigned int GetLeftVibration() const { return leftMotorSpeed; }
    unsigned int GetRightVibration() const { return rightMotorSpeed; }

    // True for a pad found at Setup and not lost since, and for a pad an input script drives.
    bool IsConnected() const { return connected || scripted; }
    int GetControllerID() const { return controllerIndex; }

    // The buttons in the order of their binding codes (P1BUTTON_A is 1000, button 0):
    // A, B, X, Y, Start, Back, the thumbstick buttons, the triggers, the bumpers.
    static constexpr int BindableButtonCount = 12;
    // Whether bindable button `button` is held in the last reading; triggers count above 30.
    bool IsBindableButtonDown(int button) const;

    // Input scripts: a scripted pad reads as connected, and its scripted buttons are held
    // on top of whatever a real pad reports, from the next UpdateState on.
    void SetScripted(bool on) { scripted = on; }
    // `button` is a bindable button number (0..BindableButtonCount-1); others are ignored.
    void SetScriptedButton(int button, bool down);

    static constexpr int LeftThumbDeadZone = 7849;
    static constexpr int RightThumbDeadZone = 8689;
    static constexpr int TriggerThreshold = 30;

private:
    void SendVibration();
    void ReadPadState();
    void RecordButtonEdges();
    void AddScriptedButtons();

    int controllerIndex;
    bool connected = false;
    ControllerInput currentState;
    unsigned int leftMotorSpeed = 0;
    unsigned int rightMotorSpeed = 0;
    PadBackend::RawPadState rawState;
    bool scripted = false;
    unsigned int scriptedButtons = 0; // one bit per bindable button
    unsigned int realButtons = 0;     // the same, as the pad itself reported them
};
