#pragma once

#include "Input/RawPadState.h"

#include <cstdint>

// What a game-pad back-end provides. Exactly one implementation is linked (see
// cmake/TarvoEngine.cmake): SDL game controllers, or a null one that finds no pads.
// Only Controller uses it; it names no library type.
namespace PadBackend
{
// Finds the pad for `padIndex` (0 or 1) and reads it. Returns 0 on success, non-zero
// when there is no such pad.
int OpenPad(int padIndex, RawPadState& state);
// Reads the pad opened for `padIndex`. Returns 0 on success, non-zero when it is gone.
int ReadPad(int padIndex, RawPadState& state);
// Motor speeds that last until set again; a pad that isn't there ignores them.
void SetVibration(int padIndex, std::uint16_t leftSpeed, std::uint16_t rightSpeed);
// Whether more pads can be opened than at the last call. Only the browser's back-end
// ever says so: a browser shows a pad only once a button on it is pressed on the page,
// long after the pads were looked for. Elsewhere pads are looked for once.
bool PadArrived();
} // namespace PadBackend
