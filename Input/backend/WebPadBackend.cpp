// Game pads in the browser, through its gamepad interface. Only pads the browser lays out
// in its "standard" mapping are used: there, button and axis numbers mean the same on
// every pad, as SDL's game controllers do on the desktop.

#include "Input/PadBackend.h"

#include "Platform/Log.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr int PadCount = 2;

// The standard mapping's numbers.
constexpr int LeftTriggerButton = 6;
constexpr int RightTriggerButton = 7;
constexpr int LeftXAxis = 0;
constexpr int LeftYAxis = 1;
constexpr int RightXAxis = 2;
constexpr int RightYAxis = 3;
constexpr int StandardButtons = 17;
constexpr int StandardAxes = 4;

struct ButtonBit
{
    int button;
    std::uint16_t bit;
};

// The same bits SdlPadBackend sets; the centre (home) button has none there either.
constexpr ButtonBit buttonBits[] = {
    {12, 0x0001}, // d-pad up
    {13, 0x0002}, // d-pad down
    {14, 0x0004}, // d-pad left
    {15, 0x0008}, // d-pad right
    {9, 0x0010},  // start
    {8, 0x0020},  // back
    {10, 0x0040}, // left stick pressed
    {11, 0x0080}, // right stick pressed
    {4, 0x0100},  // left shoulder
    {5, 0x0200},  // right shoulder
    {0, 0x1000},  // A, bottom
    {1, 0x2000},  // B, right
    {2, 0x4000},  // X, left
    {3, 0x8000},  // Y, top
};

struct Pad
{
    // The browser's slot for the pad, or -1; the id tells a pad that took over the slot
    // of one unplugged from the one that was opened.
    int slot = -1;
    char id[sizeof(EmscriptenGamepadEvent::id)] = {};
};

Pad pads[PadCount];
bool warnedUnsupported = false;
bool warnedVibration = false;

bool ValidIndex(int padIndex) { return padIndex >= 0 && padIndex < PadCount; }

// Takes a fresh reading of every pad; false when the browser has no gamepad interface.
bool Sample()
{
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS)
        return true;
    if (!warnedUnsupported)
        SystemLogInstance().Log("WARNING: game pads not available: this browser has no gamepad interface");
    warnedUnsupported = true;
    return false;
}

bool IsStandard(const EmscriptenGamepadEvent& pad)
{
    return pad.connected && std::strcmp(pad.mapping, "standard") == 0 && pad.numButtons >= StandardButtons &&
           pad.numAxes >= StandardAxes;
}

bool IsOpenElsewhere(int slot, int padIndex)
{
    for (int i = 0; i < PadCount; ++i)
    {
        if (i != padIndex && pads[i].slot == slot)
            return true;
    }
    return false;
}

// Browser axes run -1..1 with y down; ours -32768..32767 with y up.
std::int16_t StickValue(double axis)
{
    if (!std::isfinite(axis))
        return 0;
    const double scaled = axis < 0.0 ? axis * 32768.0 : axis * 32767.0;
    return static_cast<std::int16_t>(std::clamp(std::lround(scaled), -32768L, 32767L));
}

std::int16_t FlipY(double axis) { return StickValue(std::isfinite(axis) ? -axis : 0.0); }

std::uint8_t TriggerValue(double pressure)
{
    if (!std::isfinite(pressure))
        return 0;
    return static_cast<std::uint8_t>(std::lround(std::clamp(pressure, 0.0, 1.0) * 255.0));
}

void FillState(const EmscriptenGamepadEvent& pad, PadBackend::RawPadState& state)
{
    ++state.packetNumber;
    state.buttons = 0;
    for (const ButtonBit& entry : buttonBits)
    {
        if (pad.digitalButton[entry.button])
            state.buttons |= entry.bit;
    }
    state.leftTrigger = TriggerValue(pad.analogButton[LeftTriggerButton]);
    state.rightTrigger = TriggerValue(pad.analogButton[RightTriggerButton]);
    state.thumbLX = StickValue(pad.axis[LeftXAxis]);
    state.thumbLY = FlipY(pad.axis[LeftYAxis]);
    state.thumbRX = StickValue(pad.axis[RightXAxis]);
    state.thumbRY = FlipY(pad.axis[RightYAxis]);
}
} // namespace

namespace PadBackend
{
int OpenPad(int padIndex, RawPadState& state)
{
    if (!ValidIndex(padIndex))
        return -1;
    pads[padIndex] = Pad();
    if (!Sample())
        return -1;

    // Pad 0 is the first standard pad the browser lists, pad 1 the next one. A browser
    // lists a pad only once a button on it has been pressed while the page was open.
    const int slots = emscripten_get_num_gamepads();
    for (int slot = 0; slot < slots; ++slot)
    {
        EmscriptenGamepadEvent pad;
        if (emscripten_get_gamepad_status(slot, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !IsStandard(pad) ||
            IsOpenElsewhere(slot, padIndex))
            continue;
        pads[padIndex].slot = slot;
        std::memcpy(pads[padIndex].id, pad.id, sizeof(pad.id));
        pads[padIndex].id[sizeof(pad.id) - 1] = '\0';
        break;
    }
    if (pads[padIndex].slot < 0)
        return -1;
    return ReadPad(padIndex, state);
}

int ReadPad(int padIndex, RawPadState& state)
{
    if (!ValidIndex(padIndex) || pads[padIndex].slot < 0)
        return -1;
    Pad& opened = pads[padIndex];
    EmscriptenGamepadEvent pad;
    if (!Sample() || emscripten_get_gamepad_status(opened.slot, &pad) != EMSCRIPTEN_RESULT_SUCCESS ||
        !IsStandard(pad) || std::strncmp(pad.id, opened.id, sizeof(opened.id)) != 0)
    {
        opened = Pad();
        return -1;
    }
    FillState(pad, state);
    return 0;
}

void SetVibration(int, std::uint16_t leftSpeed, std::uint16_t rightSpeed)
{
    // Browsers differ in how (and whether) a pad rumbles; none of it is reachable here.
    if ((leftSpeed || rightSpeed) && !warnedVibration)
    {
        SystemLogInstance().Log("WARNING: game-pad vibration is not available in the browser");
        warnedVibration = true;
    }
}

bool PadArrived()
{
    static int standardPadsSeen = 0;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    int standardPads = 0;
    const int slots = emscripten_get_num_gamepads();
    for (int slot = 0; slot < slots; ++slot)
    {
        EmscriptenGamepadEvent pad;
        if (emscripten_get_gamepad_status(slot, &pad) == EMSCRIPTEN_RESULT_SUCCESS && IsStandard(pad))
            ++standardPads;
    }
    const bool arrived = standardPads > standardPadsSeen;
    standardPadsSeen = standardPads;
    return arrived;
}
} // namespace PadBackend
