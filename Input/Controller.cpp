#include "Input/Controller.h"
#include "Input/PadBackend.h"

#include "Input/InputRecorder.h"
#include "Input/InputRouter.h"
#include "Platform/Log.h"

namespace
{
constexpr float AxisScale = 32768.0f;
constexpr unsigned int FullMotorSpeed = 65535;

// A square dead zone: a stick counts as centred only when both axes are inside it, so
// a stick pushed along one axis keeps the small drift of the other.
void ApplyDeadZone(int& x, int& y, int deadZone)
{
    if (x > -deadZone && x < deadZone && y > -deadZone && y < deadZone)
    {
        x = 0;
        y = 0;
    }
}

// The bit of each bindable button in ControllerInput::Buttons; the triggers have none.
constexpr unsigned int bindableButtonBits[Controller::BindableButtonCount] = {
    CB_A, CB_B, CB_X, CB_Y, CB_Start, CB_Back, CB_LeftThumb, CB_RightThumb, 0, 0, CB_LeftBumper, CB_RightBumper};
constexpr int LeftTriggerButton = 8;
constexpr int RightTriggerButton = 9;
constexpr int FullTrigger = 255;

unsigned int ScaleVibration(unsigned int vibration)
{
    // Taken as signed so that a negative number from a script means "off", not "full".
    int value = static_cast<int>(vibration);
    if (value < 0)
        value = 0;
    if (value >= 255)
        return FullMotorSpeed;
    return static_cast<unsigned int>(value) * 256;
}
} // namespace

void Controller::Setup()
{
    rawState = PadBackend::RawPadState();
    if (PadBackend::OpenPad(controllerIndex, rawState) == 0)
    {
        SystemLogInstance().Printf("Controller %d connected!", controllerIndex + 1);
        connected = true;
    }
    else
    {
        SystemLogInstance().Printf("Controller %d not present...", controllerIndex + 1);
        rawState = PadBackend::RawPadState();
        connected = false;
    }
}

void Controller::UpdateState()
{
    ReadPadState();
    RecordButtonEdges();
    if (scripted)
        AddScriptedButtons();
    if (connected || scripted)
        InputRouter::GetInstance().PollPadButtons(*this);
}

void Controller::ReadPadState()
{
    if (!connected)
    {
        currentState = ControllerInput();
        return;
    }

    if (PadBackend::ReadPad(controllerIndex, rawState) != 0)
    {
        // Once lost, never polled again: buttons held at that moment send no release.
        SystemLogInstance().Printf("Uh oh, we lost controller %d...", controllerIndex + 1);
        connected = false;
        rawState = PadBackend::RawPadState();
        currentState = ControllerInput();
        return;
    }

    currentState.LeftTriggerValue = rawState.leftTrigger;
    currentState.RightTriggerValue = rawState.rightTrigger;
    currentState.Buttons = rawState.buttons;
    currentState.LeftThumbstickX = rawState.thumbLX;
    currentState.LeftThumbstickY = rawState.thumbLY;
    currentState.RightThumbstickX = rawState.thumbRX;
    currentState.RightThumbstickY = rawState.thumbRY;

    ApplyDeadZone(currentState.LeftThumbstickX, currentState.LeftThumbstickY, LeftThumbDeadZone);
    ApplyDeadZone(currentState.RightThumbstickX, currentState.RightThumbstickY, RightThumbDeadZone);
}

void Controller::RecordButtonEdges()
{
    // Only what the pad itself reported: scripted presses are added afterwards.
    unsigned int held = 0;
    for (int button = 0; button < BindableButtonCount; ++button)
    {
        if (IsBindableButtonDown(button))
            held |= 1u << button;
    }
    const unsigned int changed = held ^ realButtons;
    realButtons = held;
    if (changed == 0 || !InputRecorder::IsRecording())
        return;
    for (int button = 0; button < BindableButtonCount; ++button)
    {
        if (changed & (1u << button))
            InputRecorder::RecordPadButton(controllerIndex, button, (held & (1u << button)) != 0);
    }
}

void Controller::AddScriptedButtons()
{
    for (int button = 0; button < BindableButtonCount; ++button)
    {
        if ((scriptedButtons & (1u << button)) == 0)
            continue;
        currentState.Buttons |= bindableButtonBits[button];
        if (button == LeftTriggerButton)
            currentState.LeftTriggerValue = FullTrigger;
        if (button == RightTriggerButton)
            currentState.RightTriggerValue = FullTrigger;
    }
}

bool Controller::IsBindableButtonDown(int button) const
{
    if (button == LeftTriggerButton)
        return IsLeftTriggerPressed();
    if (button == RightTriggerButton)
        return IsRightTriggerPressed();
    return button >= 0 && button < BindableButtonCount && IsButtonDown(static_cast<int>(bindableButtonBits[button]));
}

void Controller::SetScriptedButton(int button, bool down)
{
    if (button < 0 || button >= BindableButtonCount)
        return;
    if (down)
        scriptedButtons |= 1u << button;
    else
        scriptedButtons &= ~(1u << button);
}

Vector2 Controller::GetLeftThumbVec2() const
{
    return Vector2(static_cast<float>(currentState.LeftThumbstickX) / AxisScale,
                   static_cast<float>(currentState.LeftThumbstickY) / AxisScale);
}

Vector2 Controller::GetRightThumbVec2() const
{
    return Vector2(static_cast<float>(currentState.RightThumbstickX) / AxisScale,
                   static_cast<float>(currentState.RightThumbstickY) / AxisScale);
}

Vec2i Controller::GetLeftThumbstick() const
{
    return Vec2i(currentState.LeftThumbstickX, currentState.LeftThumbstickY);
}

Vec2i Controller::GetRightThumbstick() const
{
    return Vec2i(currentState.RightThumbstickX, currentState.RightThumbstickY);
}

void Controller::SetLeftVibrationRaw(unsigned int vibration)
{
    leftMotorSpeed = vibration;
    SendVibration();
}

void Controller::SetRightVibrationRaw(unsigned int vibration)
{
    rightMotorSpeed = vibration;
    SendVibration();
}

void Controller::SetLeftVibration(unsigned int vibration)
{
    leftMotorSpeed = ScaleVibration(vibration);
    SendVibration();
}

void Controller::SetRightVibration(unsigned int vibration)
{
    rightMotorSpeed = ScaleVibration(vibration);
    SendVibration();
}

void Controller::SendVibration()
{
    // Sent also to an absent pad; the back-end drops it.
    PadBackend::SetVibration(controllerIndex, static_cast<std::uint16_t>(leftMotorSpeed & 0xFFFF),
                             static_cast<std::uint16_t>(rightMotorSpeed & 0xFFFF));
}
