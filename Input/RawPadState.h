#pragma once

#include <cstdint>

// The pad reading a Controller keeps, filled by the game-pad back-end
// (Input/PadBackend.h). It names no library type, so Controller.h can hold one
// without exposing the back-end.
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
} // namespace PadBackend
