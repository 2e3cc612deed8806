#pragma once

#include <cstdint>

// What a game-pad back-end provides. Exactly one implementation is linked (see
// cmake/TarvoEngine.cmake): SDL game controllers, or a null one that finds no pads.
// Only Controller uses it; it names no library type.
namespace PadBackend
{
// One reading in the classic pad layout: button bits as in Input/Controller.h, sticks
// -32768..32767 with y up, triggers 0..255.
struct RawPadState
{
    std::uint32_t packetNumber = 0;
    std::uint16_t buttons = 0;
    std::uint8_t leftTrigger = 0;
    std::uint8_t rightTrigger = 0;
    std::int16_t thumbLX = 0;
    std::int16_t thumbLY = 0;
    std::int16_t thumbRX = 0;
    std::int16_t thumbRY = 0;
};

// Finds the pad for `padIndex` (0 or 1) and reads it. Returns 0 on success, non-zero
// when there is no such pad.
int OpenPad(int padIndex, RawPadState& state);
// Reads the pad opened for `padIndex`. Returns 0 on success, non-zero when it is gone.
int ReadPad(int padIndex, RawPadState& state);
// Motor speeds that last until set again; a pad that isn't there ignores them.
void SetVibration(int padIndex, std::uint16_t leftSpeed, std::uint16_t rightSpeed);
} // namespace PadBackend
