#include "Input/PadBackend.h"

#include "Platform/Log.h"
#include "Platform/SdlLibrary.h"

#include <algorithm>

namespace
{
constexpr int PadCount = 2;
// Rumble in SDL lasts a given time while the engine's motor speeds last until changed,
// so a running motor is re-issued well before its rumble would run out.
constexpr Uint32 RumbleDurationMs = 1000;
constexpr Uint32 RumbleRefreshMs = 500;

struct Pad
{
    SDL_GameController* controller = nullptr;
    Uint16 leftSpeed = 0;
    Uint16 rightSpeed = 0;
    Uint32 lastRumbleTicks = 0;
};

Pad pads[PadCount];
// Set once the subsystem is up; every function below that reaches SDL runs after that.
const SdlApi* sdl = nullptr;
bool subsystemReady = false;
bool subsystemFailed = false;

bool EnsureSubsystem()
{
    if (subsystemReady)
        return true;
    if (subsystemFailed)
        return false;
    String error;
    sdl = SdlLibrary::Get(error);
    if (!sdl)
    {
        SystemLogInstance().Printf("WARNING: game pads not available: %s", error.c_str());
        subsystemFailed = true;
        return false;
    }
    std::lock_guard<std::mutex> lock(SdlLibrary::StartLock());
    // SDL would otherwise turn SIGINT and SIGTERM into quit events nobody reads, and the
    // game could no longer be stopped from outside.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Only the controller subsystem: sound brings up its own, and SDL counts the users
    // of each subsystem, so neither side shuts the other down.
    if (sdl->InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    {
        SystemLogInstance().Printf("WARNING: game pads not available: %s", sdl->GetError());
        subsystemFailed = true;
        return false;
    }
    // Pads are polled, never read as events; unread events would pile up in SDL's queue.
    sdl->GameControllerEventState(SDL_IGNORE);
    sdl->JoystickEventState(SDL_IGNORE);
    subsystemReady = true;
    return true;
}

bool IsOpenElsewhere(SDL_JoystickID id, int padIndex)
{
    for (int i = 0; i < PadCount; ++i)
    {
        if (i != padIndex && pads[i].controller &&
            sdl->JoystickInstanceID(sdl->GameControllerGetJoystick(pads[i].controller)) == id)
            return true;
    }
    return false;
}

void Rumble(Pad& pad)
{
    sdl->GameControllerRumble(pad.controller, pad.leftSpeed, pad.rightSpeed, RumbleDurationMs);
    pad.lastRumbleTicks = sdl->GetTicks();
}

Sint16 FlipY(Sint16 sdlY)
{
    // SDL's sticks point down for positive y; ours point up. -(-32768) doesn't fit.
    return static_cast<Sint16>(std::min(32767, -static_cast<int>(sdlY)));
}

Uint8 TriggerValue(Sint16 sdlTrigger)
{
    const int value = std::clamp(static_cast<int>(sdlTrigger), 0, 32767);
    return static_cast<Uint8>(value * 255 / 32767);
}

struct ButtonBit
{
    SDL_GameControllerButton button;
    Uint16 bit;
};

constexpr ButtonBit buttonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x0001},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0x0002},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0x0004},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0x0008},
    {SDL_CONTROLLER_BUTTON_START, 0x0010},
    {SDL_CONTROLLER_BUTTON_BACK, 0x0020},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0x0040},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0x0080},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0x0100},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0x0200},
    {SDL_CONTROLLER_BUTTON_A, 0x1000},
    {SDL_CONTROLLER_BUTTON_B, 0x2000},
    {SDL_CONTROLLER_BUTTON_X, 0x4000},
    {SDL_CONTROLLER_BUTTON_Y, 0x8000},
};

void FillState(SDL_GameController* controller, PadBackend::RawPadState& state)
{
    ++state.packetNumber;
    state.buttons = 0;
    for (const ButtonBit& entry : buttonBits)
    {
        if (sdl->GameControllerGetButton(controller, entry.button))
            state.buttons |= entry.bit;
    }
    state.leftTrigger = TriggerValue(sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = TriggerValue(sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    state.thumbLX = sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    state.thumbLY = FlipY(sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    state.thumbRX = sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
    state.thumbRY = FlipY(sdl->GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY));
}

bool ValidIndex(int padIndex) { return padIndex >= 0 && padIndex < PadCount; }
} // namespace

namespace PadBackend
{
int OpenPad(int padIndex, RawPadState& state)
{
    if (!ValidIndex(padIndex) || !EnsureSubsystem())
        return -1;
    if (pads[padIndex].controller)
    {
        sdl->GameControllerClose(pads[padIndex].controller);
        pads[padIndex].controller = nullptr;
    }

    // Pad 0 is the first game controller found, pad 1 the next one.
    sdl->GameControllerUpdate();
    const int joystickCount = sdl->NumJoysticks();
    for (int device = 0; device < joystickCount; ++device)
    {
        if (!sdl->IsGameController(device) || IsOpenElsewhere(sdl->JoystickGetDeviceInstanceID(device), padIndex))
            continue;
        SDL_GameController* controller = sdl->GameControllerOpen(device);
        if (!controller)
            continue;
        pads[padIndex].controller = controller;
        break;
    }
    if (!pads[padIndex].controller)
        return -1;
    return ReadPad(padIndex, state);
}

int ReadPad(int padIndex, RawPadState& state)
{
    if (!ValidIndex(padIndex) || !pads[padIndex].controller)
        return -1;
    Pad& pad = pads[padIndex];
    sdl->GameControllerUpdate();
    if (!sdl->GameControllerGetAttached(pad.controller))
    {
        sdl->GameControllerClose(pad.controller);
        pad.controller = nullptr;
        return -1;
    }
    FillState(pad.controller, state);
    if ((pad.leftSpeed || pad.rightSpeed) && sdl->GetTicks() - pad.lastRumbleTicks >= RumbleRefreshMs)
        Rumble(pad);
    return 0;
}

void SetVibration(int padIndex, std::uint16_t leftSpeed, std::uint16_t rightSpeed)
{
    if (!ValidIndex(padIndex))
        return;
    Pad& pad = pads[padIndex];
    pad.leftSpeed = leftSpeed;
    pad.rightSpeed = rightSpeed;
    if (pad.controller)
        Rumble(pad);
}

// Pads are looked for once, at the start.
bool PadArrived() { return false; }
} // namespace PadBackend
